#include "engine/VisualizerSamples.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/EngineConstants.h"
#include "filters/FilterConstants.h"

namespace nv {
namespace {

// WAVEFORMATEX format tags.
constexpr std::uint16_t kWaveFormatPcm = 1;
constexpr std::uint16_t kWaveFormatIeeeFloat = 3;
constexpr std::uint16_t kWaveFormatExtensible = 0xFFFE;

std::optional<TapSampleKind> KindOf(const TapWaveFormat& format) {
  const bool isFloat = format.formatTag == kWaveFormatIeeeFloat ||
                       (format.formatTag == kWaveFormatExtensible && format.floatSubFormat);
  if (isFloat) {
    // Float samples are 32-bit; other sizes would be read as integers of that size.
    if (format.bitsPerSample == 32) return TapSampleKind::kFloat32;
    return std::nullopt;
  }
  if (format.formatTag != kWaveFormatPcm) return std::nullopt;
  switch (format.bitsPerSample) {
    case 8: return TapSampleKind::kUnsigned8;
    case 16: return TapSampleKind::kSigned16;
    case 24: return TapSampleKind::kSigned24;
    case 32: return TapSampleKind::kSigned32;
    default: return std::nullopt;
  }
}

std::int16_t ReadSample(const std::uint8_t* p, TapSampleKind kind) {
  switch (kind) {
    case TapSampleKind::kUnsigned8:
      // 0..255 around 128 onto the 16-bit range; 0 would scale to −33025, below it.
      return static_cast<std::int16_t>(std::max((p[0] - 128) * 32767 / 127, -32768));
    case TapSampleKind::kSigned16:
      return static_cast<std::int16_t>(p[0] | p[1] << 8);
    case TapSampleKind::kSigned24:
      return static_cast<std::int16_t>(p[1] | p[2] << 8);  // the two high bytes
    case TapSampleKind::kSigned32:
      return static_cast<std::int16_t>(p[2] | p[3] << 8);  // the value shifted right by 16
    case TapSampleKind::kFloat32: {
      float value;
      std::memcpy(&value, p, sizeof value);
      if (std::isnan(value)) return 0;
      return static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f));
    }
  }
  return 0;
}

std::uint32_t SampleBytes(TapSampleKind kind) {
  switch (kind) {
    case TapSampleKind::kUnsigned8: return 1;
    case TapSampleKind::kSigned16: return 2;
    case TapSampleKind::kSigned24: return 3;
    case TapSampleKind::kSigned32:
    case TapSampleKind::kFloat32: return 4;
  }
  return 0;
}

}  // namespace

std::int64_t TapLayout::BlockDuration() const {
  return samplesPerSecond ? kVisualizerBlockFrames * kUnitsPerSecond / samplesPerSecond : 0;
}

std::optional<TapLayout> TapLayoutOf(const TapWaveFormat& format) {
  const std::optional<TapSampleKind> kind = KindOf(format);
  if (!kind || (format.channels != 1 && format.channels != 2) || format.samplesPerSecond == 0) return std::nullopt;
  // A block align too small for the frame's samples would have them read beyond it.
  if (format.blockAlign < format.channels * SampleBytes(*kind)) return std::nullopt;
  return TapLayout{*kind, format.channels, format.blockAlign, format.samplesPerSecond};
}

StereoSample ReadFrame(const std::uint8_t* frame, const TapLayout& layout) {
  const std::int16_t left = ReadSample(frame, layout.kind);
  if (layout.channels == 1) return {left, left};
  return {left, ReadSample(frame + SampleBytes(layout.kind), layout.kind)};
}

}  // namespace nv
