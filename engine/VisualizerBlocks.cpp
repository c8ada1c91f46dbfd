#include "engine/VisualizerBlocks.h"

#include <utility>

namespace nv {

void TTempBufferQueue::Append(const VisualizerBlock& block, std::optional<std::int64_t> dropThrough) {
  std::size_t played = 0;
  if (dropThrough)
    while (played < blocks_.size() && blocks_[played]->time <= *dropThrough) ++played;
  if (played == 0 && blocks_.size() >= kMaxBlocks) played = 1;
  std::unique_ptr<VisualizerBlock> storage =
      played > 0 ? std::move(blocks_.front()) : std::make_unique<VisualizerBlock>();
  blocks_.erase(blocks_.begin(), blocks_.begin() + static_cast<std::ptrdiff_t>(played));
  *storage = block;
  blocks_.push_back(std::move(storage));
}

const VisualizerBlock* TTempBufferQueue::Nearest(std::int64_t time) const {
  const VisualizerBlock* nearest = nullptr;
  std::int64_t distance = 0;
  for (const auto& block : blocks_) {
    const std::int64_t d = block->time > time ? block->time - time : time - block->time;
    if (!nearest || d < distance) {
      nearest = block.get();
      distance = d;
    }
  }
  return nearest;
}

}  // namespace nv
