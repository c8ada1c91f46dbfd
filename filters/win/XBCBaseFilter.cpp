#include "filters/win/XBCBaseFilter.h"

#include <algorithm>
#include <cwchar>
#include <new>

#include "filters/win/XBCBasePin.h"
#include "filters/win/XBCEnumerators.h"

using Microsoft::WRL::ComPtr;

namespace nv {

TXBCBaseFilter::TXBCBaseFilter(std::wstring_view name, IUnknown* outer, const CLSID& clsid)
    : TXBCNamedObject(name, outer), clsid_(clsid) {}

TXBCBaseFilter::~TXBCBaseFilter() = default;

HRESULT TXBCBaseFilter::NonDelegatingQueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IBaseFilter || iid == IID_IMediaFilter || iid == IID_IPersist)
    return GetInterface(static_cast<IBaseFilter*>(this), object);
  return TXBCNamedObject::NonDelegatingQueryInterface(iid, object);
}

HRESULT TXBCBaseFilter::GetClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = clsid_;
  return S_OK;
}

HRESULT TXBCBaseFilter::Stop() {
  TXBCAutoLock lock(filterLock_);
  HRESULT result = S_OK;
  if (!IsStopped()) {
    // Every connected pin is told, even after one failed.
    for (int i = 0, count = GetPinCount(); i < count; ++i) {
      TXBCBasePin* pin = GetPin(i);
      if (!pin || !pin->IsConnected()) continue;
      const HRESULT hr = pin->Inactive();
      if (FAILED(hr) && SUCCEEDED(result)) result = hr;
    }
  }
  SetState(State_Stopped);
  return result;
}

HRESULT TXBCBaseFilter::Pause() {
  TXBCAutoLock lock(filterLock_);
  if (IsStopped()) {
    for (int i = 0, count = GetPinCount(); i < count; ++i) {
      TXBCBasePin* pin = GetPin(i);
      if (!pin || !pin->IsConnected()) continue;
      const HRESULT hr = pin->Active();
      if (FAILED(hr)) return hr;
    }
  }
  SetState(State_Paused);
  return S_OK;
}

HRESULT TXBCBaseFilter::Run(REFERENCE_TIME start) {
  TXBCAutoLock lock(filterLock_);
  {
    std::lock_guard clock(clockLock_);
    start_ = start;
  }
  if (IsStopped()) {
    const HRESULT hr = Pause();
    if (FAILED(hr)) return hr;
  }
  if (State() != State_Running) {
    for (int i = 0, count = GetPinCount(); i < count; ++i) {
      TXBCBasePin* pin = GetPin(i);
      if (!pin || !pin->IsConnected()) continue;
      const HRESULT hr = pin->Run(start);
      if (FAILED(hr)) return hr;
    }
  }
  SetState(State_Running);
  return S_OK;
}

HRESULT TXBCBaseFilter::GetState(DWORD, FILTER_STATE* state) {
  if (!state) return E_POINTER;
  *state = State();
  return S_OK;
}

HRESULT TXBCBaseFilter::SetSyncSource(IReferenceClock* clock) {
  TXBCAutoLock lock(filterLock_);
  std::lock_guard guard(clockLock_);
  clock_ = clock;
  return S_OK;
}

HRESULT TXBCBaseFilter::GetSyncSource(IReferenceClock** clock) {
  if (!clock) return E_POINTER;
  std::lock_guard guard(clockLock_);
  *clock = ComPtr<IReferenceClock>(clock_).Detach();
  return S_OK;
}

HRESULT TXBCBaseFilter::EnumPins(IEnumPins** pins) { return TXBCEnumPins::Create(*this, pins); }

HRESULT TXBCBaseFilter::FindPin(LPCWSTR id, IPin** pin) {
  if (!id || !pin) return E_POINTER;
  TXBCAutoLock lock(filterLock_);
  for (int i = 0, count = GetPinCount(); i < count; ++i) {
    TXBCBasePin* candidate = GetPin(i);
    if (candidate && candidate->Name() == id) {
      *pin = candidate;
      candidate->AddRef();
      return S_OK;
    }
  }
  *pin = nullptr;
  return VFW_E_NOT_FOUND;
}

HRESULT TXBCBaseFilter::QueryFilterInfo(FILTER_INFO* info) {
  if (!info) return E_POINTER;
  TXBCAutoLock lock(filterLock_);
  const std::size_t length = std::min<std::size_t>(filterName_.size(), MAX_FILTER_NAME - 1);
  std::wmemcpy(info->achName, filterName_.data(), length);
  info->achName[length] = L'\0';
  info->pGraph = graph_;
  if (graph_) graph_->AddRef();
  return S_OK;
}

HRESULT TXBCBaseFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
  TXBCAutoLock lock(filterLock_);
  graph_ = graph;
  IMediaEventSink* sink = nullptr;
  if (graph && SUCCEEDED(graph->QueryInterface(IID_PPV_ARGS(&sink)))) sink->Release();  // the graph outlives us
  eventSink_ = sink;
  try {
    filterName_ = graph && name ? name : L"";
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT TXBCBaseFilter::QueryVendorInfo(LPWSTR*) { return E_NOTIMPL; }

REFERENCE_TIME TXBCBaseFilter::StartTime() const {
  std::lock_guard guard(clockLock_);
  return start_;
}

HRESULT TXBCBaseFilter::StreamTime(REFERENCE_TIME& time) {
  ComPtr<IReferenceClock> clock;
  REFERENCE_TIME start = 0;
  {
    std::lock_guard guard(clockLock_);
    clock = clock_;
    start = start_;
  }
  if (!clock) return VFW_E_NO_CLOCK;
  const HRESULT hr = clock->GetTime(&time);
  if (FAILED(hr)) return hr;
  time -= start;
  return S_OK;
}

int TXBCBaseFilter::GetPinVersion() { return pinVersion_; }

HRESULT TXBCBaseFilter::NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2) {
  IMediaEventSink* sink = eventSink_;
  if (!sink) return E_NOTIMPL;
  if (code == EC_COMPLETE) param2 = reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this));
  return sink->Notify(code, param1, param2);
}

HRESULT TXBCBaseFilter::ReconnectPin(IPin* pin, const AM_MEDIA_TYPE* type) {
  TXBCAutoLock lock(filterLock_);
  if (!graph_) return E_NOINTERFACE;
  ComPtr<IFilterGraph2> graph2;
  if (SUCCEEDED(graph_->QueryInterface(IID_PPV_ARGS(&graph2)))) return graph2->ReconnectEx(pin, type);
  return graph_->Reconnect(pin);
}

}  // namespace nv
