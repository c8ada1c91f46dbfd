#pragma once
// The player's visualiser: its frames go to the player's observers, and what they want decides what is made.
#include "engine/PlayerObservers.h"
#include "engine/win/XVisualizer.h"

namespace nv {

class TXPlayerVisualizer final : public VisualizationSink {
public:
  explicit TXPlayerVisualizer(TPlayerObservers& observers) : observers_(observers) {}

  TXVisualizer& Visualizer() { return visualizer_; }

  // On the visualiser's timer thread. The observers are called outside their list's lock, so one that registers
  // or unregisters on the user-interface thread meanwhile never waits for a frame nor deadlocks with the tick.
  std::uint8_t DataWanted() override { return observers_.DataWanted(); }
  void FrameReady(const VisualizationFrame& frame) override { observers_.SpectrumData(frame); }

private:
  TPlayerObservers& observers_;
  // Last: it stops its timer first when destroyed.
  TXVisualizer visualizer_{*this};
};

}  // namespace nv
