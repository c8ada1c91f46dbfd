#include "engine/PlayerObservers.h"

#include <algorithm>

namespace nv {

bool TPlayerObservers::IsRegistered(const IXPlayerObserver* observer) const {
  return std::find(observers_.begin(), observers_.end(), observer) != observers_.end();
}

bool TPlayerObservers::Add(IXPlayerObserver& observer) {
  const std::lock_guard hold(lock_);
  if (IsRegistered(&observer)) return false;
  observers_.push_back(&observer);
  return true;
}

void TPlayerObservers::Remove(IXPlayerObserver& observer) {
  std::unique_lock hold(lock_);
  std::erase(observers_, &observer);
  // A call on this thread is the observer removing itself (or being removed by another observer it called):
  // waiting for it would never end.
  const std::thread::id self = std::this_thread::get_id();
  callEnded_.wait(hold, [&] {
    return std::none_of(running_.begin(), running_.end(),
                        [&](const RunningCall& call) { return call.observer == &observer && call.thread != self; });
  });
}

void TPlayerObservers::Clear() {
  std::unique_lock hold(lock_);
  observers_.clear();
  const std::thread::id self = std::this_thread::get_id();
  callEnded_.wait(hold, [&] {
    return std::none_of(running_.begin(), running_.end(), [&](const RunningCall& call) { return call.thread != self; });
  });
}

void TPlayerObservers::PlayerFreed(TPlayerCore& player) {
  std::vector<IXPlayerObserver*> held;
  {
    const std::lock_guard hold(lock_);
    held = observers_;
  }
  Clear();
  for (IXPlayerObserver* observer : held) observer->PlayerFreed(player);
}

template <class Call>
void TPlayerObservers::ForEach(const Call& call) {
  std::vector<IXPlayerObserver*> snapshot;
  {
    const std::lock_guard hold(lock_);
    snapshot = observers_;
  }
  const std::thread::id self = std::this_thread::get_id();
  for (IXPlayerObserver* observer : snapshot) {
    {
      const std::lock_guard hold(lock_);
      if (!IsRegistered(observer)) continue;
      running_.push_back({observer, self});
    }
    const struct CallEnd {
      TPlayerObservers& list;
      IXPlayerObserver* observer;
      std::thread::id thread;
      ~CallEnd() {
        {
          const std::lock_guard hold(list.lock_);
          const auto found = std::find_if(list.running_.begin(), list.running_.end(), [&](const RunningCall& running) {
            return running.observer == observer && running.thread == thread;
          });
          if (found != list.running_.end()) list.running_.erase(found);
        }
        list.callEnded_.notify_all();
      }
    } end{*this, observer, self};
    call(*observer);
  }
}

void TPlayerObservers::PlayerEvent(TPlayerCore& player, TPlayerEventType event, void* param) {
  ForEach([&](IXPlayerObserver& observer) { observer.PlayerEvent(player, event, param); });
}

std::uint8_t TPlayerObservers::DataWanted() {
  std::uint8_t wanted = 0;
  ForEach([&](IXPlayerObserver& observer) { wanted |= observer.DataWanted(); });
  return wanted;
}

void TPlayerObservers::SpectrumData(const VisualizationFrame& frame) {
  ForEach([&](IXPlayerObserver& observer) { observer.SpectrumData(frame); });
}

}  // namespace nv
