#include "filters/win/XSourceFilter.h"

#include <algorithm>

#include "filters/win/XSourceStream.h"

namespace nv {

TXSourceFilter::TXSourceFilter(std::wstring_view name, const CLSID& clsid, IUnknown* outer)
    : TXBCBaseFilter(name, outer, clsid) {}

TXSourceFilter::~TXSourceFilter() = default;

HRESULT TXSourceFilter::NonDelegatingQueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IMediaSeeking) return GetInterface(static_cast<IMediaSeeking*>(this), object);
  return TXBCBaseFilter::NonDelegatingQueryInterface(iid, object);
}

int TXSourceFilter::GetPinCount() {
  TXBCAutoLock lock(FilterLock());
  return static_cast<int>(streams_.size());
}

TXBCBasePin* TXSourceFilter::GetPin(int index) {
  TXBCAutoLock lock(FilterLock());
  return index >= 0 && index < static_cast<int>(streams_.size()) ? streams_[index].get() : nullptr;
}

void TXSourceFilter::AdoptStream(std::unique_ptr<TXSourceStream> stream) {
  TXBCAutoLock lock(FilterLock());
  streams_.push_back(std::move(stream));
  IncrementPinVersion();
}

void TXSourceFilter::RemoveStream(TXSourceStream& stream) {
  TXBCAutoLock lock(FilterLock());
  const auto found = std::find_if(streams_.begin(), streams_.end(), [&](const auto& s) { return s.get() == &stream; });
  if (found == streams_.end()) return;
  streams_.erase(found);
  IncrementPinVersion();
}

template <class Operation>
HRESULT TXSourceFilter::ForEachStream(Operation operation) {
  TXBCAutoLock lock(FilterLock());
  HRESULT result = S_OK;
  for (const auto& stream : streams_) {
    const HRESULT hr = operation(*stream);
    if (hr != S_OK && (result == S_OK || (SUCCEEDED(result) && FAILED(hr)))) result = hr;
  }
  return result;
}

HRESULT TXSourceFilter::DeliverBeginFlush() {
  return ForEachStream([](TXSourceStream& stream) { return stream.DeliverBeginFlush(); });
}

HRESULT TXSourceFilter::DeliverEndFlush() {
  return ForEachStream([](TXSourceStream& stream) { return stream.DeliverEndFlush(); });
}

HRESULT TXSourceFilter::DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
  return ForEachStream([&](TXSourceStream& stream) { return stream.DeliverNewSegment(start, stop, rate); });
}

// --- IMediaSeeking

HRESULT TXSourceFilter::GetCapabilities(DWORD* capabilities) {
  if (!capabilities) return E_POINTER;
  *capabilities = AM_SEEKING_CanSeekAbsolute | AM_SEEKING_CanGetStopPos | AM_SEEKING_CanGetDuration;
  return S_OK;
}

HRESULT TXSourceFilter::CheckCapabilities(DWORD* capabilities) {
  if (!capabilities) return E_POINTER;
  DWORD ours = 0;
  const HRESULT hr = GetCapabilities(&ours);
  if (FAILED(hr)) return hr;
  const DWORD asked = *capabilities;
  *capabilities = asked & ours;
  if (*capabilities == asked) return S_OK;
  return *capabilities ? S_FALSE : E_FAIL;
}

HRESULT TXSourceFilter::IsFormatSupported(const GUID* format) {
  if (!format) return E_POINTER;
  return *format == TIME_FORMAT_MEDIA_TIME ? S_OK : S_FALSE;
}

HRESULT TXSourceFilter::QueryPreferredFormat(GUID*) { return E_NOTIMPL; }

HRESULT TXSourceFilter::GetTimeFormat(GUID* format) {
  if (!format) return E_POINTER;
  *format = TIME_FORMAT_MEDIA_TIME;
  return S_OK;
}

HRESULT TXSourceFilter::IsUsingTimeFormat(const GUID* format) { return IsFormatSupported(format); }
HRESULT TXSourceFilter::SetTimeFormat(const GUID*) { return E_NOTIMPL; }
HRESULT TXSourceFilter::GetDuration(LONGLONG*) { return E_NOTIMPL; }

HRESULT TXSourceFilter::GetStopPosition(LONGLONG* stop) {
  if (!stop) return E_POINTER;
  LONGLONG current = 0;
  return GetPositions(&current, stop);
}

HRESULT TXSourceFilter::GetCurrentPosition(LONGLONG* current) {
  if (!current) return E_POINTER;
  LONGLONG stop = 0;
  return GetPositions(current, &stop);
}

HRESULT TXSourceFilter::ConvertTimeFormat(LONGLONG*, const GUID*, LONGLONG, const GUID*) { return E_NOTIMPL; }
HRESULT TXSourceFilter::SetPositions(LONGLONG*, DWORD, LONGLONG*, DWORD) { return E_NOTIMPL; }
HRESULT TXSourceFilter::GetPositions(LONGLONG*, LONGLONG*) { return E_NOTIMPL; }
HRESULT TXSourceFilter::GetAvailable(LONGLONG*, LONGLONG*) { return E_NOTIMPL; }
HRESULT TXSourceFilter::SetRate(double) { return E_NOTIMPL; }

HRESULT TXSourceFilter::GetRate(double* rate) {
  if (!rate) return E_POINTER;
  *rate = 1.0;
  return S_OK;
}

HRESULT TXSourceFilter::GetPreroll(LONGLONG*) { return E_NOTIMPL; }

}  // namespace nv
