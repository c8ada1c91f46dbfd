#pragma once
// Walking a filter graph: its filters, their pins and the connections between them.
#include <wrl/client.h>

#include <vector>

#include "support/win/DirectShow.h"

namespace nv {

using TIFilterList = std::vector<Microsoft::WRL::ComPtr<IBaseFilter>>;
using TPinList = std::vector<Microsoft::WRL::ComPtr<IPin>>;

// Every filter of the graph in enumeration order.
TIFilterList FiltersOf(IFilterGraph* graph);
// The filter's pins of one direction, in order.
TPinList PinsOf(IBaseFilter* filter, PIN_DIRECTION direction);
bool HasPins(IBaseFilter* filter);
bool HasConnectedPin(IBaseFilter* filter);
bool HasConnectedInput(IBaseFilter* filter);
// The pin at the other end of the connection; null when the pin is not connected.
Microsoft::WRL::ComPtr<IPin> PeerOf(IPin* pin);
Microsoft::WRL::ComPtr<IBaseFilter> FilterOf(IPin* pin);

// The filters at the ends of the chains that start at `pins`: reached through the connections downstream, they
// have no output pin. Each once, in the order found.
TIFilterList TerminalFilters(const TPinList& pins);

// The first of `filters` that offers `Interface`, or null.
template <class Interface>
Microsoft::WRL::ComPtr<Interface> FirstOffering(const TIFilterList& filters) {
  for (const auto& filter : filters) {
    Microsoft::WRL::ComPtr<Interface> offered;
    if (SUCCEEDED(filter.As(&offered))) return offered;
  }
  return nullptr;
}

}  // namespace nv
