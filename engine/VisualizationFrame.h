#pragma once
// The frame the visualiser hands to the player's observers about 30 times a second, and how a tick makes it from
// the blocks the taps are playing.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <type_traits>
#include <vector>

#include "engine/Fourier.h"
#include "engine/VisualizerBlocks.h"

namespace nv {

// 4112 bytes, laid out as the observers read them.
struct VisualizationFrame {
  // Element k − 1 is DFT bin k (k = 1..512; bin k is k × rate / 1024 Hz); all 0 unless the spectrum was asked for.
  std::array<std::uint16_t, 512> spectrum;
  std::array<std::uint16_t, 512> spectrumCopy;  // the second channel's slot: the same values
  // Unsigned 8-bit, 128 is zero: a sample's high byte + 128. Rewritten only when the waveform was asked for.
  std::array<std::uint8_t, kVisualizerBlockFrames> waveLeft;
  std::array<std::uint8_t, kVisualizerBlockFrames> waveRight;
  std::array<std::uint8_t, 16> reserved;
};
static_assert(sizeof(VisualizationFrame) == 4112 && std::is_standard_layout_v<VisualizationFrame>);

// The blocks of several taps (two graphs during a crossfade) as one: every sample divided by `divisor` first, so
// the sum cannot overflow, and the times summed. `divisor` is raised to the number of blocks when below it.
void MixBlocks(std::span<const VisualizerBlock* const> blocks, int divisor, VisualizerBlock& mix);

// What a tick learns of one registered tap: the block at its play time (null for none) and whether its graph runs.
// A paused graph (the next item pre-rolled, or one built for the properties dialog) has a block at its play time
// too, but nobody hears it.
struct TapReading {
  const VisualizerBlock* block = nullptr;
  bool running = false;
};

// The visualiser's frame and what it last showed.
class VisualizerFrameBuilder {
public:
  VisualizerFrameBuilder();

  // One tick. `wanted` is what the observers asked for (kWantWaveform, kWantSpectrum); `taps` is every registered
  // tap. Only running taps are shown: one alone at full scale, several (two graphs during a crossfade) mixed, each
  // at its share of the scale whether or not it has a block yet. No running tap, or no block, clears the frame; a
  // block (or mix) with the time already shown leaves it as it is, so a frame that repeats costs nothing.
  void Update(std::uint8_t wanted, std::span<const TapReading> taps);

  const VisualizationFrame& Frame() const { return frame_; }

private:
  void Clear();
  void Show(const VisualizerBlock& block, std::uint8_t wanted);

  TSpectrum spectrum_;
  VisualizationFrame frame_{};
  std::optional<std::int64_t> shownTime_;  // none: the frame shows no block
  VisualizerBlock mix_;
  std::vector<const VisualizerBlock*> running_;  // the running taps' blocks of a tick
  std::array<std::int16_t, kVisualizerBlockFrames> mono_{};
};

}  // namespace nv
