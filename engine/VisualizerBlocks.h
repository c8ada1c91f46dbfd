#pragma once
// The visualiser tap's blocks: 1024 sample frames of 16-bit stereo stamped with the media time of their first
// frame, and the queue that holds them until they are heard.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "engine/EngineConstants.h"

namespace nv {

struct VisualizerBlock {
  std::array<std::int16_t, kVisualizerBlockFrames> left{};
  std::array<std::int16_t, kVisualizerBlockFrames> right{};
  std::int64_t time = 0;  // 100-ns units, media time
};

// Blocks waiting to be shown, in ascending time. Steady playback allocates nothing: a new block takes the storage
// of one that has played out.
class TTempBufferQueue {
public:
  // More than this many blocks are never held, whether or not the play time moves (a graph without a clock runs
  // as fast as it can): the oldest make room. About 12 seconds at 44100 Hz.
  static constexpr std::size_t kMaxBlocks = 512;

  // Drops the blocks whose time is not later than `dropThrough` (when given), then appends a copy of `block`.
  void Append(const VisualizerBlock& block, std::optional<std::int64_t> dropThrough);
  void Clear() { blocks_.clear(); }

  // The block whose time is nearest to `time`: the earlier one of two as near, the first when all are later;
  // null when the queue is empty.
  const VisualizerBlock* Nearest(std::int64_t time) const;
  std::size_t Count() const { return blocks_.size(); }
  const VisualizerBlock& operator[](std::size_t i) const { return *blocks_[i]; }

private:
  std::vector<std::unique_ptr<VisualizerBlock>> blocks_;
};

}  // namespace nv
