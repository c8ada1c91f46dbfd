#include "filters/win/XSourceStream.h"

#include "filters/win/XSourceFilter.h"

namespace nv {

TXSourceStream::TXSourceStream(std::wstring_view pinName, TXSourceFilter& filter)
    : TXBCBaseOutputPin(pinName, filter), source_(filter) {}

HRESULT TXSourceStream::NonDelegatingQueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IMediaSeeking) return source_.QueryInterface(iid, object);
  return TXBCBaseOutputPin::NonDelegatingQueryInterface(iid, object);
}

// Downstream filters may ask from their streaming threads, which Stop waits for holding the filter lock: the type
// is read under the pin's connection lock instead.
HRESULT TXSourceStream::CheckMediaType(const AM_MEDIA_TYPE& type) { return HasMediaType(type) ? S_OK : E_FAIL; }

HRESULT TXSourceStream::GetMediaType(int position, MediaType& type) {
  if (position < 0) return E_INVALIDARG;
  if (position > 0) return VFW_S_NO_MORE_ITEMS;
  return CopyMediaType(type);
}

HRESULT TXSourceStream::Active() {
  TXBCAutoLock lock(Lock());
  if (source_.IsActive()) return S_FALSE;
  if (!IsConnected()) return S_OK;
  const HRESULT hr = TXBCBaseOutputPin::Active();
  return FAILED(hr) ? hr : StartStreaming();
}

HRESULT TXSourceStream::Inactive() {
  TXBCAutoLock lock(Lock());
  if (!IsConnected()) return S_OK;
  const HRESULT decommit = TXBCBaseOutputPin::Inactive();
  // The worker stops even when the decommit failed: left running, it would go on feeding a stopped graph.
  const HRESULT stop = StopStreaming();
  return FAILED(decommit) ? decommit : stop;
}

}  // namespace nv
