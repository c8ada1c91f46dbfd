#include "engine/VisualizationFrame.h"

#include <algorithm>
#include <cstddef>

namespace nv {

// Where observers find the parts.
static_assert(offsetof(VisualizationFrame, spectrumCopy) == 1024 && offsetof(VisualizationFrame, waveLeft) == 2048 &&
              offsetof(VisualizationFrame, waveRight) == 3072 && offsetof(VisualizationFrame, reserved) == 4096);

void MixBlocks(std::span<const VisualizerBlock* const> blocks, int divisor, VisualizerBlock& mix) {
  int found = 0;
  for (const VisualizerBlock* block : blocks) found += block != nullptr;
  divisor = std::max({divisor, found, 1});
  mix.left.fill(0);
  mix.right.fill(0);
  mix.time = 0;
  for (const VisualizerBlock* block : blocks) {
    if (!block) continue;
    for (int i = 0; i < kVisualizerBlockFrames; ++i) {
      mix.left[i] = static_cast<std::int16_t>(mix.left[i] + block->left[i] / divisor);
      mix.right[i] = static_cast<std::int16_t>(mix.right[i] + block->right[i] / divisor);
    }
    mix.time += block->time;
  }
}

VisualizerFrameBuilder::VisualizerFrameBuilder() : spectrum_(kSpectrumOrder) {}

void VisualizerFrameBuilder::Update(std::uint8_t wanted, std::span<const TapReading> taps) {
  if (wanted == 0) return;
  running_.clear();
  for (const TapReading& tap : taps)
    if (tap.running) running_.push_back(tap.block);
  const VisualizerBlock* shown = nullptr;
  if (running_.size() == 1) {
    shown = running_[0];
  } else if (std::any_of(running_.begin(), running_.end(), [](const VisualizerBlock* b) { return b != nullptr; })) {
    MixBlocks(running_, static_cast<int>(running_.size()), mix_);
    shown = &mix_;
  }
  if (!shown) {
    Clear();
    return;
  }
  if (shown->time == shownTime_) return;
  Show(*shown, wanted);
}

void VisualizerFrameBuilder::Clear() {
  frame_ = VisualizationFrame{};
  shownTime_.reset();
}

void VisualizerFrameBuilder::Show(const VisualizerBlock& block, std::uint8_t wanted) {
  shownTime_ = block.time;
  const bool waveform = wanted & kWantWaveform;
  const bool spectrum = wanted & kWantSpectrum;
  for (int i = 0; i < kVisualizerBlockFrames; ++i) {
    if (waveform) {
      frame_.waveLeft[i] = static_cast<std::uint8_t>((block.left[i] >> 8) + 128);
      frame_.waveRight[i] = static_cast<std::uint8_t>((block.right[i] >> 8) + 128);
    }
    if (spectrum) mono_[i] = static_cast<std::int16_t>((block.left[i] + block.right[i]) >> 1);
  }
  if (spectrum) {
    spectrum_.Compute(mono_, kSpectrumScale, frame_.spectrum);
    frame_.spectrumCopy = frame_.spectrum;
  } else {
    frame_.spectrum.fill(0);
    frame_.spectrumCopy.fill(0);
  }
}

}  // namespace nv
