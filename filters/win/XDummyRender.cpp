#include "filters/win/XDummyRender.h"

#include <algorithm>
#include <new>
#include <string>

using Microsoft::WRL::ComPtr;

namespace nv {

TXDummyInputPin::TXDummyInputPin(std::wstring_view name, TXDummyRender& renderer)
    : TXBCBaseInputPin(name, renderer), renderer_(renderer) {}

TXDummyInputPin::~TXDummyInputPin() {
  if (const ComPtr<IPin> peer = GetConnected()) {
    peer->Disconnect();
    DisconnectInternal();
  }
}

HRESULT TXDummyInputPin::CheckMediaType(const AM_MEDIA_TYPE& type) { return renderer_.CheckMediaType(type); }

HRESULT TXDummyInputPin::CompleteConnect(IPin* receivePin) {
  const HRESULT hr = TXBCBaseInputPin::CompleteConnect(receivePin);
  if (FAILED(hr)) return hr;
  try {
    renderer_.EnsureUnconnectedPin();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

ComPtr<IBaseFilter> TXDummyRender::Create(const AM_MEDIA_TYPE& pattern, std::wstring_view name) {
  return ComPtr<IBaseFilter>(new TXDummyRender(pattern, name));
}

TXDummyRender::TXDummyRender(const AM_MEDIA_TYPE& pattern, std::wstring_view name)
    : TXBCRefCounted(name, nullptr, CLSID_XDummyRender), pattern_(pattern) {
  EnsureUnconnectedPin();
}

TXDummyRender::~TXDummyRender() = default;

int TXDummyRender::GetPinCount() {
  TXBCAutoLock lock(FilterLock());
  return static_cast<int>(pins_.size());
}

TXBCBasePin* TXDummyRender::GetPin(int index) {
  TXBCAutoLock lock(FilterLock());
  return index >= 0 && index < static_cast<int>(pins_.size()) ? pins_[index].get() : nullptr;
}

HRESULT TXDummyRender::CheckMediaType(const AM_MEDIA_TYPE& type) const {
  return pattern_.IsMatchedBy(type) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

void TXDummyRender::EnsureUnconnectedPin() {
  TXBCAutoLock lock(FilterLock());
  if (std::any_of(pins_.begin(), pins_.end(), [](const auto& pin) { return !pin->IsConnected(); })) return;
  pins_.push_back(std::make_unique<TXDummyInputPin>(L"Input " + std::to_wstring(pins_.size()), *this));
  IncrementPinVersion();
}

}  // namespace nv
