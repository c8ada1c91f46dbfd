// Player graphs built for real files under Wine and heard through the null sink: each format by its rule and by
// DirectShow's own graph, the fail-safe attempt after a failed first one, the filters' names, the sub-range of an
// item and the minimum position, and the volume, balance and mute curve.
#include <gtest/gtest.h>

#include <cstdio>

#include "engine/EngineConstants.h"
#include "engine/win/FriendlyFilterName.h"
#include "support/win/WideText.h"
#include "support/win/WinGuid.h"
#include "tests/common/AudioAnalysis.h"
#include "tests/common/win/WineTestEnv.h"
#include "tests/engine/win/GraphTestPlayer.h"
#include "tests/engine/win/TestSources.h"
#include "tests/filters/FilterTestGraph.h"

using Microsoft::WRL::ComPtr;

namespace nv::test {
namespace {

constexpr Guid kAsyncReader = "{E436EBB5-524F-11CE-9F53-0020AF0BA770}"_guid;

std::wstring FilterName(IBaseFilter* filter) {
  FILTER_INFO info{};
  if (FAILED(filter->QueryFilterInfo(&info))) return L"";
  if (info.pGraph) info.pGraph->Release();
  return info.achName;
}

std::wstring RendererName(int number = 0, int of = 1) {
  std::wstring name = FriendlyFilterName(CLSID_DSoundRender) + L" ";
  if (of > 1) name += L" " + std::to_wstring(number);
  return name;
}

TXFileGraphInfo Rule(const std::string& extensions, const Guid& source) {
  TXFileGraphInfo rule;
  rule.Extensions = extensions;
  rule.Normal.SourceFilter = source;
  rule.Normal.AudioRender = kDirectSoundRendererClsid;
  return rule;
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

TEST_F(GraphPlayback, EachFormatBuildsByItsRuleAndByTheStandardGraphAndIsHeard) {
  struct Case {
    const char* file;
    double hz;
  };
  for (const Case& c : {Case{"tone-440.wav", 440}, Case{"tone-660.mp3", 660}, Case{"tone-880.ogg", 880}}) {
    for (const bool byRule : {true, false}) {
      SCOPED_TRACE(std::string(c.file) + (byRule ? " by its rule" : " by the standard graph"));
      player_.rules.clear();
      if (byRule) player_.rules.push_back(Rule(".wav;.mp3;.ogg", kAsyncReader));
      player_.graphsCompleted.clear();
      TXPlayListItem& item = playlist_.Add(MediaPath(c.file));
      const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);
      AudioRecorder recorder("engine-format");
      recorder.Start();

      ASSERT_TRUE(graph->Prepare());
      ASSERT_EQ(graph->State(), gsBuilt);
      EXPECT_EQ(graph->RuleText(1), byRule ? ".wav;.mp3;.ogg" : "");
      EXPECT_TRUE(player_.buildErrors.empty());
      ASSERT_EQ(graph->AudioRenderers().size(), 1u);
      EXPECT_EQ(FilterName(graph->AudioRenderers()[0].Get()), RendererName());
      EXPECT_EQ(FilterName(graph->SourceFilter()), MarkedToWide(item.FileName()));
      EXPECT_NEAR(graph->Duration() / 10'000.0, 1000, 60);
      PlayToEnd(*graph);

      const Recording heard = recorder.Stop();
      const std::vector<Span> tones = TonesHeard(heard);
      ASSERT_EQ(tones.size(), 1u);
      EXPECT_NEAR(tones[0].LengthMs(), 1000, 120);
      EXPECT_NEAR(DominantFrequency(heard, tones[0].startMs + 100, tones[0].endMs - 100), c.hz, 15);
    }
  }
}

}  // namespace
}  // namespace nv::test
