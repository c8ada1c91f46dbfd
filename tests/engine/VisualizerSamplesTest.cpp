// Which PCM streams the visualiser tap reads, and how their sample frames become 16-bit stereo.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#include "engine/VisualizerSamples.h"
#include "filters/FilterConstants.h"

namespace nv {
namespace {

constexpr std::uint16_t kPcm = 1, kFloat = 3, kExtensible = 0xFFFE, kAdpcm = 2;

TapWaveFormat Format(std::uint16_t tag, std::uint16_t channels, std::uint16_t bits, bool floatSubFormat = false,
                     std::uint32_t rate = 44100) {
  return {tag, channels, rate, static_cast<std::uint16_t>(channels * bits / 8), bits, floatSubFormat};
}

TEST(TapLayoutOf, ReadsMonoAndStereoIntegerAndFloatPcm) {
  struct Case {
    const char* what;
    TapWaveFormat format;
    bool read;
    TapSampleKind kind;
  };
  TapWaveFormat tinyFrames = Format(kPcm, 2, 16);
  tinyFrames.blockAlign = 2;
  TapWaveFormat paddedFrames = Format(kPcm, 2, 24);
  paddedFrames.blockAlign = 8;  // 24-bit samples in 32-bit containers
  const Case cases[] = {
      {"8-bit stereo", Format(kPcm, 2, 8), true, TapSampleKind::kUnsigned8},
      {"16-bit mono", Format(kPcm, 1, 16), true, TapSampleKind::kSigned16},
      {"24-bit stereo", Format(kPcm, 2, 24), true, TapSampleKind::kSigned24},
      {"24-bit in 32-bit frames", paddedFrames, true, TapSampleKind::kSigned24},
      {"32-bit integer", Format(kPcm, 2, 32), true, TapSampleKind::kSigned32},
      {"32-bit float", Format(kFloat, 2, 32), true, TapSampleKind::kFloat32},
      {"extensible float", Format(kExtensible, 2, 32, true), true, TapSampleKind::kFloat32},
      {"extensible integer", Format(kExtensible, 2, 16, false), false, {}},
      {"six channels", Format(kPcm, 6, 16), false, {}},
      {"no channels", Format(kPcm, 0, 16), false, {}},
      {"12 bits", Format(kPcm, 2, 12), false, {}},
      {"16-bit float", Format(kFloat, 2, 16), false, {}},
      {"64-bit float", Format(kFloat, 2, 64), false, {}},
      {"compressed", Format(kAdpcm, 2, 4), false, {}},
      {"sample rate 0", Format(kPcm, 2, 16, false, 0), false, {}},
      {"block align 0", {kPcm, 2, 44100, 0, 16, false}, false, {}},
      {"frames smaller than their samples", tinyFrames, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<TapLayout> layout = TapLayoutOf(c.format);
    ASSERT_EQ(layout.has_value(), c.read);
    if (!layout) continue;
    EXPECT_EQ(layout->kind, c.kind);
    EXPECT_EQ(layout->channels, c.format.channels);
    EXPECT_EQ(layout->frameBytes, c.format.blockAlign);
  }
}

TEST(TapLayout, ABlockLasts1024Frames) {
  EXPECT_EQ(TapLayoutOf(Format(kPcm, 2, 16, false, 44100))->BlockDuration(), 232199);  // 23.2 ms
  EXPECT_EQ(TapLayoutOf(Format(kPcm, 2, 16, false, 48000))->BlockDuration(), 213333);
  EXPECT_EQ(TapLayoutOf(Format(kPcm, 1, 8, false, 8000))->BlockDuration(), 128 * kUnitsPerMs);
  EXPECT_EQ((TapLayout{TapSampleKind::kSigned16, 2, 4, 0}.BlockDuration()), 0) << "no division by a zero rate";
}

std::vector<std::uint8_t> FloatBytes(float left, float right) {
  std::vector<std::uint8_t> bytes(8);
  std::memcpy(bytes.data(), &left, 4);
  std::memcpy(bytes.data() + 4, &right, 4);
  return bytes;
}

TEST(ReadFrame, ScalesEverySampleKindToSixteenBits) {
  struct Case {
    const char* what;
    TapWaveFormat format;
    std::vector<std::uint8_t> frame;
    std::int16_t left;
    std::int16_t right;
  };
  constexpr float kInf = std::numeric_limits<float>::infinity();
  const Case cases[] = {
      {"8-bit centre is zero", Format(kPcm, 2, 8), {128, 128}, 0, 0},
      {"8-bit 0 is the bottom of the range, not below it", Format(kPcm, 2, 8), {0, 1}, -32768, -32767},
      {"8-bit 255 is the top", Format(kPcm, 2, 8), {255, 192}, 32767, 64 * 32767 / 127},
      {"8-bit steps round toward zero", Format(kPcm, 2, 8), {129, 127}, 258, -258},
      {"16-bit as is", Format(kPcm, 2, 16), {0x34, 0x12, 0x00, 0x80}, 0x1234, -32768},
      {"24-bit keeps the two high bytes", Format(kPcm, 2, 24), {0xFF, 0x34, 0x12, 0x00, 0x00, 0x80}, 0x1234, -32768},
      {"32-bit integer shifted right by 16", Format(kPcm, 2, 32), {0xFF, 0xFF, 0x34, 0x12, 0, 0, 0xFF, 0xFF},
       0x1234, -1},
      {"float full scale", Format(kFloat, 2, 32), FloatBytes(1.0f, -1.0f), 32767, -32767},
      {"float rounds", Format(kFloat, 2, 32), FloatBytes(0.5f, -0.25f), 16384, -8192},
      {"float beyond full scale is clipped", Format(kFloat, 2, 32), FloatBytes(1.5f, -kInf), 32767, -32767},
      {"float NaN is silence", Format(kFloat, 2, 32), FloatBytes(std::numeric_limits<float>::quiet_NaN(), 0.0f), 0, 0},
      {"mono goes to both sides", Format(kPcm, 1, 16), {0x00, 0x40}, 0x4000, 0x4000},
      {"mono 8-bit", Format(kPcm, 1, 8), {0}, -32768, -32768},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<TapLayout> layout = TapLayoutOf(c.format);
    ASSERT_TRUE(layout);
    ASSERT_EQ(c.frame.size(), layout->frameBytes);
    const StereoSample sample = ReadFrame(c.frame.data(), *layout);
    EXPECT_EQ(sample.left, c.left);
    EXPECT_EQ(sample.right, c.right);
  }
}

}  // namespace
}  // namespace nv
