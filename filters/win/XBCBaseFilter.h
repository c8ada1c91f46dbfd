#pragma once
// The base of the player's own DirectShow filters: state, clock and graph membership, pins enumerated through
// GetPinCount and GetPin. Subclasses own their pins.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <string_view>

#include "filters/win/XBCCritSec.h"
#include "filters/win/XBCObject.h"
#include "support/win/DirectShow.h"

#include <wrl/client.h>

namespace nv {

class TXBCBasePin;

class TXBCBaseFilter : public TXBCNamedObject, public IBaseFilter {
public:
  TXBCBaseFilter(std::wstring_view name, IUnknown* outer, const CLSID& clsid);
  ~TXBCBaseFilter() override;

  NV_XBC_IUNKNOWN
  HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** object) override;

  // IPersist, IMediaFilter, IBaseFilter
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
  HRESULT STDMETHODCALLTYPE Stop() override;
  HRESULT STDMETHODCALLTYPE Pause() override;
  HRESULT STDMETHODCALLTYPE Run(REFERENCE_TIME start) override;
  HRESULT STDMETHODCALLTYPE GetState(DWORD timeoutMs, FILTER_STATE* state) override;
  HRESULT STDMETHODCALLTYPE SetSyncSource(IReferenceClock* clock) override;
  HRESULT STDMETHODCALLTYPE GetSyncSource(IReferenceClock** clock) override;
  HRESULT STDMETHODCALLTYPE EnumPins(IEnumPins** pins) override;
  HRESULT STDMETHODCALLTYPE FindPin(LPCWSTR id, IPin** pin) override;
  HRESULT STDMETHODCALLTYPE QueryFilterInfo(FILTER_INFO* info) override;
  HRESULT STDMETHODCALLTYPE JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
  HRESULT STDMETHODCALLTYPE QueryVendorInfo(LPWSTR* info) override;

  // Clock time minus the start time; VFW_E_NO_CLOCK without a clock. Takes no filter lock, so that streaming
  // threads may ask while a state change holds it.
  virtual HRESULT StreamTime(REFERENCE_TIME& time);
  // Changes whenever pins come or go, which puts open pin enumerators out of sync.
  virtual int GetPinVersion();
  virtual int GetPinCount() = 0;
  virtual TXBCBasePin* GetPin(int index) = 0;  // nullptr outside 0..count-1; not counted

  // Posts an event to the graph (EC_COMPLETE carries the filter as its second parameter); E_NOTIMPL outside a
  // graph. Safe from any thread.
  HRESULT NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2);
  // Asks the graph to reconnect one of our pins, with `type` when given.
  HRESULT ReconnectPin(IPin* pin, const AM_MEDIA_TYPE* type);
  bool IsActive() const { return state_ != State_Stopped; }
  bool IsStopped() const { return state_ == State_Stopped; }
  FILTER_STATE State() const { return state_; }
  TXBCCritSec& FilterLock() { return filterLock_; }
  IFilterGraph* Graph() const { return graph_; }
  IBaseFilter* AsBaseFilter() { return this; }

protected:
  void SetState(FILTER_STATE state) { state_ = state; }
  REFERENCE_TIME StartTime() const;
  void IncrementPinVersion() { ++pinVersion_; }

private:
  std::atomic<FILTER_STATE> state_{State_Stopped};
  mutable std::mutex clockLock_;  // the clock and the start time; innermost of all locks
  Microsoft::WRL::ComPtr<IReferenceClock> clock_;
  REFERENCE_TIME start_ = 0;
  CLSID clsid_;
  TXBCCritSec filterLock_;
  std::wstring filterName_;
  IFilterGraph* graph_ = nullptr;           // not counted: the graph holds us
  std::atomic<IMediaEventSink*> eventSink_{nullptr};  // not counted, likewise
  std::atomic<int> pinVersion_{1};
};

}  // namespace nv
