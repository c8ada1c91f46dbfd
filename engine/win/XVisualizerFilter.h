#pragma once
// The visualiser tap: a PCM information filter that also cuts the passing audio into blocks of 1024 frames of
// 16-bit stereo, stamps them with their media time and queues them, so that the visualiser can show the block
// being heard. The player puts one into every decoded PCM stream; a stream it cannot read (more than two channels,
// an unusual sample format) refuses it and plays without visualisation and without the exact timing of the
// information filter.
#include <memory>

#include "engine/VisualizerTapStream.h"
#include "filters/win/XPCMAudioInfoFilter.h"

#include <wrl/client.h>

namespace nv {

class TXVisualizer;
class TXVisualizerTaps;

// The name a tap has in a graph.
inline constexpr wchar_t kVisualizerFilterName[] = L"Visualizer";

class TXVisualizerFilter : public TXPCMAudioInfoFilter {
public:
  // A tap registered with `visualizer` until it is destroyed; without one it only times the stream.
  static Microsoft::WRL::ComPtr<TXVisualizerFilter> Create(TXVisualizer* visualizer);
  explicit TXVisualizerFilter(TXVisualizer* visualizer);
  ~TXVisualizerFilter() override;

  // Mono or stereo, 8-, 16-, 24- or 32-bit integer PCM or 32-bit float (plain or extensible) — float also under
  // its own subtype, as decoders deliver it.
  HRESULT CheckInputType(const AM_MEDIA_TYPE& type) override;
  HRESULT SetMediaType(PIN_DIRECTION direction, const AM_MEDIA_TYPE& type) override;
  // Counts the sample, then reads its frames into blocks.
  HRESULT Transform(IMediaSample* sample) override;
  HRESULT NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

  // A copy of the queued block nearest to the time being heard; false while stopped or when there is none.
  bool CopyCurrentBlock(VisualizerBlock& block);

private:
  std::shared_ptr<TXVisualizerTaps> taps_;  // the visualiser's registry, or null
  VisualizerTapStream stream_;              // under the info lock
};

}  // namespace nv
