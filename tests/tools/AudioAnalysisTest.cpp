// The analyser that playback tests trust must itself hear right.
#include <gtest/gtest.h>

#include "tests/common/AudioAnalysis.h"
#include "tests/common/ToneWav.h"

namespace nv::test {
namespace {

Recording Make(std::initializer_list<Tone> parts) {
  Recording r;
  for (const Tone& t : parts) {
    const auto samples = ToneSamples(t);
    r.samples.insert(r.samples.end(), samples.begin(), samples.end());
  }
  return r;
}

TEST(AudioAnalysis, LevelAndFrequencyOfTones) {
  struct Case {
    double hz, amplitude, expectedDb;
  } cases[] = {{440, 1.0, 0.0}, {880, 0.316228, -10.0}, {1320, 0.1, -20.0}, {100, 0.5, -6.02}};
  for (const Case& c : cases) {
    const Recording r = Make({{c.hz, 1000, 44100, 2, c.amplitude}});
    EXPECT_NEAR(LevelDb(r, 0, 1000), c.expectedDb, 0.05) << c.hz;
    EXPECT_NEAR(DominantFrequency(r, 100, 900), c.hz, 1.0) << c.hz;
    EXPECT_NEAR(DominantFrequency(r, 200, 250), c.hz, 3.0) << "in a 50 ms window, " << c.hz;
    EXPECT_NEAR(ToneLevelDb(r, c.hz, 100, 900), c.expectedDb, 0.2) << c.hz;
  }
}

TEST(AudioAnalysis, SilenceReadsAsNothing) {
  const Recording r = Make({{440, 500, 44100, 2, 0.0}});
  EXPECT_LE(LevelDb(r, 0, 500), -199);
  EXPECT_EQ(DominantFrequency(r, 0, 500), 0);
  EXPECT_TRUE(SoundSpans(r).empty());
}

TEST(AudioAnalysis, SpansAndGapsBetweenTones) {
  const Recording r = Make({{440, 300, 44100, 2, 0.0}, {440, 400}, {0, 100, 44100, 2, 0.0}, {880, 300}});
  const auto spans = SoundSpans(r, -50, 0);
  ASSERT_EQ(spans.size(), 2u);
  EXPECT_NEAR(spans[0].startMs, 300, 6);
  EXPECT_NEAR(spans[0].LengthMs(), 400, 11);
  const auto gaps = SilentGaps(r);
  ASSERT_EQ(gaps.size(), 1u);
  EXPECT_NEAR(gaps[0].LengthMs(), 100, 11);
  EXPECT_EQ(SoundSpans(r, -50, 150).size(), 1u) << "a short gap is bridged when asked";

  const auto a = SpansOfFrequency(r, 440);
  const auto b = SpansOfFrequency(r, 880);
  ASSERT_EQ(a.size(), 1u);
  ASSERT_EQ(b.size(), 1u);
  EXPECT_NEAR(a[0].LengthMs(), 400, 50);
  EXPECT_NEAR(b[0].startMs, 800, 50);
}

TEST(AudioAnalysis, FollowsOneToneUnderAnother) {
  // A mix of a loud 440 Hz and a quiet 880 Hz tone, as in the middle of a crossfade.
  Recording loud = Make({{440, 1000, 44100, 2, 0.5}});
  const Recording quiet = Make({{880, 1000, 44100, 2, 0.05}});
  for (std::size_t i = 0; i < loud.samples.size(); ++i) loud.samples[i] += quiet.samples[i];
  EXPECT_NEAR(ToneLevelDb(loud, 440, 100, 900), -6.02, 0.3);
  EXPECT_NEAR(ToneLevelDb(loud, 880, 100, 900), -26.02, 0.5);
}

}  // namespace
}  // namespace nv::test
