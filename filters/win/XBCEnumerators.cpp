#include "filters/win/XBCEnumerators.h"

#include <algorithm>
#include <new>

#include "filters/win/XBCBaseFilter.h"
#include "filters/win/XBCBasePin.h"

namespace nv {
namespace {

// Hands a freshly made enumerator (count 0) to its caller counted.
template <class Interface, class Enumerator>
HRESULT HandOut(Enumerator* made, Interface** enumerator) {
  *enumerator = made;
  if (!made) return E_OUTOFMEMORY;
  made->AddRef();
  return S_OK;
}

// IEnumXxx::Next may leave `fetched` out only when it asks for one item.
HRESULT CheckNextArguments(void* items, ULONG count, ULONG* fetched) {
  if (!items) return E_POINTER;
  if (fetched) *fetched = 0;
  else if (count > 1) return E_INVALIDARG;
  return S_OK;
}

}  // namespace

// --- pins

TXBCEnumPins::TXBCEnumPins(TXBCBaseFilter& filter, int position, int version)
    : TXBCObject(nullptr), filter_(filter), keepAlive_(filter.AsBaseFilter()), position_(position),
      version_(version ? version : filter.GetPinVersion()) {}

HRESULT TXBCEnumPins::Create(TXBCBaseFilter& filter, IEnumPins** enumerator, int position, int version) {
  if (!enumerator) return E_POINTER;
  return HandOut(new (std::nothrow) TXBCRefCounted<TXBCEnumPins>(filter, position, version), enumerator);
}

HRESULT TXBCEnumPins::NonDelegatingQueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IEnumPins) return GetInterface(static_cast<IEnumPins*>(this), object);
  return TXBCObject::NonDelegatingQueryInterface(iid, object);
}

bool TXBCEnumPins::InSync() const { return version_ == filter_.GetPinVersion(); }

HRESULT TXBCEnumPins::Next(ULONG count, IPin** pins, ULONG* fetched) {
  if (const HRESULT hr = CheckNextArguments(pins, count, fetched); FAILED(hr)) return hr;
  TXBCAutoLock lock(filter_.FilterLock());
  if (!InSync()) return VFW_E_ENUM_OUT_OF_SYNC;
  ULONG got = 0;
  for (; got < count; ++got) {
    TXBCBasePin* pin = filter_.GetPin(position_);
    if (!pin) break;
    ++position_;
    pins[got] = pin->AsPin();
    pins[got]->AddRef();
  }
  if (fetched) *fetched = got;
  return got == count ? S_OK : S_FALSE;
}

HRESULT TXBCEnumPins::Skip(ULONG count) {
  TXBCAutoLock lock(filter_.FilterLock());
  if (!InSync()) return VFW_E_ENUM_OUT_OF_SYNC;
  const ULONG left = static_cast<ULONG>(std::max(0, filter_.GetPinCount() - position_));
  if (count > left) {
    position_ += static_cast<int>(left);
    return S_FALSE;
  }
  position_ += static_cast<int>(count);
  return S_OK;
}

HRESULT TXBCEnumPins::Reset() {
  TXBCAutoLock lock(filter_.FilterLock());
  version_ = filter_.GetPinVersion();
  position_ = 0;
  return S_OK;
}

HRESULT TXBCEnumPins::Clone(IEnumPins** enumerator) {
  if (!enumerator) return E_POINTER;
  TXBCAutoLock lock(filter_.FilterLock());
  if (!InSync()) {
    *enumerator = nullptr;
    return VFW_E_ENUM_OUT_OF_SYNC;
  }
  return Create(filter_, enumerator, position_, version_);
}

// --- media types

TXBCEnumMediaTypes::TXBCEnumMediaTypes(TXBCBasePin& pin, int position, int version)
    : TXBCObject(nullptr), pin_(pin), keepAlive_(pin.AsPin()), position_(position),
      version_(version ? version : pin.GetMediaTypeVersion()) {}

HRESULT TXBCEnumMediaTypes::Create(TXBCBasePin& pin, IEnumMediaTypes** enumerator, int position, int version) {
  if (!enumerator) return E_POINTER;
  return HandOut(new (std::nothrow) TXBCRefCounted<TXBCEnumMediaTypes>(pin, position, version), enumerator);
}

HRESULT TXBCEnumMediaTypes::NonDelegatingQueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IEnumMediaTypes) return GetInterface(static_cast<IEnumMediaTypes*>(this), object);
  return TXBCObject::NonDelegatingQueryInterface(iid, object);
}

bool TXBCEnumMediaTypes::InSync() const { return version_ == pin_.GetMediaTypeVersion(); }

HRESULT TXBCEnumMediaTypes::Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) {
  if (const HRESULT hr = CheckNextArguments(types, count, fetched); FAILED(hr)) return hr;
  if (!InSync()) return VFW_E_ENUM_OUT_OF_SYNC;
  ULONG got = 0;
  for (; got < count; ++got) {
    MediaType type;
    if (pin_.GetMediaType(position_, type) != S_OK) break;
    types[got] = type.CreateCopy();
    if (!types[got]) {
      while (got > 0) DeleteMediaType(types[--got]);
      return E_OUTOFMEMORY;
    }
    ++position_;
  }
  if (fetched) *fetched = got;
  return got == count ? S_OK : S_FALSE;
}

HRESULT TXBCEnumMediaTypes::Skip(ULONG count) {
  if (!InSync()) return VFW_E_ENUM_OUT_OF_SYNC;
  for (; count > 0; --count) {
    MediaType type;
    if (pin_.GetMediaType(position_, type) != S_OK) return S_FALSE;
    ++position_;
  }
  return S_OK;
}

HRESULT TXBCEnumMediaTypes::Reset() {
  version_ = pin_.GetMediaTypeVersion();
  position_ = 0;
  return S_OK;
}

HRESULT TXBCEnumMediaTypes::Clone(IEnumMediaTypes** enumerator) {
  if (!enumerator) return E_POINTER;
  if (!InSync()) {
    *enumerator = nullptr;
    return VFW_E_ENUM_OUT_OF_SYNC;
  }
  return Create(pin_, enumerator, position_, version_);
}

}  // namespace nv
