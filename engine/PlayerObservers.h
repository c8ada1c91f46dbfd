#pragma once
// The player's observers (the player controls) and the list the player keeps of them. Events come on the
// user-interface thread; DataWanted and SpectrumData on the visualiser's timer thread.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/PlayerTypes.h"
#include "engine/VisualizationFrame.h"

namespace nv {

class TPlayerCore;

class IXPlayerObserver {
public:
  virtual void PlayerEvent(TPlayerCore& player, TPlayerEventType event, void* param) = 0;
  // kWantWaveform | kWantSpectrum: what this observer shows.
  virtual std::uint8_t DataWanted() = 0;
  // On a foreign thread.
  virtual void SpectrumData(const VisualizationFrame& frame) = 0;
  // The player is being destroyed and has forgotten its observers: whoever holds it lets go of it now.
  virtual void PlayerFreed(TPlayerCore& player) {}

protected:
  ~IXPlayerObserver() = default;
};

// Observers are called outside the list's lock, from a snapshot, so that an observer may add or remove observers
// (itself included) from inside a call, and a slow observer on one thread does not hold up the other. One removed
// meanwhile is not called any more; Remove waits for a call still running on another thread to return, so that an
// observer can be destroyed as soon as it is removed.
class TPlayerObservers {
public:
  // False when the observer is already registered.
  bool Add(IXPlayerObserver& observer);
  void Remove(IXPlayerObserver& observer);
  void Clear();
  // Clears the list, then tells each observer it held that the player is going.
  void PlayerFreed(TPlayerCore& player);

  void PlayerEvent(TPlayerCore& player, TPlayerEventType event, void* param);
  // The observers' wishes together.
  std::uint8_t DataWanted();
  void SpectrumData(const VisualizationFrame& frame);

private:
  template <class Call>
  void ForEach(const Call& call);
  bool IsRegistered(const IXPlayerObserver* observer) const;

  struct RunningCall {
    IXPlayerObserver* observer;
    std::thread::id thread;
  };
  std::mutex lock_;
  std::condition_variable callEnded_;
  std::vector<IXPlayerObserver*> observers_;
  std::vector<RunningCall> running_;
};

}  // namespace nv
