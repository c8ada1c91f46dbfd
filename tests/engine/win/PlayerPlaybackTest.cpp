// The player component heard through the null sink: nvplay plays test media through a TXPlayer and logs its events,
// and the recording decides what was played, in which order, how loud and where.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/common/AudioAnalysis.h"
#include "tests/engine/win/PlayerRun.h"

namespace nv::test {
namespace {

// The items the player made current, in order (file names without their folder).
std::vector<std::string> CurrentItems(const PlayerRun& run) {
  std::vector<std::string> items;
  for (const std::string& line : run.Outline())
    if (line.starts_with("peCurrentChanged ")) items.push_back(line.substr(17));
  return items;
}

std::string Describe(const std::vector<Span>& spans) {
  std::string text;
  for (const Span& span : spans) text += std::to_string(span.startMs) + ".." + std::to_string(span.endMs) + " ";
  return text;
}

double Median(std::vector<long> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return static_cast<double>(values[values.size() / 2]);
}

TEST(PlayerPlayback, AListPlaysInOrderWithItsEventsInOrder) {
  const PlayerRun run = RunPlayer({}, {"tone-440.wav", "tone-880.ogg", "tone-1320.mp3"}, "player-list");

  const std::vector<HeardTone> heard = HeardTones(run.recording, {440, 880, 1320});
  ASSERT_EQ(Frequencies(heard), (std::vector<double>{440, 880, 1320}));
  for (const HeardTone& tone : heard) EXPECT_NEAR(tone.span.LengthMs(), 1000, 150) << tone.hz << " Hz";

  // Each item's end reaches the list first, which opens the next one: its events come before the observers and
  // the owner hear of the completion. The last completion leaves the first item current and the player stopped.
  const std::vector<std::string> expected = {
      "peCurrentChanged tone-440.wav",  "peStateChanged psPlaying", "peStreamEnded",
      "peCurrentChanged tone-880.ogg",  "peStateChanged psPlaying", "peCompleted",
      "peStreamEnded",                  "peCurrentChanged tone-1320.mp3", "peStateChanged psPlaying",
      "peCompleted",                    "peStreamEnded",            "peCurrentChanged tone-440.wav",
      "peCompleted",                    "peStateChanged psStopped",
  };
  EXPECT_EQ(run.Outline(), expected);

  // The position moves every 100 ms while an item plays.
  std::vector<long> intervals;
  long previous = -1;
  for (const PlayerLogLine& line : run.log) {
    if (line.what == "peCurrentChanged") previous = -1;
    if (line.what != "pePositionChanged") continue;
    if (previous >= 0) intervals.push_back(line.ms - previous);
    previous = line.ms;
  }
  EXPECT_GE(intervals.size(), 3u * 7);
  EXPECT_NEAR(Median(intervals), 100, 20);
}

TEST(PlayerPlayback, PauseLeavesSilenceAndPlayResumesWhereItStood) {
  // 440 Hz, 660 Hz from 1 s, 880 Hz from 2 s; paused at 1.5 s of playback for a second.
  const PlayerRun run =
      RunPlayer({"--spectrum", "--at", "1500", "pause", "--at", "2500", "play"}, {"steps.wav"}, "player-pause");

  const std::vector<Span> sound = SoundSpans(run.recording, -50, 50);
  ASSERT_EQ(sound.size(), 2u) << "one silence, where it was paused: " << Describe(sound);
  EXPECT_NEAR(sound[1].startMs - sound[0].endMs, 1000, 200);
  EXPECT_NEAR(sound[0].LengthMs() + sound[1].LengthMs(), 3000, 250) << "nothing lost, nothing played twice";
  EXPECT_NEAR(DominantFrequency(run.recording, sound[0].endMs - 150, sound[0].endMs - 20), 660, 15);
  EXPECT_NEAR(DominantFrequency(run.recording, sound[1].startMs + 20, sound[1].startMs + 150), 660, 15);

  const PlayerLogLine* paused = run.Find("peStateChanged", 1000);
  const PlayerLogLine* resumed = run.Find("command", 2000);
  ASSERT_TRUE(paused && resumed);
  ASSERT_EQ(paused->fields.at(0), "psPaused");
  // A frame already being made when the pause came may still arrive.
  const long quietFrom = paused->ms + 100;
  int positions = 0, frames = 0, framesPlaying = 0;
  for (const PlayerLogLine& line : run.log) {
    const bool whilePaused = line.ms > quietFrom && line.ms < resumed->ms;
    if (line.what == "pePositionChanged" && whilePaused) ++positions;
    if (line.what == "frame" && whilePaused) ++frames;
    if (line.what == "frame" && line.ms >= 400 && line.ms < 1400) ++framesPlaying;
  }
  EXPECT_EQ(positions, 0);
  EXPECT_EQ(frames, 0);
  EXPECT_NEAR(framesPlaying, 30, 5) << "frames a second while playing";
}

TEST(PlayerPlayback, SeeksAreClampedToTheItem) {
  struct Case {
    const char* seek;
    bool toEnd;                       // else to the start
    std::vector<double> heardAfter;  // the tones heard after the seek
  };
  const Case cases[] = {
      {"seek=-5000", false, {440, 660, 880}},
      {"seek=99999", true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seek);
    const PlayerRun run = RunPlayer({"--at", "1500", c.seek}, {"steps.wav"}, "player-seek");
    const PlayerLogLine* command = run.Find("command");
    ASSERT_TRUE(command);
    const PlayerLogLine* moved = run.Next("pePositionChanged", *command);
    ASSERT_TRUE(moved);
    if (c.toEnd)
      EXPECT_EQ(moved->Number(0), moved->Number(1)) << "the position is the duration";
    else
      EXPECT_EQ(moved->Number(0), 0);

    std::vector<double> expected = {440, 660};
    expected.insert(expected.end(), c.heardAfter.begin(), c.heardAfter.end());
    const std::vector<HeardTone> heard = HeardTones(run.recording, {440, 660, 880});
    EXPECT_EQ(Frequencies(heard), expected);
  }
}

TEST(PlayerPlayback, VolumeAndBalanceAreHeard) {
  struct Case {
    const char* what;
    std::vector<std::string> arguments;
    double leftDb, rightDb;  // relative to full volume
  };
  const Case cases[] = {
      {"full", {}, 0, 0},
      {"volume 50", {"--volume", "50"}, -10, -10},
      {"balance 50 to the left", {"--balance", "-50"}, 0, -10},
  };
  double fullLeft = 0, fullRight = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const PlayerRun run = RunPlayer(c.arguments, {"tone-440.wav"}, "player-volume");
    const std::vector<Span> sound = SoundSpans(run.recording, -60, 50);
    ASSERT_EQ(sound.size(), 1u);
    const double from = sound[0].startMs + 200, to = sound[0].endMs - 200;
    const double left = LevelDb(run.recording, from, to, 0), right = LevelDb(run.recording, from, to, 1);
    if (c.arguments.empty()) {
      fullLeft = left;
      fullRight = right;
      EXPECT_NEAR(left, -6.02, 1) << "the file's own level";
      continue;
    }
    EXPECT_NEAR(left - fullLeft, c.leftDb, 0.5);
    EXPECT_NEAR(right - fullRight, c.rightDb, 0.5);
  }
}

TEST(PlayerPlayback, AnItemThatCannotBeBuiltIsReportedOnceAndPassedOver) {
  const PlayerRun run = RunPlayer({}, {"tone-440.wav", "corrupt.mp3", "tone-880.ogg"}, "player-corrupt");

  const std::vector<PlayerLogLine> errors = run.Lines("buildError");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].fields.at(0).find("corrupt.mp3"), std::string::npos);
  EXPECT_EQ(CurrentItems(run), (std::vector<std::string>{"tone-440.wav", "corrupt.mp3", "tone-880.ogg", "tone-440.wav"}));
  EXPECT_EQ(Frequencies(HeardTones(run.recording, {440, 880})), (std::vector<double>{440, 880}));
  // The failed item is found by the next position tick; the next one then builds and plays.
  const PlayerLogLine* next = run.Find("peStateChanged", errors[0].ms + 1);
  ASSERT_TRUE(next);
  EXPECT_LT(next->ms - errors[0].ms, 1000);
}

TEST(PlayerPlayback, TheSpectrumFollowsWhatIsHeardForEverySampleFormat) {
  // 440 Hz lies in DFT bin 10 of 1024 samples at 44.1 kHz: element 9.
  for (const char* file : {"tone-440-u8.wav", "tone-440.wav", "tone-440-float.wav"}) {
    SCOPED_TRACE(file);
    const PlayerRun run = RunPlayer({"--spectrum"}, {file}, "player-spectrum");
    const PlayerLogLine* playing = run.Find("peStateChanged");
    const PlayerLogLine* ended = run.Find("peStreamEnded");
    ASSERT_TRUE(playing && ended);
    int frames = 0, atTone = 0;
    for (const PlayerLogLine& line : run.Lines("frame")) {
      if (line.ms < playing->ms + 300 || line.ms >= playing->ms + 800) continue;
      ++frames;
      if (line.Number(0) == 9) ++atTone;
    }
    EXPECT_NEAR(frames, 15, 3) << "about 30 frames a second";
    EXPECT_GE(atTone, frames - 1) << "the peak is the tone's";
  }
}

TEST(PlayerPlayback, ShuffleAndRepeatChooseWhatIsHeardNext) {
  {
    SCOPED_TRACE("shuffle");
    const PlayerRun run = RunPlayer({"--shuffle"}, {"tone-440.wav", "tone-880.ogg", "tone-1320.mp3"}, "player-shuffle");
    const std::vector<std::string> items = CurrentItems(run);
    ASSERT_EQ(items.size(), 4u) << "three items, then the first of the order again";
    std::vector<double> played;
    for (std::size_t i = 0; i < 3; ++i) played.push_back(std::stod(items[i].substr(5)));
    EXPECT_EQ(Frequencies(HeardTones(run.recording, {440, 880, 1320})), played) << "heard in the shuffled order";
    std::sort(played.begin(), played.end());
    EXPECT_EQ(played, (std::vector<double>{440, 880, 1320})) << "each item once";
  }
  {
    SCOPED_TRACE("repeat");
    const PlayerRun run = RunPlayer({"--repeat", "--at", "3600", "quit"}, {"tone-440.wav", "tone-880.ogg"}, "player-repeat");
    const std::vector<HeardTone> heard = HeardTones(run.recording, {440, 880});
    ASSERT_GE(heard.size(), 3u) << "the first item again after the last";
    for (std::size_t i = 0; i < heard.size(); ++i) EXPECT_EQ(heard[i].hz, i % 2 == 0 ? 440 : 880) << i;
  }
}

}  // namespace
}  // namespace nv::test
