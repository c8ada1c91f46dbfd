// Crossfading, unbroken play and smooth navigation heard through the null sink: nvplay plays tones of different
// pitch, and the level of each pitch over time shows where the items overlap, fade and follow each other.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/common/AudioAnalysis.h"
#include "tests/engine/win/PlayerRun.h"

namespace nv::test {
namespace {

std::string Describe(const Span& span) {
  return std::to_string(static_cast<long>(span.startMs)) + ".." + std::to_string(static_cast<long>(span.endMs));
}

double Overlap(const Span& a, const Span& b) { return std::min(a.endMs, b.endMs) - std::max(a.startMs, b.startMs); }

// The level of `hz` in the first and in the last third of `span`.
std::pair<double, double> LevelAcross(const Recording& recording, double hz, const Span& span) {
  const double third = span.LengthMs() / 3;
  return {ToneLevelDb(recording, hz, span.startMs, span.startMs + third),
          ToneLevelDb(recording, hz, span.endMs - third, span.endMs)};
}

TEST(TransitionPlayback, ACrossfadeOverlapsTheItemsAndFitsAShortNextItem) {
  const PlayerRun run = RunPlayer({"--crossfade", "2000"}, {"a-440-8s.wav", "b-880-4s.wav", "c-1320-1.5s.wav"},
                                  "transition-crossfade");
  const Span a = ToneSpan(run.recording, 440), b = ToneSpan(run.recording, 880), c = ToneSpan(run.recording, 1320);
  SCOPED_TRACE("A " + Describe(a) + ", B " + Describe(b) + ", C " + Describe(c));
  ASSERT_GT(a.endMs, 0);
  ASSERT_GT(b.endMs, 0);
  ASSERT_GT(c.endMs, 0);

  // The fade lasts two seconds. On the volume curve the incoming item is inaudible for its first few percent and
  // the outgoing one for its last fifth or so, and each graph's output lags its position by up to 200 ms under
  // Wine, so both are heard for about 1.6 s of it.
  const Span ab{std::max(a.startMs, b.startMs), std::min(a.endMs, b.endMs)};
  EXPECT_NEAR(ab.LengthMs(), 1600, 350);
  const auto [aEarly, aLate] = LevelAcross(run.recording, 440, ab);
  const auto [bEarly, bLate] = LevelAcross(run.recording, 880, ab);
  EXPECT_GT(aEarly, aLate + 10) << "A falls";
  EXPECT_LT(bEarly, bLate - 10) << "B rises";
  EXPECT_NEAR(a.LengthMs(), 7700, 300) << "A plays to its end, its last moments faded below hearing";

  // C lasts 1.5 s, so the fade into it is as long as C, which is heard whole.
  EXPECT_NEAR(Overlap(b, c), 1250, 300);
  EXPECT_NEAR(c.LengthMs(), 1500, 250);
  EXPECT_LE(c.endMs, run.recording.DurationMs() - 300) << "nothing after the last item";

  const std::vector<std::string> outline = run.Outline();
  ASSERT_FALSE(outline.empty());
  EXPECT_EQ(outline.back(), "peStateChanged psStopped");
  EXPECT_EQ(run.Lines("peTransitionStarted").size(), 2u);
}

TEST(TransitionPlayback, UnbrokenPlayLeavesNoGapBetweenItems) {
  const PlayerRun run =
      RunPlayer({"--unbroken"}, {"tone-440.wav", "tone-880.ogg", "tone-1320.mp3"}, "transition-unbroken");
  const std::vector<Span> sound = SoundSpans(run.recording, -50, 0);
  ASSERT_FALSE(sound.empty());
  for (const Span& gap : SilentGaps(run.recording, -50)) EXPECT_LT(gap.LengthMs(), 150) << "at " << gap.startMs;
  const Span first = ToneSpan(run.recording, 440), second = ToneSpan(run.recording, 880),
             third = ToneSpan(run.recording, 1320);
  SCOPED_TRACE(Describe(first) + ", " + Describe(second) + ", " + Describe(third));
  // The next item starts before the current one is over, by at most the advance (300 ms). Under Wine it starts as
  // the current one's data ends, 150 ms or so before its end is heard (tools/bench item-gaps measures it).
  for (const double overlap : {Overlap(first, second), Overlap(second, third)}) {
    EXPECT_GT(overlap, 0);
    EXPECT_LT(overlap, 400);
  }
  EXPECT_NEAR(third.endMs - first.startMs, 3000, 400) << "three seconds of tones, one after the other";
}

TEST(TransitionPlayback, SmoothNavigationFadesToTheChosenItem) {
  const PlayerRun run =
      RunPlayer({"--smooth", "1500", "--at", "2000", "next"}, {"a-440-8s.wav", "b-880-4s.wav"}, "transition-smooth");
  const Span a = ToneSpan(run.recording, 440), b = ToneSpan(run.recording, 880);
  SCOPED_TRACE("A " + Describe(a) + ", B " + Describe(b));
  const Span ab{std::max(a.startMs, b.startMs), std::min(a.endMs, b.endMs)};
  EXPECT_NEAR(ab.LengthMs(), 1350, 300);
  EXPECT_NEAR(a.LengthMs(), 2000 + 1500, 400) << "A is left during the fade";
  EXPECT_NEAR(b.LengthMs(), 4000, 300) << "B plays whole";
}

TEST(TransitionPlayback, RepeatFadesFromTheLastItemToTheFirst) {
  const PlayerRun run = RunPlayer({"--crossfade", "1000", "--repeat", "--at", "5500", "quit"},
                                  {"b-880-4s.wav", "c-1320-1.5s.wav"}, "transition-repeat");
  ASSERT_EQ(run.Lines("peTransitionStarted").size(), 2u);
  const std::vector<PlayerLogLine> transitions = run.Lines("peTransitionStarted");
  EXPECT_NE(transitions[1].fields.at(0).find("b-880"), std::string::npos) << "the first item again";
  EXPECT_EQ(run.Lines("peCompleted").size(), 0u) << "nothing stopped in between";
}

TEST(TransitionPlayback, ANextItemThatFailsIsReportedOnceAndTheOneAfterIsHeard) {
  const PlayerRun run =
      RunPlayer({"--unbroken"}, {"b-880-4s.wav", "corrupt.mp3", "tone-440.wav"}, "transition-failed");
  EXPECT_EQ(run.Lines("buildError").size(), 1u);
  const Span b = ToneSpan(run.recording, 880), after = ToneSpan(run.recording, 440);
  SCOPED_TRACE("B " + Describe(b) + ", after " + Describe(after));
  EXPECT_NEAR(b.LengthMs(), 4000, 250) << "the current item ends normally";
  EXPECT_NEAR(after.LengthMs(), 1000, 250);
  EXPECT_GT(after.startMs, b.endMs - 100);
}

}  // namespace
}  // namespace nv::test
