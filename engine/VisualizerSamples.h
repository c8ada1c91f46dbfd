#pragma once
// The PCM streams the visualiser tap reads, and how one sample frame of them becomes a 16-bit stereo pair.
#include <cstdint>
#include <optional>

namespace nv {

// The fields of a stream's wave format (WAVEFORMATEX, and the sub-format of WAVEFORMATEXTENSIBLE) the tap needs.
struct TapWaveFormat {
  std::uint16_t formatTag = 0;
  std::uint16_t channels = 0;
  std::uint32_t samplesPerSecond = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
  bool floatSubFormat = false;  // an extensible format whose sub-format is IEEE float
};

enum class TapSampleKind { kUnsigned8, kSigned16, kSigned24, kSigned32, kFloat32 };

// How the tap reads a stream it accepted.
struct TapLayout {
  TapSampleKind kind = TapSampleKind::kSigned16;
  int channels = 2;               // 1 or 2
  std::uint32_t frameBytes = 4;   // the block align: at least one sample per channel
  std::uint32_t samplesPerSecond = 44100;

  // The length of one block of the tap, in 100-ns units.
  std::int64_t BlockDuration() const;
};

// Mono or stereo, integer PCM of 8, 16, 24 or 32 bits or 32-bit IEEE float (plain or extensible), a non-zero rate,
// and frames large enough for their samples; nothing else is visualised.
std::optional<TapLayout> TapLayoutOf(const TapWaveFormat& format);

struct StereoSample {
  std::int16_t left = 0;
  std::int16_t right = 0;
};

// One frame of `layout.frameBytes` bytes; a mono sample goes to both sides. Samples are scaled to the full 16-bit
// range: 8-bit 0 is −32768 and 255 is 32767, float beyond ±1 is clipped and NaN is silence.
StereoSample ReadFrame(const std::uint8_t* frame, const TapLayout& layout);

}  // namespace nv
