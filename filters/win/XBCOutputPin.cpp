#include "filters/win/XBCOutputPin.h"

using Microsoft::WRL::ComPtr;

namespace nv {

TXBCBaseOutputPin::TXBCBaseOutputPin(std::wstring_view name, TXBCBaseFilter& filter)
    : TXBCBasePin(name, filter, PINDIR_OUTPUT) {}

HRESULT TXBCBaseOutputPin::EndOfStream() { return E_UNEXPECTED; }
HRESULT TXBCBaseOutputPin::BeginFlush() { return E_UNEXPECTED; }
HRESULT TXBCBaseOutputPin::EndFlush() { return E_UNEXPECTED; }

HRESULT TXBCBaseOutputPin::CheckConnect(IPin* pin) {
  const HRESULT hr = TXBCBasePin::CheckConnect(pin);
  if (FAILED(hr)) return hr;
  return SUCCEEDED(pin->QueryInterface(IID_PPV_ARGS(input_.ReleaseAndGetAddressOf()))) ? S_OK : VFW_E_NO_TRANSPORT;
}

HRESULT TXBCBaseOutputPin::BreakConnect() {
  if (allocator_) {
    allocator_->Decommit();
    allocator_.Reset();
  }
  input_.Reset();
  return S_OK;
}

HRESULT TXBCBaseOutputPin::CompleteConnect(IPin*) { return DecideAllocator(input_.Get(), allocator_); }

HRESULT TXBCBaseOutputPin::Active() { return allocator_ ? allocator_->Commit() : VFW_E_NO_ALLOCATOR; }
HRESULT TXBCBaseOutputPin::Inactive() { return allocator_ ? allocator_->Decommit() : VFW_E_NO_ALLOCATOR; }

HRESULT TXBCBaseOutputPin::DecideAllocator(IMemInputPin* input, ComPtr<IMemAllocator>& allocator) {
  ALLOCATOR_PROPERTIES requirements{};
  input->GetAllocatorRequirements(&requirements);  // most pins have none
  if (requirements.cbAlign == 0) requirements.cbAlign = 1;

  // Sets our sizes on a candidate and hands it to the input pin.
  const auto offer = [&](IMemAllocator* candidate) {
    ALLOCATOR_PROPERTIES request = requirements;
    HRESULT hr = DecideBufferSize(candidate, request);
    if (SUCCEEDED(hr)) hr = input->NotifyAllocator(candidate, FALSE);
    return hr;
  };
  ComPtr<IMemAllocator> candidate;
  HRESULT hr = input->GetAllocator(&candidate);
  if (SUCCEEDED(hr)) hr = offer(candidate.Get());
  if (FAILED(hr)) {
    hr = InitAllocator(candidate);
    if (SUCCEEDED(hr)) hr = offer(candidate.Get());
  }
  if (FAILED(hr)) {
    allocator.Reset();
    return hr;
  }
  allocator = candidate;
  return S_OK;
}

HRESULT TXBCBaseOutputPin::DecideBufferSize(IMemAllocator*, ALLOCATOR_PROPERTIES&) { return S_OK; }

HRESULT TXBCBaseOutputPin::GetDeliveryBuffer(ComPtr<IMediaSample>& sample, REFERENCE_TIME* start,
                                             REFERENCE_TIME* stop, DWORD flags) {
  if (!allocator_) return VFW_E_NO_ALLOCATOR;
  return allocator_->GetBuffer(sample.ReleaseAndGetAddressOf(), start, stop, flags);
}

HRESULT TXBCBaseOutputPin::Deliver(IMediaSample* sample) {
  return input_ ? input_->Receive(sample) : VFW_E_NOT_CONNECTED;
}

HRESULT TXBCBaseOutputPin::InitAllocator(ComPtr<IMemAllocator>& allocator) {
  return CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER,
                          IID_PPV_ARGS(allocator.ReleaseAndGetAddressOf()));
}

HRESULT TXBCBaseOutputPin::DeliverEndOfStream() {
  IPin* peer = GetConnected();
  return peer ? peer->EndOfStream() : VFW_E_NOT_CONNECTED;
}

HRESULT TXBCBaseOutputPin::DeliverBeginFlush() {
  IPin* peer = GetConnected();
  return peer ? peer->BeginFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT TXBCBaseOutputPin::DeliverEndFlush() {
  IPin* peer = GetConnected();
  return peer ? peer->EndFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT TXBCBaseOutputPin::DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
  IPin* peer = GetConnected();
  return peer ? peer->NewSegment(start, stop, rate) : VFW_E_NOT_CONNECTED;
}

}  // namespace nv
