#include "engine/VisualizerTapStream.h"

namespace nv {

void VisualizerTapStream::SetLayout(std::optional<TapLayout> layout) {
  layout_ = layout;
  blockDuration_ = layout ? layout->BlockDuration() : 0;
}

void VisualizerTapStream::NewSegment(std::int64_t start) {
  current_.time = start;
  fill_ = 0;
  queue_.Clear();
}

void VisualizerTapStream::Consume(std::span<const std::uint8_t> bytes, std::optional<std::int64_t> playTime) {
  if (!layout_ || layout_->frameBytes == 0) return;
  const std::size_t frameBytes = layout_->frameBytes;
  for (std::size_t at = 0; bytes.size() - at >= frameBytes; at += frameBytes) {
    if (fill_ == kVisualizerBlockFrames) {
      QueueBlock(playTime);
      current_.time += blockDuration_;
      fill_ = 0;
    }
    const StereoSample sample = ReadFrame(bytes.data() + at, *layout_);
    current_.left[fill_] = sample.left;
    current_.right[fill_] = sample.right;
    ++fill_;
  }
}

void VisualizerTapStream::QueueBlock(std::optional<std::int64_t> playTime) {
  std::optional<std::int64_t> dropThrough;
  if (playTime) {
    if (current_.time < *playTime) current_.time = *playTime + blockDuration_ / 2;
    dropThrough = *playTime - blockDuration_;
  }
  queue_.Append(current_, dropThrough);
}

}  // namespace nv
