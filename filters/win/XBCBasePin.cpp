#include "filters/win/XBCBasePin.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <memory>

#include "filters/win/XBCEnumerators.h"

using Microsoft::WRL::ComPtr;

namespace nv {
namespace {

// A type check that refused in a general way reports the type as not accepted.
HRESULT RefusedType(HRESULT check) {
  return SUCCEEDED(check) || check == E_FAIL || check == E_INVALIDARG ? VFW_E_TYPE_NOT_ACCEPTED : check;
}

struct MediaTypeDeleter {
  void operator()(AM_MEDIA_TYPE* type) const { DeleteMediaType(type); }
};

}  // namespace

TXBCBasePin::TXBCBasePin(std::wstring_view name, TXBCBaseFilter& filter, PIN_DIRECTION direction)
    : TXBCObject(nullptr), name_(name), direction_(direction), lock_(filter.FilterLock()), filter_(filter) {}

TXBCBasePin::~TXBCBasePin() = default;

HRESULT TXBCBasePin::NonDelegatingQueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IPin) return GetInterface(static_cast<IPin*>(this), object);
  if (iid == IID_IQualityControl) return GetInterface(static_cast<IQualityControl*>(this), object);
  return TXBCObject::NonDelegatingQueryInterface(iid, object);
}

HRESULT TXBCBasePin::Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) {
  if (!receivePin) return E_POINTER;
  TXBCAutoLock lock(lock_);
  if (connected_) return VFW_E_ALREADY_CONNECTED;
  if (!filter_.IsStopped() && !canReconnectWhenActive_) return VFW_E_NOT_STOPPED;
  return AgreeMediaType(receivePin, type);
}

HRESULT TXBCBasePin::AgreeMediaType(IPin* receivePin, const AM_MEDIA_TYPE* type) {
  MediaType pattern;
  if (type) {
    if (FAILED(pattern.Assign(*type))) return E_OUTOFMEMORY;
    if (!pattern.IsPartiallySpecified()) return AttemptConnection(receivePin, pattern);
  }
  // The other pin's types first, unless this pin prefers its own.
  for (const bool own : {tryMyTypesFirst_, !tryMyTypesFirst_}) {
    ComPtr<IEnumMediaTypes> types;
    const HRESULT hr = own ? EnumMediaTypes(&types) : receivePin->EnumMediaTypes(&types);
    if (SUCCEEDED(hr) && TryMediaTypes(receivePin, type ? &pattern : nullptr, types.Get()) == S_OK) return S_OK;
  }
  return VFW_E_NO_ACCEPTABLE_TYPES;
}

HRESULT TXBCBasePin::TryMediaTypes(IPin* receivePin, const MediaType* pattern, IEnumMediaTypes* types) {
  types->Reset();
  for (;;) {
    AM_MEDIA_TYPE* next = nullptr;
    ULONG fetched = 0;
    if (types->Next(1, &next, &fetched) != S_OK || fetched != 1) return VFW_E_NO_ACCEPTABLE_TYPES;
    const std::unique_ptr<AM_MEDIA_TYPE, MediaTypeDeleter> candidate(next);
    if (pattern && !pattern->IsMatchedBy(*candidate)) continue;
    if (SUCCEEDED(AttemptConnection(receivePin, *candidate))) return S_OK;
  }
}

HRESULT TXBCBasePin::AttemptConnection(IPin* receivePin, const AM_MEDIA_TYPE& type) {
  HRESULT hr = CheckConnect(receivePin);
  if (FAILED(hr)) {
    BreakConnect();
    return hr;
  }
  hr = CheckMediaType(type);
  if (hr == S_OK) {
    SetConnected(receivePin);
    hr = SetMediaType(type);
    if (SUCCEEDED(hr)) {
      hr = receivePin->ReceiveConnection(this, &type);
      if (SUCCEEDED(hr)) {
        hr = CompleteConnect(receivePin);
        if (SUCCEEDED(hr)) return S_OK;
        receivePin->Disconnect();
      }
    }
  } else {
    hr = RefusedType(hr);
  }
  SetConnected(nullptr);
  BreakConnect();
  return hr;
}

HRESULT TXBCBasePin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) {
  if (!connector || !type) return E_POINTER;
  TXBCAutoLock lock(lock_);
  if (connected_) return VFW_E_ALREADY_CONNECTED;
  if (!filter_.IsStopped() && !canReconnectWhenActive_) return VFW_E_NOT_STOPPED;
  HRESULT hr = CheckConnect(connector);
  if (SUCCEEDED(hr)) {
    hr = CheckMediaType(*type);
    if (hr == S_OK) {
      SetConnected(connector);
      hr = SetMediaType(*type);
      if (SUCCEEDED(hr)) hr = CompleteConnect(connector);
      if (SUCCEEDED(hr)) return S_OK;
      SetConnected(nullptr);
    } else {
      hr = RefusedType(hr);
    }
  }
  BreakConnect();
  return hr;
}

HRESULT TXBCBasePin::Disconnect() {
  TXBCAutoLock lock(lock_);
  if (!filter_.IsStopped()) return VFW_E_NOT_STOPPED;
  if (!connected_) return S_FALSE;
  const HRESULT hr = BreakConnect();
  if (FAILED(hr)) return hr;
  SetConnected(nullptr);
  return S_OK;
}

void TXBCBasePin::DisconnectInternal() {
  TXBCAutoLock lock(lock_);
  if (!connected_) return;
  BreakConnect();
  SetConnected(nullptr);
}

void TXBCBasePin::SetConnected(IPin* pin) {
  std::lock_guard lock(connectionLock_);
  connected_ = pin;
}

bool TXBCBasePin::HasMediaType(const AM_MEDIA_TYPE& type) const {
  std::lock_guard lock(connectionLock_);
  return SameMediaType(type, mediaType_);
}

HRESULT TXBCBasePin::CopyMediaType(MediaType& type) const {
  std::lock_guard lock(connectionLock_);
  return type.Assign(mediaType_);
}

HRESULT TXBCBasePin::ConnectedTo(IPin** pin) {
  if (!pin) return E_POINTER;
  std::lock_guard lock(connectionLock_);
  *pin = ComPtr<IPin>(connected_).Detach();
  return *pin ? S_OK : VFW_E_NOT_CONNECTED;
}

HRESULT TXBCBasePin::ConnectionMediaType(AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  std::lock_guard lock(connectionLock_);
  if (!connected_) {
    *type = AM_MEDIA_TYPE{};
    return VFW_E_NOT_CONNECTED;
  }
  return CopyMediaTypeTo(*type, mediaType_);
}

HRESULT TXBCBasePin::QueryPinInfo(PIN_INFO* info) {
  if (!info) return E_POINTER;
  info->pFilter = filter_.AsBaseFilter();
  info->pFilter->AddRef();
  info->dir = direction_;
  const std::size_t length = std::min<std::size_t>(name_.size(), MAX_PIN_NAME - 1);
  std::wmemcpy(info->achName, name_.data(), length);
  info->achName[length] = L'\0';
  return S_OK;
}

HRESULT TXBCBasePin::QueryDirection(PIN_DIRECTION* direction) {
  if (!direction) return E_POINTER;
  *direction = direction_;
  return S_OK;
}

HRESULT TXBCBasePin::QueryId(LPWSTR* id) {
  if (!id) return E_POINTER;
  const std::size_t bytes = (name_.size() + 1) * sizeof(wchar_t);
  *id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
  if (!*id) return E_OUTOFMEMORY;
  std::memcpy(*id, name_.c_str(), bytes);
  return S_OK;
}

HRESULT TXBCBasePin::QueryAccept(const AM_MEDIA_TYPE* type) {
  if (!type) return E_POINTER;
  const HRESULT hr = CheckMediaType(*type);
  return FAILED(hr) ? S_FALSE : hr;
}

HRESULT TXBCBasePin::EnumMediaTypes(IEnumMediaTypes** types) { return TXBCEnumMediaTypes::Create(*this, types); }

HRESULT TXBCBasePin::QueryInternalConnections(IPin**, ULONG*) { return E_NOTIMPL; }

HRESULT TXBCBasePin::EndOfStream() { return S_OK; }

HRESULT TXBCBasePin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
  segmentStart_ = start;
  segmentStop_ = stop;
  segmentRate_ = rate;
  return S_OK;
}

HRESULT TXBCBasePin::Notify(IBaseFilter*, Quality) { return E_NOTIMPL; }

HRESULT TXBCBasePin::SetSink(IQualityControl* sink) {
  TXBCAutoLock lock(lock_);
  qualitySink_ = sink;
  return S_OK;
}

int TXBCBasePin::GetMediaTypeVersion() { return mediaTypeVersion_; }
HRESULT TXBCBasePin::Active() { return S_OK; }
HRESULT TXBCBasePin::Inactive() { return S_OK; }
HRESULT TXBCBasePin::Run(REFERENCE_TIME) { return S_OK; }
HRESULT TXBCBasePin::SetMediaType(const AM_MEDIA_TYPE& type) {
  std::lock_guard lock(connectionLock_);
  return mediaType_.Assign(type);
}

HRESULT TXBCBasePin::CheckConnect(IPin* pin) {
  PIN_DIRECTION other;
  const HRESULT hr = pin->QueryDirection(&other);
  if (FAILED(hr)) return hr;
  return other == direction_ ? VFW_E_INVALID_DIRECTION : S_OK;
}

HRESULT TXBCBasePin::BreakConnect() { return S_OK; }
HRESULT TXBCBasePin::CompleteConnect(IPin*) { return S_OK; }
HRESULT TXBCBasePin::GetMediaType(int, MediaType&) { return E_UNEXPECTED; }

}  // namespace nv
