#pragma once
// One item's graph as the player's logic sees it. The Windows layer's TXPlayerGraph is one; the player's logic and
// its tests know graphs only through this. Every call comes from the user-interface thread, and any call that
// builds (Prepare, Play) may handle window messages meanwhile, so the player may be re-entered during it.
#include <cstdint>
#include <exception>
#include <optional>

#include "engine/GraphTypes.h"

namespace nv {

class TXPlayListItem;

class TPlaybackGraph {
public:
  // Counted (TXGraphRef); the graph frees itself when the last hold goes.
  virtual unsigned long AddRef() = 0;
  virtual unsigned long Release() = 0;

  virtual TXGraphState State() const = 0;
  // The item it plays; null for none, or once the player let go of it.
  virtual TXPlayListItem* Item() const = 0;
  // The player lets go for good: the graph no longer reaches the player or its item.
  virtual void DetachPlayer() = 0;

  // Builds a closed graph (and pre-rolls it). True when built or still building; raises EAbort when the graph was
  // let go of during its build.
  virtual bool Prepare() = 0;
  // Play builds first when needed; a failed build is reported by the graph and leaves it gsFailed. Failures to run
  // or pause raise. Stop never raises.
  virtual void Play() = 0;
  virtual void Pause() = 0;
  virtual void Stop() = 0;
  // Stops a build at its next check, or releases what a built graph holds; Play builds it again.
  virtual void Close() = 0;
  // Reports an error of running the graph on it: the graph-built event and the item's error text.
  virtual void ReportError(const std::exception& error) = 0;

  // 100-ns units relative to the item's start; 0 unless built.
  virtual std::int64_t Duration() = 0;
  virtual std::int64_t Position() = 0;
  // False when the graph refused the seek.
  virtual bool Seek(std::int64_t position) = 0;
  virtual bool CanSeek() = 0;
  virtual bool IsSeekable() = 0;
  virtual bool HasAudio() const = 0;
  virtual bool HasVideo() const = 0;
  virtual TXAudioInfo GetAudioInfo() = 0;
  // Once all of the stream's data was delivered: how much of it is still to be heard (100-ns units); otherwise
  // none.
  virtual std::optional<std::int64_t> BufferedAfterEnd() = 0;

  // Fade attenuation in percent (0 full volume, 100 silent), applied at once.
  virtual std::uint8_t Attenuation() const = 0;
  virtual void SetAttenuation(int percent) = 0;
  // The player's volume, mute and balance (with the attenuation) onto the graph.
  virtual void ApplyVolume() = 0;

protected:
  ~TPlaybackGraph() = default;
};

}  // namespace nv
