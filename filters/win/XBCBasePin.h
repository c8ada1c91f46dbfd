#pragma once
// The base of every pin: connection with media type negotiation, the COM faces IPin and IQualityControl, and the
// virtual operations a pin kind fills in. A pin belongs to its filter: it counts references on the filter and
// uses the filter's lock.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <string_view>

#include "filters/win/MediaType.h"
#include "filters/win/XBCBaseFilter.h"
#include "filters/win/XBCCritSec.h"
#include "filters/win/XBCObject.h"
#include "support/win/DirectShow.h"

#include <wrl/client.h>

namespace nv {

class TXBCBasePin : public TXBCObject, public IPin, public IQualityControl {
public:
  TXBCBasePin(std::wstring_view name, TXBCBaseFilter& filter, PIN_DIRECTION direction);
  ~TXBCBasePin() override;

  NV_XBC_IUNKNOWN
  HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE NonDelegatingAddRef() override { return filter_.Owner()->AddRef(); }
  ULONG STDMETHODCALLTYPE NonDelegatingRelease() override { return filter_.Owner()->Release(); }

  // IPin
  HRESULT STDMETHODCALLTYPE Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) override;
  HRESULT STDMETHODCALLTYPE ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
  HRESULT STDMETHODCALLTYPE Disconnect() override;
  HRESULT STDMETHODCALLTYPE ConnectedTo(IPin** pin) override;
  HRESULT STDMETHODCALLTYPE ConnectionMediaType(AM_MEDIA_TYPE* type) override;
  HRESULT STDMETHODCALLTYPE QueryPinInfo(PIN_INFO* info) override;
  HRESULT STDMETHODCALLTYPE QueryDirection(PIN_DIRECTION* direction) override;
  HRESULT STDMETHODCALLTYPE QueryId(LPWSTR* id) override;
  HRESULT STDMETHODCALLTYPE QueryAccept(const AM_MEDIA_TYPE* type) override;
  HRESULT STDMETHODCALLTYPE EnumMediaTypes(IEnumMediaTypes** types) override;
  HRESULT STDMETHODCALLTYPE QueryInternalConnections(IPin** pins, ULONG* count) override;
  HRESULT STDMETHODCALLTYPE EndOfStream() override;
  HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;
  // BeginFlush and EndFlush stay abstract: each pin kind answers them.

  // IQualityControl
  HRESULT STDMETHODCALLTYPE Notify(IBaseFilter* sender, Quality quality) override;
  HRESULT STDMETHODCALLTYPE SetSink(IQualityControl* sink) override;

  // Changes whenever the types this pin offers change, which puts open type enumerators out of sync.
  virtual int GetMediaTypeVersion();
  // State changes of the filter, for connected pins.
  virtual HRESULT Active();
  virtual HRESULT Inactive();
  virtual HRESULT Run(REFERENCE_TIME start);
  // S_OK accepts; S_FALSE or a failure refuses.
  virtual HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) = 0;
  virtual HRESULT SetMediaType(const AM_MEDIA_TYPE& type);
  // Connection steps: before trying a type, after a connection broke or an attempt failed, after it succeeded.
  virtual HRESULT CheckConnect(IPin* pin);
  virtual HRESULT BreakConnect();
  virtual HRESULT CompleteConnect(IPin* receivePin);
  // The types this pin offers, from position 0; VFW_S_NO_MORE_ITEMS past the last.
  virtual HRESULT GetMediaType(int position, MediaType& type);

  bool IsConnected() const { return connected_ != nullptr; }
  IPin* GetConnected() const { return connected_.Get(); }  // not counted
  const MediaType& CurrentMediaType() const { return mediaType_; }
  // The pin's media type, compared and copied under the connection lock: safe from any thread.
  bool HasMediaType(const AM_MEDIA_TYPE& type) const;
  HRESULT CopyMediaType(MediaType& type) const;
  const std::wstring& Name() const { return name_; }
  PIN_DIRECTION Direction() const { return direction_; }
  TXBCBaseFilter& Filter() const { return filter_; }
  TXBCCritSec& Lock() const { return lock_; }
  IPin* AsPin() { return this; }
  bool IsRuntimeError() const { return runtimeError_; }
  REFERENCE_TIME SegmentStart() const { return segmentStart_; }
  REFERENCE_TIME SegmentStop() const { return segmentStop_; }
  double SegmentRate() const { return segmentRate_; }

  // Policies of a pin kind: connect while the filter runs; offer our own types before the other pin's.
  void SetCanReconnectWhenActive(bool can) { canReconnectWhenActive_ = can; }
  void SetTryMyTypesFirst(bool first) { tryMyTypesFirst_ = first; }

protected:
  void IncrementMediaTypeVersion() { ++mediaTypeVersion_; }
  void SetRuntimeError(bool error) { runtimeError_ = error; }
  IQualityControl* QualitySink() const { return qualitySink_; }
  // Breaks the connection whatever the filter's state (a pin that is being destroyed).
  void DisconnectInternal();

private:
  void SetConnected(IPin* pin);
  HRESULT AgreeMediaType(IPin* receivePin, const AM_MEDIA_TYPE* type);
  HRESULT TryMediaTypes(IPin* receivePin, const MediaType* pattern, IEnumMediaTypes* types);
  HRESULT AttemptConnection(IPin* receivePin, const AM_MEDIA_TYPE& type);

  std::wstring name_;
  // The connected pin and the media type change under the filter lock and this one. Streaming threads ask for them
  // (Wine's renderer asks ConnectedTo at end of stream) while Stop holds the filter lock waiting for those threads,
  // so the questions take only this innermost lock.
  mutable std::mutex connectionLock_;
  Microsoft::WRL::ComPtr<IPin> connected_;
  PIN_DIRECTION direction_;
  TXBCCritSec& lock_;
  std::atomic<bool> runtimeError_{false};
  bool canReconnectWhenActive_ = false;
  bool tryMyTypesFirst_ = false;
  TXBCBaseFilter& filter_;
  IQualityControl* qualitySink_ = nullptr;  // not counted, as DirectShow does
  std::atomic<int> mediaTypeVersion_{1};
  MediaType mediaType_;
  REFERENCE_TIME segmentStart_ = 0;
  REFERENCE_TIME segmentStop_ = MAXLONGLONG;
  double segmentRate_ = 1.0;
};

}  // namespace nv
