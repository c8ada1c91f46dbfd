#include "engine/win/VisualizerTaps.h"

#include "engine/win/XVisualizerFilter.h"

using Microsoft::WRL::ComPtr;

namespace nv {

void InsertVisualizerTaps(IGraphBuilder* graph, std::vector<ComPtr<IPin>>& pins, TXVisualizer* visualizer) {
  for (ComPtr<IPin>& pin : pins) {
    const ComPtr<TXVisualizerFilter> tap = TXVisualizerFilter::Create(visualizer);
    IBaseFilter* filter = tap->AsBaseFilter();
    if (FAILED(graph->AddFilter(filter, kVisualizerFilterName))) return;
    if (SUCCEEDED(graph->Connect(pin.Get(), tap->InputPin()))) {
      pin = tap->OutputPin();
    } else {
      graph->RemoveFilter(filter);
    }
  }
}

}  // namespace nv
