// The visualisation frame a tick makes from the taps' blocks: waveform and spectrum as asked for, silence, no tap,
// a block already shown, and two taps mixed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "engine/VisualizationFrame.h"

namespace nv {
namespace {

constexpr std::uint8_t kBoth = kWantWaveform | kWantSpectrum;

VisualizerBlock SineBlock(int bin, double amplitude, std::int64_t time) {
  VisualizerBlock block;
  for (int t = 0; t < kVisualizerBlockFrames; ++t) {
    const auto value = static_cast<std::int16_t>(
        std::lround(amplitude * 32767 * std::sin(2 * std::numbers::pi * bin * t / kVisualizerBlockFrames)));
    block.left[t] = block.right[t] = value;
  }
  block.time = time;
  return block;
}

VisualizerBlock Filled(std::int16_t left, std::int16_t right, std::int64_t time) {
  VisualizerBlock block;
  block.left.fill(left);
  block.right.fill(right);
  block.time = time;
  return block;
}

int PeakElement(const VisualizationFrame& frame) {
  return static_cast<int>(std::max_element(frame.spectrum.begin(), frame.spectrum.end()) - frame.spectrum.begin());
}

bool AllZero(const VisualizationFrame& frame) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&frame);
  return std::all_of(bytes, bytes + sizeof frame, [](std::uint8_t b) { return b == 0; });
}

void Show(VisualizerFrameBuilder& builder, std::uint8_t wanted, const VisualizerBlock& block) {
  const TapReading taps[] = {{&block, true}};
  builder.Update(wanted, taps);
}

TEST(VisualizerFrame, SilenceIsAFlatFrame) {
  VisualizerFrameBuilder builder;
  Show(builder, kBoth, Filled(0, 0, 0));
  const VisualizationFrame& frame = builder.Frame();
  EXPECT_TRUE(std::all_of(frame.waveLeft.begin(), frame.waveLeft.end(), [](auto b) { return b == 128; }));
  EXPECT_TRUE(std::all_of(frame.waveRight.begin(), frame.waveRight.end(), [](auto b) { return b == 128; }));
  EXPECT_TRUE(std::all_of(frame.spectrum.begin(), frame.spectrum.end(), [](auto v) { return v == 0; }));
  EXPECT_EQ(frame.spectrumCopy, frame.spectrum);
}

TEST(VisualizerFrame, TheWaveformIsEachSamplesHighBytePlus128) {
  struct Case {
    std::int16_t sample;
    std::uint8_t byte;
  };
  const Case cases[] = {{0, 128}, {255, 128}, {256, 129}, {-1, 127}, {32767, 255}, {-32768, 0}, {-256, 127}};
  for (const Case& c : cases) {
    VisualizerFrameBuilder builder;
    Show(builder, kWantWaveform, Filled(c.sample, static_cast<std::int16_t>(-c.sample - 1), 0));
    EXPECT_EQ(builder.Frame().waveLeft[500], c.byte) << c.sample;
    EXPECT_EQ(builder.Frame().waveRight[500], static_cast<std::uint8_t>(255 - c.byte)) << "right of " << c.sample;
  }
}

TEST(VisualizerFrame, GivesWhatWasAskedFor) {
  const VisualizerBlock tone = SineBlock(40, 1.0, 1000);
  {
    VisualizerFrameBuilder builder;
    Show(builder, kWantSpectrum, tone);
    EXPECT_EQ(PeakElement(builder.Frame()), 39) << "element k - 1 is bin k";
    EXPECT_NEAR(builder.Frame().spectrum[39], 2317, 1);
    EXPECT_EQ(builder.Frame().spectrumCopy, builder.Frame().spectrum);
    EXPECT_EQ(builder.Frame().waveLeft[10], 0) << "the waveform is left alone";
  }
  {
    VisualizerFrameBuilder builder;
    Show(builder, kBoth, tone);
    Show(builder, kWantWaveform, SineBlock(40, 1.0, 2000));
    EXPECT_EQ(builder.Frame().spectrum[39], 0) << "no spectrum asked for: zero";
    EXPECT_NE(builder.Frame().waveLeft[10], 128);
  }
  {
    VisualizerFrameBuilder builder;
    Show(builder, 0, tone);
    EXPECT_TRUE(AllZero(builder.Frame())) << "nothing asked for: nothing done";
  }
}

TEST(VisualizerFrame, ABlockAlreadyShownChangesNothing) {
  VisualizerFrameBuilder builder;
  Show(builder, kBoth, SineBlock(40, 1.0, 5000));
  Show(builder, kBoth, SineBlock(80, 1.0, 5000));  // same time: not looked at again
  EXPECT_EQ(PeakElement(builder.Frame()), 39);
  Show(builder, kBoth, SineBlock(80, 1.0, 5001));
  EXPECT_EQ(PeakElement(builder.Frame()), 79);
}

TEST(VisualizerFrame, NoRunningTapOrNoBlockClearsTheFrame) {
  const VisualizerBlock tone = SineBlock(40, 1.0, 0);
  const std::vector<TapReading> cases[] = {
      {}, {{nullptr, true}}, {{nullptr, true}, {nullptr, true}},
      {{&tone, false}},  // only a paused graph's tap: the item built for the properties dialog
  };
  for (const std::vector<TapReading>& taps : cases) {
    VisualizerFrameBuilder builder;
    Show(builder, kBoth, tone);
    builder.Update(kBoth, taps);
    EXPECT_TRUE(AllZero(builder.Frame())) << taps.size() << " taps";
    Show(builder, kBoth, tone);
    EXPECT_EQ(PeakElement(builder.Frame()), 39) << "the block is shown again after the frame was cleared";
  }
}

TEST(VisualizerFrame, MixesTheRunningTapsOfACrossfade) {
  const VisualizerBlock fadingOut = SineBlock(20, 1.0, 10'000);
  const VisualizerBlock fadingIn = SineBlock(60, 1.0, 20'000);
  struct Case {
    const char* what;
    std::vector<TapReading> taps;
    int expected20;
    int expected60;
  };
  const Case cases[] = {
      {"both running: each at half scale", {{&fadingOut, true}, {&fadingIn, true}}, 1158, 1158},
      {"one stopped: the other at full scale", {{&fadingOut, true}, {nullptr, false}}, 2317, 0},
      {"one running without a block yet: half scale", {{nullptr, true}, {&fadingIn, true}}, 0, 1158},
      // For seconds before each transition the next item waits pre-rolled, paused on its first block.
      {"a paused tap is not mixed in", {{&fadingOut, true}, {&fadingIn, false}}, 2317, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    VisualizerFrameBuilder builder;
    builder.Update(kBoth, c.taps);
    EXPECT_NEAR(builder.Frame().spectrum[19], c.expected20, 2);
    EXPECT_NEAR(builder.Frame().spectrum[59], c.expected60, 2);
  }
}

TEST(VisualizerFrame, MixingDividesEachSampleFirstAndSumsTheTimes) {
  const VisualizerBlock a = Filled(32767, -32768, 100), b = Filled(32767, -3, 23);
  const VisualizerBlock* blocks[] = {&a, &b};
  VisualizerBlock mix;
  MixBlocks(blocks, 2, mix);
  EXPECT_EQ(mix.left[7], 16383 + 16383);
  EXPECT_EQ(mix.right[7], -16384 + -1) << "integer division rounds toward zero";
  EXPECT_EQ(mix.time, 123);
}

}  // namespace
}  // namespace nv
