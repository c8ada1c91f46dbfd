#pragma once
// The visualiser: about 30 times a second, on a multimedia timer, it takes from every registered tap the block
// being heard (mixing the taps of two graphs during a crossfade), makes the visualisation frame and hands it to the
// player, which passes it to its observers.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/EngineConstants.h"
#include "engine/VisualizationFrame.h"
#include "filters/win/XBCCritSec.h"

namespace nv {

class TXVisualizerFilter;

// What the visualiser serves: the player, which asks its observers what they want and passes the frames on. Both
// calls come on the multimedia timer's thread.
class VisualizationSink {
public:
  // kWantWaveform | kWantSpectrum as the observers want them; 0 makes no frame this tick.
  virtual std::uint8_t DataWanted() = 0;
  // A frame for the observers. No lock of the visualiser is held, and `frame` is the visualiser's own copy for
  // this delivery, unchanged until the call returns: the player may hand it to its observers outside its locks.
  virtual void FrameReady(const VisualizationFrame& frame) = 0;

protected:
  ~VisualizationSink() = default;
};

// The taps registered with one visualiser, shared with the taps: a tap that outlives its visualiser leaves an
// emptied list instead of a freed object. Its lock also guards the visualiser's frame.
class TXVisualizerTaps {
public:
  TXBCCritSec& Lock() { return lock_; }
  void Add(TXVisualizerFilter* tap);
  void Remove(TXVisualizerFilter* tap);
  std::size_t Count();
  // Under Lock().
  const std::vector<TXVisualizerFilter*>& List() const { return taps_; }
  void LetAllGo();

private:
  TXBCCritSec lock_;
  std::vector<TXVisualizerFilter*> taps_;  // not counted: a tap removes itself when destroyed
};

class TXVisualizer {
public:
  // `frameRate` frames per second (at least 1).
  explicit TXVisualizer(VisualizationSink& sink, unsigned frameRate = kVisualizerFrameRate);
  // Stops the timer and lets go of the taps still registered.
  ~TXVisualizer();
  TXVisualizer(const TXVisualizer&) = delete;
  TXVisualizer& operator=(const TXVisualizer&) = delete;

  // Start and Stop come from the user-interface thread, never from inside the sink's calls.
  // (Re)starts the periodic timer: every 1000 / rate ms, with a resolution of 100 / rate ms.
  void Start();
  // Kills the timer; when this returns no tick is running. Observers keep the last frame.
  void Stop();
  bool IsStarted() const { return timer_ != 0; }

  const std::shared_ptr<TXVisualizerTaps>& Taps() const { return taps_; }

private:
  static void CALLBACK TimerFired(UINT timer, UINT, DWORD_PTR visualizer, DWORD_PTR, DWORD_PTR);
  void Tick();

  VisualizationSink& sink_;
  const unsigned frameRate_;
  const std::shared_ptr<TXVisualizerTaps> taps_;
  UINT timer_ = 0;
  // The tick's own: ticks of one timer never overlap.
  VisualizerFrameBuilder builder_;  // under the taps' lock
  std::vector<VisualizerBlock> blocks_;
  std::vector<TapReading> readings_;
  VisualizationFrame delivered_{};
};

}  // namespace nv
