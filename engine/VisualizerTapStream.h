#pragma once
// What the visualiser tap does with the audio passing through it: cuts it into blocks of 1024 sample frames,
// converts them to 16-bit stereo, stamps each with its media time and queues it until it is heard.
#include <cstdint>
#include <optional>
#include <span>

#include "engine/VisualizerBlocks.h"
#include "engine/VisualizerSamples.h"

namespace nv {

class VisualizerTapStream {
public:
  // The stream's layout; none (a format the tap cannot read) passes the audio without looking at it.
  void SetLayout(std::optional<TapLayout> layout);
  bool Reads() const { return layout_.has_value(); }
  std::int64_t BlockDuration() const { return blockDuration_; }

  // A segment starting at media time `start`: its first block starts there; what was queued is gone.
  void NewSegment(std::int64_t start);

  // Reads the whole frames of `bytes` (a trailing partial frame is ignored). A full block is queued when the next
  // frame arrives, and the next block starts one block duration later. `playTime` is the media time being heard
  // now, when known: a block stamped earlier than that is late and is restamped half a block ahead of it, and the
  // blocks it has left more than a block behind are dropped.
  void Consume(std::span<const std::uint8_t> bytes, std::optional<std::int64_t> playTime);

  // The queued block nearest to `playTime`, or null.
  const VisualizerBlock* CurrentBlock(std::int64_t playTime) const { return queue_.Nearest(playTime); }
  const TTempBufferQueue& Queue() const { return queue_; }

private:
  void QueueBlock(std::optional<std::int64_t> playTime);

  std::optional<TapLayout> layout_;
  std::int64_t blockDuration_ = 0;
  VisualizerBlock current_;  // being filled; its time is the block's
  int fill_ = 0;             // frames in current_
  TTempBufferQueue queue_;
};

}  // namespace nv
