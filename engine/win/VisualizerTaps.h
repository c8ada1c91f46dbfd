#pragma once
// Putting visualiser taps into a graph being built.
#include "support/win/DirectShow.h"

#include <wrl/client.h>

#include <vector>

namespace nv {

class TXVisualizer;

// For each decoded PCM output pin: a new tap is added to the graph as "Visualizer" and connected from the pin by
// intelligent connection (converters may be put between). When it connects, the tap's output pin takes the pin's
// place in `pins`; otherwise the tap leaves the graph and the pin stays. When the graph refuses a tap, no further
// taps are tried.
void InsertVisualizerTaps(IGraphBuilder* graph, std::vector<Microsoft::WRL::ComPtr<IPin>>& pins,
                          TXVisualizer* visualizer);

}  // namespace nv
