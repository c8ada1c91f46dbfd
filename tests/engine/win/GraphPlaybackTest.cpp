// Player graphs built for real files under Wine and heard through the null sink: each format by its rule and by
// DirectShow's own graph, the fail-safe attempt after a failed first one, the filters' names, the sub-range of an
// item and the minimum position, and the volume, balance and mute curve.
#include <gtest/gtest.h>

#include <cstdio>

#include "engine/EngineConstants.h"
#include "engine/win/FriendlyFilterName.h"
#include "support/win/WideText.h"
#include "support/win/WinGuid.h"
#include "tests/common/TestPaths.h"
#include "tests/common/AudioAnalysis.h"
#include "tests/common/win/WineTestEnv.h"
#include "tests/engine/win/GraphTestPlayer.h"
#include "tests/engine/win/TestSources.h"
#include "tests/filters/FilterTestGraph.h"

using Microsoft::WRL::ComPtr;

namespace nv::test {
namespace {

std::wstring RendererName(int number = 0, int of = 1) {
  std::wstring name = FriendlyFilterName(CLSID_DSoundRender) + L" ";
  if (of > 1) name += L" " + std::to_wstring(number);
  return name;
}

class GraphPlayback : public ::testing::Test {
protected:
  // Plays a built graph to its end and lets the renderer drain.
  void PlayToEnd(TXPlayerGraph& graph) {
    ASSERT_NO_THROW(graph.Play());
    ASSERT_EQ(graph.RunState(), rsRunning);
    ASSERT_TRUE(PumpUntil([&] { return !player_.graphsCompleted.empty(); }, 8000)) << "no EC_COMPLETE";
    PumpFor(kRendererDrainMs);
    graph.Stop();
  }

  ComApartment com_;
  RegisteredTestSources sources_;
  GraphTestPlayer player_;
  TestPlayList playlist_;
};

// One recording per test: the plays follow each other with silence between them, each heard as one tone.
TEST_F(GraphPlayback, EachFormatBuildsByItsRuleByTheStandardGraphAndByTheFailSafeAttemptAndIsHeard) {
  enum class Way { Rule, StandardGraph, FailSafe };
  struct Case {
    const char* file;
    double hz;
    Way way;
  };
  const Case cases[] = {
      {"tone-440.wav", 440, Way::Rule},     {"tone-440.wav", 440, Way::StandardGraph},
      {"tone-660.mp3", 660, Way::Rule},     {"tone-660.mp3", 660, Way::StandardGraph},
      {"tone-880.ogg", 880, Way::Rule},     {"tone-880.ogg", 880, Way::StandardGraph},
      // The rule's source filter does not exist: the second attempt builds DirectShow's own graph.
      {"tone-660.mp3", 660, Way::FailSafe},
  };
  AudioRecorder recorder("engine-formats");
  recorder.Start();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.file << " way " << static_cast<int>(c.way));
    player_.rules.clear();
    if (c.way == Way::Rule) player_.rules.push_back(SourceRule(".wav;.mp3;.ogg", CLSID_AsyncReader));
    if (c.way == Way::FailSafe) player_.rules.push_back(SourceRule(".wav;.mp3;.ogg", CLSID_TestMissing));
    player_.buildErrors.clear();
    player_.graphsCompleted.clear();
    TXPlayListItem& item = playlist_.Add(MediaPath(c.file));
    const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);

    ASSERT_TRUE(graph->Prepare());
    ASSERT_EQ(graph->State(), gsBuilt);
    EXPECT_EQ(graph->RuleText(1), c.way == Way::StandardGraph ? "" : ".wav;.mp3;.ogg");
    EXPECT_EQ(graph->Attempt(), c.way == Way::FailSafe ? 2 : 1);
    EXPECT_EQ(player_.buildErrors.size(), c.way == Way::FailSafe ? 1u : 0u);
    if (c.way == Way::FailSafe && !player_.buildErrors.empty()) {
      EXPECT_EQ(player_.buildErrors[0].phase, bpSourceFilter);
    }
    ASSERT_EQ(graph->AudioRenderers().size(), 1u);
    EXPECT_EQ(FilterName(graph->AudioRenderers()[0].Get()), RendererName());
    EXPECT_EQ(FilterName(graph->SourceFilter()), MarkedToWide(item.FileName()));
    EXPECT_NEAR(graph->Duration() / 10'000.0, 1000, 60);
    PlayToEnd(*graph);
  }

  const Recording heard = recorder.Stop();
  const std::vector<Span> tones = TonesHeard(heard);
  ASSERT_EQ(tones.size(), std::size(cases));
  for (std::size_t i = 0; i < tones.size(); ++i) {
    SCOPED_TRACE(cases[i].file);
    EXPECT_NEAR(tones[i].LengthMs(), 1000, 120);
    EXPECT_NEAR(DominantFrequency(heard, tones[i].startMs + 100, tones[i].endMs - 100), cases[i].hz, 15);
  }
}

TEST_F(GraphPlayback, TwoStreamsPlayTogetherThroughTheirOwnRenderers) {
  player_.rules.push_back(SourceRule(".tones", CLSID_TestTwoTones));
  TXPlayListItem& item = playlist_.Add(StreamPath("played.tones"));
  const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);
  ASSERT_TRUE(graph->Prepare());
  ASSERT_EQ(graph->AudioRenderers().size(), 2u);
  AudioRecorder recorder("engine-two-streams");
  recorder.Start();
  PlayToEnd(*graph);

  const Recording heard = recorder.Stop();
  const std::vector<Span> tones = TonesHeard(heard);
  ASSERT_EQ(tones.size(), 1u);
  EXPECT_NEAR(tones[0].LengthMs(), 1000, 120);
  const double from = tones[0].startMs + 100, to = tones[0].endMs - 100;
  // Each stream is a quarter of full scale (-12 dB). The two renderers start and stop on their own, a little
  // apart on a busy machine: what counts is that both tones are there.
  EXPECT_GT(ToneLevelDb(heard, 440, from, to), -18);
  EXPECT_GT(ToneLevelDb(heard, 660, from, to), -18);
}

TEST_F(GraphPlayback, ASubRangePlaysFromItsStartToItsEndButNotBeforeTheMinimumPosition) {
  // steps.wav: 440 Hz, 660 Hz from 1 s, 880 Hz from 2 s.
  struct Case {
    const char* range;
    std::int32_t minPosition;
    double heardMs;
  };
  const Case cases[] = {{"<1000,2000>", 0, 1000}, {"<1000,2000>", 1500, 500}};
  AudioRecorder recorder("engine-sub-range");
  recorder.Start();
  for (const Case& c : cases) {
    player_.minPosition = c.minPosition;
    player_.graphsCompleted.clear();
    TXPlayListItem& item = playlist_.Add(MediaPath("steps.wav") + c.range);
    const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);
    ASSERT_TRUE(graph->Prepare());
    PlayToEnd(*graph);
  }

  const Recording heard = recorder.Stop();
  const std::vector<Span> tones = TonesHeard(heard);
  ASSERT_EQ(tones.size(), std::size(cases));
  for (std::size_t i = 0; i < tones.size(); ++i) {
    SCOPED_TRACE(testing::Message() << cases[i].range << " from " << cases[i].minPosition << " ms on");
    EXPECT_NEAR(tones[i].LengthMs(), cases[i].heardMs, 120);
    const double from = tones[i].startMs, to = tones[i].endMs;
    EXPECT_NEAR(DominantFrequency(heard, from + 50, to - 50), 660, 15);
    const double level = ToneLevelDb(heard, 660, from, to);
    EXPECT_LT(ToneLevelDb(heard, 440, from, to), level - 20) << "heard from before the start";
    EXPECT_LT(ToneLevelDb(heard, 880, from, to), level - 20) << "heard beyond the end";
  }
}

TEST_F(GraphPlayback, VolumeBalanceAttenuationAndMuteAreHeard) {
  struct Case {
    const char* what;
    int volume;
    bool muted;
    int balance;
    int attenuation;
    double leftDb, rightDb;  // relative to full volume
  };
  // Muted comes last: it is heard as nothing, between the tones.
  const Case cases[] = {
      {"full", 100, false, 0, 0, 0, 0},
      {"volume 50", 50, false, 0, 0, -10, -10},
      {"balance 50 to the right", 100, false, 50, 0, -10, 0},
      {"balance 50 to the left", 100, false, -50, 0, 0, -10},
      {"half faded", 100, false, 0, 50, -10, -10},
      {"muted", 100, true, 0, 0, 0, 0},
  };
  AudioRecorder recorder("engine-volume");
  recorder.Start();
  for (const Case& c : cases) {
    player_.volume = c.volume;
    player_.muted = c.muted;
    player_.balance = c.balance;
    player_.graphsCompleted.clear();
    TXPlayListItem& item = playlist_.Add(MediaPath("tone-440.wav"));
    const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);
    ASSERT_TRUE(graph->Prepare());
    graph->SetAttenuation(c.attenuation);
    PlayToEnd(*graph);
  }

  const Recording heard = recorder.Stop();
  // Quieter than the tones at -16 dB, louder than anything a muted graph lets through.
  const std::vector<Span> tones = SoundSpans(heard, -60, 150);
  ASSERT_EQ(tones.size(), std::size(cases) - 1) << "the muted play is not heard";
  const auto levels = [&](const Span& tone) {
    const double from = tone.startMs + 150, to = tone.endMs - 150;
    return std::pair(LevelDb(heard, from, to, 0), LevelDb(heard, from, to, 1));
  };
  const auto [fullLeft, fullRight] = levels(tones[0]);
  EXPECT_NEAR(fullLeft, -6.02, 1) << "the file's own level";
  EXPECT_NEAR(fullRight, -6.02, 1);
  for (std::size_t i = 1; i < tones.size(); ++i) {
    SCOPED_TRACE(cases[i].what);
    const auto [left, right] = levels(tones[i]);
    EXPECT_NEAR(left - fullLeft, cases[i].leftDb, 1);
    EXPECT_NEAR(right - fullRight, cases[i].rightDb, 1);
  }
}

}  // namespace
}  // namespace nv::test
