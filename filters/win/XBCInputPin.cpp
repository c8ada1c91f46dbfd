#include "filters/win/XBCInputPin.h"

using Microsoft::WRL::ComPtr;

namespace nv {

TXBCBaseInputPin::TXBCBaseInputPin(std::wstring_view name, TXBCBaseFilter& filter)
    : TXBCBasePin(name, filter, PINDIR_INPUT) {}

HRESULT TXBCBaseInputPin::NonDelegatingQueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IMemInputPin) return GetInterface(static_cast<IMemInputPin*>(this), object);
  return TXBCBasePin::NonDelegatingQueryInterface(iid, object);
}

HRESULT TXBCBaseInputPin::BeginFlush() {
  TXBCAutoLock lock(Lock());
  flushing_ = true;
  return S_OK;
}

HRESULT TXBCBaseInputPin::EndFlush() {
  TXBCAutoLock lock(Lock());
  flushing_ = false;
  SetRuntimeError(false);
  return S_OK;
}

HRESULT TXBCBaseInputPin::GetAllocator(IMemAllocator** allocator) {
  if (!allocator) return E_POINTER;
  TXBCAutoLock lock(Lock());
  if (!allocator_) {
    const HRESULT hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_PPV_ARGS(allocator_.ReleaseAndGetAddressOf()));
    if (FAILED(hr)) return hr;
  }
  *allocator = ComPtr<IMemAllocator>(allocator_).Detach();
  return S_OK;
}

HRESULT TXBCBaseInputPin::NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) {
  if (!allocator) return E_POINTER;
  TXBCAutoLock lock(Lock());
  SetAllocator(allocator, readOnly != FALSE);
  return S_OK;
}

HRESULT TXBCBaseInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*) { return E_NOTIMPL; }

HRESULT TXBCBaseInputPin::Receive(IMediaSample* sample) {
  if (!sample) return E_POINTER;
  HRESULT hr = CheckStreaming();
  if (hr != S_OK) return hr;
  hr = ReadSampleProps(sample);
  if (FAILED(hr)) return hr;
  if ((sampleProps_.dwSampleFlags & AM_SAMPLE_TYPECHANGED) && sampleProps_.pMediaType &&
      CheckMediaType(*sampleProps_.pMediaType) != S_OK) {
    // A type we cannot take mid-stream ends the stream with an error. End of stream goes first: a pin in the
    // runtime error state would refuse to pass it on.
    EndOfStream();
    SetRuntimeError(true);
    Filter().NotifyEvent(EC_ERRORABORT, VFW_E_TYPE_NOT_ACCEPTED, 0);
    return VFW_E_INVALIDMEDIATYPE;
  }
  return S_OK;
}

HRESULT TXBCBaseInputPin::ReadSampleProps(IMediaSample* sample) {
  ComPtr<IMediaSample2> sample2;
  if (SUCCEEDED(sample->QueryInterface(IID_PPV_ARGS(&sample2))))
    return sample2->GetProperties(sizeof sampleProps_, reinterpret_cast<BYTE*>(&sampleProps_));

  // A sample without IMediaSample2: the same properties one by one.
  AM_SAMPLE2_PROPERTIES props{};
  props.cbData = sizeof props;
  props.dwStreamId = AM_STREAM_MEDIA;
  const HRESULT times = sample->GetTime(&props.tStart, &props.tStop);
  if (SUCCEEDED(times)) props.dwSampleFlags |= times == VFW_S_NO_STOP_TIME ? AM_SAMPLE_TIMEVALID
                                                                           : AM_SAMPLE_TIMEVALID | AM_SAMPLE_STOPVALID;
  if (sample->IsSyncPoint() == S_OK) props.dwSampleFlags |= AM_SAMPLE_SPLICEPOINT;
  if (sample->IsPreroll() == S_OK) props.dwSampleFlags |= AM_SAMPLE_PREROLL;
  if (sample->IsDiscontinuity() == S_OK) props.dwSampleFlags |= AM_SAMPLE_DATADISCONTINUITY;
  AM_MEDIA_TYPE* changed = nullptr;
  if (sample->GetMediaType(&changed) == S_OK && changed) {
    const HRESULT hr = sampleType_.Assign(*changed);
    DeleteMediaType(changed);
    if (FAILED(hr)) return hr;
    props.dwSampleFlags |= AM_SAMPLE_TYPECHANGED;
    props.pMediaType = &sampleType_;
  }
  props.lActual = sample->GetActualDataLength();
  props.cbBuffer = sample->GetSize();
  sample->GetPointer(&props.pbBuffer);
  sampleProps_ = props;
  return S_OK;
}

HRESULT TXBCBaseInputPin::ReceiveMultiple(IMediaSample** samples, long count, long* processed) {
  if (!samples || !processed) return E_POINTER;
  *processed = 0;
  HRESULT hr = S_OK;
  while (*processed < count) {
    hr = Receive(samples[*processed]);
    if (hr != S_OK) break;
    ++*processed;
  }
  return hr;
}

HRESULT TXBCBaseInputPin::ReceiveCanBlock() {
  // Blocks when a renderer (no connected outputs) or any downstream pin may block.
  int connectedOutputs = 0;
  for (int i = 0, count = Filter().GetPinCount(); i < count; ++i) {
    TXBCBasePin* pin = Filter().GetPin(i);
    if (!pin || pin->Direction() != PINDIR_OUTPUT || !pin->IsConnected()) continue;
    ++connectedOutputs;
    ComPtr<IMemInputPin> downstream;
    if (FAILED(pin->GetConnected()->QueryInterface(IID_PPV_ARGS(&downstream)))) return S_OK;
    if (downstream->ReceiveCanBlock() != S_FALSE) return S_OK;
  }
  return connectedOutputs == 0 ? S_OK : S_FALSE;
}

HRESULT TXBCBaseInputPin::CheckStreaming() {
  if (Filter().IsStopped()) return VFW_E_WRONG_STATE;
  if (flushing_) return S_FALSE;
  if (IsRuntimeError()) return VFW_E_RUNTIME_ERROR;
  return S_OK;
}

HRESULT TXBCBaseInputPin::Inactive() {
  SetRuntimeError(false);
  flushing_ = false;
  return allocator_ ? allocator_->Decommit() : VFW_E_NO_ALLOCATOR;
}

HRESULT TXBCBaseInputPin::BreakConnect() {
  if (allocator_) {
    const HRESULT hr = allocator_->Decommit();
    if (FAILED(hr)) return hr;
    allocator_.Reset();
  }
  return S_OK;
}

}  // namespace nv
