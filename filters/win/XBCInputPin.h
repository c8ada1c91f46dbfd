#pragma once
// An input pin: it takes samples (IMemInputPin), keeps the allocator the upstream pin chose, and checks that the
// filter is streaming before anything is received.
#include <atomic>

#include "filters/win/XBCBasePin.h"

#include <wrl/client.h>

namespace nv {

class TXBCBaseInputPin : public TXBCBasePin, public IMemInputPin {
public:
  TXBCBaseInputPin(std::wstring_view name, TXBCBaseFilter& filter);

  NV_XBC_IUNKNOWN
  HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** object) override;

  // IPin: a flushing pin refuses samples.
  HRESULT STDMETHODCALLTYPE BeginFlush() override;
  HRESULT STDMETHODCALLTYPE EndFlush() override;

  // IMemInputPin
  HRESULT STDMETHODCALLTYPE GetAllocator(IMemAllocator** allocator) override;
  HRESULT STDMETHODCALLTYPE NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
  HRESULT STDMETHODCALLTYPE GetAllocatorRequirements(ALLOCATOR_PROPERTIES* properties) override;
  // The base checks the state, reads the sample's properties and refuses a media type change it cannot take;
  // subclasses call it first and handle the sample when it answers S_OK.
  HRESULT STDMETHODCALLTYPE Receive(IMediaSample* sample) override;
  HRESULT STDMETHODCALLTYPE ReceiveMultiple(IMediaSample** samples, long count, long* processed) override;
  HRESULT STDMETHODCALLTYPE ReceiveCanBlock() override;

  // S_OK while samples may be received; VFW_E_WRONG_STATE when stopped, S_FALSE while flushing,
  // VFW_E_RUNTIME_ERROR after a runtime error.
  virtual HRESULT CheckStreaming();

  HRESULT Inactive() override;
  HRESULT BreakConnect() override;

  IMemAllocator* Allocator() const { return allocator_.Get(); }
  bool IsReadOnly() const { return readOnly_; }
  bool IsFlushing() const { return flushing_; }
  // The properties of the sample being received.
  const AM_SAMPLE2_PROPERTIES& SampleProps() const { return sampleProps_; }

protected:
  void SetAllocator(IMemAllocator* allocator, bool readOnly) {
    allocator_ = allocator;
    readOnly_ = readOnly;
  }

private:
  HRESULT ReadSampleProps(IMediaSample* sample);

  Microsoft::WRL::ComPtr<IMemAllocator> allocator_;
  bool readOnly_ = false;
  std::atomic<bool> flushing_{false};
  AM_SAMPLE2_PROPERTIES sampleProps_{};
  MediaType sampleType_;  // the changed type of a sample without IMediaSample2
};

}  // namespace nv
