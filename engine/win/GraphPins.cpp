#include "engine/win/GraphPins.h"

#include <algorithm>

using Microsoft::WRL::ComPtr;

namespace nv {

TIFilterList FiltersOf(IFilterGraph* graph) {
  TIFilterList filters;
  ComPtr<IEnumFilters> enumerator;
  if (!graph || FAILED(graph->EnumFilters(&enumerator))) return filters;
  for (ComPtr<IBaseFilter> filter; enumerator->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK;)
    filters.push_back(filter);
  return filters;
}

namespace {

template <class Visit>
void ForEachPin(IBaseFilter* filter, Visit visit) {
  ComPtr<IEnumPins> pins;
  if (!filter || FAILED(filter->EnumPins(&pins))) return;
  for (ComPtr<IPin> pin; pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK;) {
    PIN_DIRECTION direction;
    if (SUCCEEDED(pin->QueryDirection(&direction)) && !visit(pin, direction)) return;
  }
}

}  // namespace

TPinList PinsOf(IBaseFilter* filter, PIN_DIRECTION direction) {
  TPinList pins;
  ForEachPin(filter, [&](const ComPtr<IPin>& pin, PIN_DIRECTION d) {
    if (d == direction) pins.push_back(pin);
    return true;
  });
  return pins;
}

bool HasPins(IBaseFilter* filter) {
  bool any = false;
  ForEachPin(filter, [&](const ComPtr<IPin>&, PIN_DIRECTION) { return !(any = true); });
  return any;
}

bool HasConnectedPin(IBaseFilter* filter) {
  bool connected = false;
  ForEachPin(filter, [&](const ComPtr<IPin>& pin, PIN_DIRECTION) { return !(connected = PeerOf(pin.Get()) != nullptr); });
  return connected;
}

bool HasConnectedInput(IBaseFilter* filter) {
  bool connected = false;
  ForEachPin(filter, [&](const ComPtr<IPin>& pin, PIN_DIRECTION direction) {
    return !(connected = direction == PINDIR_INPUT && PeerOf(pin.Get()) != nullptr);
  });
  return connected;
}

ComPtr<IPin> PeerOf(IPin* pin) {
  ComPtr<IPin> peer;
  if (!pin || FAILED(pin->ConnectedTo(&peer))) return nullptr;
  return peer;
}

ComPtr<IBaseFilter> FilterOf(IPin* pin) {
  PIN_INFO info{};
  if (!pin || FAILED(pin->QueryPinInfo(&info))) return nullptr;
  ComPtr<IBaseFilter> filter;
  filter.Attach(info.pFilter);
  return filter;
}

TIFilterList TerminalFilters(const TPinList& pins) {
  TIFilterList terminals;
  TIFilterList visited;
  TPinList pending(pins.rbegin(), pins.rend());
  while (!pending.empty()) {
    const ComPtr<IPin> pin = pending.back();
    pending.pop_back();
    const ComPtr<IBaseFilter> filter = FilterOf(PeerOf(pin.Get()).Get());
    // By address: mingw-w64's ComPtr has no operator==, and comparing two of them compares whether they are set.
    const auto seen = [&](const ComPtr<IBaseFilter>& other) { return other.Get() == filter.Get(); };
    if (!filter || std::any_of(visited.begin(), visited.end(), seen)) continue;
    visited.push_back(filter);
    const TPinList outputs = PinsOf(filter.Get(), PINDIR_OUTPUT);
    if (outputs.empty()) {
      terminals.push_back(filter);
      continue;
    }
    // Depth first, in pin order.
    pending.insert(pending.end(), outputs.rbegin(), outputs.rend());
  }
  return terminals;
}

}  // namespace nv
