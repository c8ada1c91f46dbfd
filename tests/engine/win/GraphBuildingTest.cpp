// How player graphs build under Wine, without playing: failed attempts and what they report, streams that nothing
// renders or decodes, a redirector's playlist, work offline, times of a sub-range, the names and texts graph
// building uses.
#include <gtest/gtest.h>

#include "engine/EngineConstants.h"
#include "engine/WorkOffline.h"
#include "filters/FilterConstants.h"
#include "engine/win/DirectXCheck.h"
#include "engine/win/FriendlyFilterName.h"
#include "filters/win/XDummyRender.h"
#include "support/win/WideText.h"
#include "support/win/WinGuid.h"
#include "tests/common/TestPaths.h"
#include "tests/common/win/WineTestEnv.h"
#include "tests/engine/win/GraphTestPlayer.h"
#include "tests/engine/win/TestSources.h"
#include "tests/filters/FilterTestGraph.h"

using Microsoft::WRL::ComPtr;

namespace nv::test {
namespace {

class GraphBuilding : public ::testing::Test {
protected:
  ComApartment com_;
  RegisteredTestSources sources_;
  GraphTestPlayer player_;
  TestPlayList playlist_;
};

TEST_F(GraphBuilding, AMissingNormalSourceFailsTheFirstAttemptInTheSourcePhaseAndTheStandardGraphBuilds) {
  player_.rules.push_back(SourceRule(".wav", CLSID_TestMissing));
  TXPlayListItem& item = playlist_.Add(MediaPath("tone-440.wav"));
  const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);

  ASSERT_TRUE(graph->Prepare());
  EXPECT_EQ(graph->State(), gsBuilt);
  EXPECT_EQ(graph->Attempt(), 2);
  ASSERT_EQ(player_.buildErrors.size(), 1u);
  const BuildErrorReport& report = player_.buildErrors[0];
  EXPECT_EQ(report.fileName, item.FileName());
  EXPECT_EQ(report.phase, bpSourceFilter);
  EXPECT_EQ(report.info.SourceFilter.Get(), FromWinGuid(CLSID_TestMissing));
  EXPECT_FALSE(report.info.FailSafe);
  EXPECT_NE(report.message.find("Code: 80040154h."), std::string::npos) << report.message;  // class not registered
  EXPECT_EQ(graph->AttemptError(1), report.message);
  EXPECT_EQ(graph->AttemptError(2), "");
  EXPECT_EQ(graph->RuleText(1), ".wav");
  EXPECT_EQ(graph->RuleText(2), ".wav");
  EXPECT_TRUE(graph->AttemptInfo(2).FailSafe);
  EXPECT_TRUE(graph->AttemptInfo(2).SourceFilter.Empty()) << "the rule's fail-safe set is DirectShow's own graph";
  EXPECT_EQ(graph->AudioRenderers().size(), 1u);
  EXPECT_EQ(item.ErrorText, "") << "the item built in the end";
}

TEST_F(GraphBuilding, AnAttemptWithNothingAfterItFailsTheGraph) {
  TXFileGraphInfo rule = SourceRule(".wav", CLSID_TestMissing);
  rule.TryStandardGraph = false;
  player_.rules.push_back(rule);
  TXPlayListItem& item = playlist_.Add(MediaPath("tone-440.wav"));
  const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);

  EXPECT_FALSE(graph->Prepare());
  EXPECT_EQ(graph->State(), gsFailed);
  EXPECT_EQ(graph->Attempt(), 1);
  ASSERT_EQ(player_.buildErrors.size(), 1u);
  EXPECT_TRUE(player_.buildErrors[0].info.FailSafe);
  EXPECT_EQ(item.ErrorText, player_.buildErrors[0].message);
  EXPECT_EQ(player_.Count(peGraphBuilt), 1) << "a failed graph is reported built";
  EXPECT_FALSE(graph->Prepare()) << "a failed graph stays failed";
  EXPECT_EQ(player_.buildErrors.size(), 1u);
}

TEST_F(GraphBuilding, StreamsThatCannotPlayFailTheirPhase) {
  struct Case {
    const char* extension;
    CLSID source;
    TXGraphBuildPhase phase;
  };
  const Case cases[] = {
      // An audio stream no decoder turns into PCM.
      {".undecodable", CLSID_TestUndecodable, bpAudioChain},
      // A source none of whose streams anything renders has nothing to play.
      {".unrenderable", CLSID_TestUnrenderable, bpRenderPins},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extension);
    player_.buildErrors.clear();
    TXFileGraphInfo rule = SourceRule(c.extension, c.source);
    rule.TryStandardGraph = false;
    player_.rules = {rule};
    TXPlayListItem& item = playlist_.Add(StreamPath("stream" + std::string(c.extension)));
    const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);
    EXPECT_FALSE(graph->Prepare());
    EXPECT_EQ(graph->State(), gsFailed);
    ASSERT_EQ(player_.buildErrors.size(), 1u);
    EXPECT_EQ(player_.buildErrors[0].phase, c.phase);
  }
  EXPECT_EQ(LiveTestSources(), 0) << "a failed graph keeps nothing";
}

TEST_F(GraphBuilding, AStreamNothingRendersIsLeftOutWhileTheOthersGetNumberedRenderers) {
  player_.rules.push_back(SourceRule(".tones", CLSID_TestTwoTones));
  TXPlayListItem& item = playlist_.Add(StreamPath("two.tones"));
  const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);

  ASSERT_TRUE(graph->Prepare());
  EXPECT_TRUE(player_.buildErrors.empty());
  ASSERT_EQ(graph->AudioRenderers().size(), 2u);
  const std::wstring name = FriendlyFilterName(CLSID_DSoundRender) + L" ";
  EXPECT_EQ(FilterName(graph->AudioRenderers()[0].Get()), name + L" 1");
  EXPECT_EQ(FilterName(graph->AudioRenderers()[1].Get()), name + L" 2");
  const TPinList outputs = PinsOf(graph->SourceFilter(), PINDIR_OUTPUT);
  ASSERT_EQ(outputs.size(), 3u);
  EXPECT_NE(PeerOf(outputs[0].Get()), nullptr);
  EXPECT_EQ(PeerOf(outputs[1].Get()), nullptr) << "the stream nothing renders";
  EXPECT_NE(PeerOf(outputs[2].Get()), nullptr);
  for (const ComPtr<IBaseFilter>& filter : graph->GetFilters()) {
    CLSID clsid{};
    filter->GetClassID(&clsid);
    EXPECT_NE(clsid, CLSID_XDummyRender) << "a dummy renderer stayed in the graph";
  }
}

TEST_F(GraphBuilding, ARedirectorIsReplacedByItsEntriesAndTheFirstIsBuilt) {
  player_.rules.push_back(SourceRule(".asx", CLSID_TestRedirector));
  const std::string redirector = StreamPath("engine-list.asx");
  const std::vector<std::string> entries = {MediaPath("tone-660.mp3"), MediaPath("tone-440.wav")};
  WriteRedirector(MarkedToWide(redirector), entries);
  playlist_.Add(MediaPath("steps.wav"));
  TXPlayListItem& item = playlist_.Add(redirector);
  const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);

  ASSERT_TRUE(graph->Prepare());
  EXPECT_EQ(graph->State(), gsBuilt);
  EXPECT_TRUE(graph->Redirected());
  EXPECT_EQ(graph->FileName(), entries[0]);
  ASSERT_EQ(playlist_.list.Count(), 3) << "the redirector entry was replaced by its two entries";
  EXPECT_EQ(playlist_.list.Items(1).FileName(), entries[0]);
  EXPECT_EQ(playlist_.list.Items(2).FileName(), entries[1]);
  EXPECT_TRUE(playlist_.list.Items(1).ASXRedirected);
  EXPECT_EQ(graph->Item(), &playlist_.list.Items(1));
  EXPECT_TRUE(player_.buildErrors.empty());
  EXPECT_EQ(graph->AudioRenderers().size(), 1u);
  DeleteFileW(MarkedToWide(redirector).c_str());
}

TEST_F(GraphBuilding, ARedirectorReachedThroughARedirectorFails) {
  player_.rules.push_back(SourceRule(".asx", CLSID_TestRedirector));
  const std::string outer = StreamPath("engine-outer.asx"), inner = StreamPath("engine-inner.asx");
  WriteRedirector(MarkedToWide(outer), {inner});
  WriteRedirector(MarkedToWide(inner), {MediaPath("tone-440.wav")});
  TXPlayListItem& item = playlist_.Add(outer);
  const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);

  EXPECT_FALSE(graph->Prepare());
  EXPECT_EQ(graph->State(), gsFailed);
  EXPECT_EQ(graph->FileName(), inner);
  EXPECT_EQ(playlist_.list.Count(), 1);
  EXPECT_EQ(playlist_.list.Items(0).FileName(), inner);
  EXPECT_EQ(LiveTestSources(), 0);
  DeleteFileW(MarkedToWide(outer).c_str());
  DeleteFileW(MarkedToWide(inner).c_str());
}

TEST_F(GraphBuilding, AnAddressWhileWorkingOfflineEndsClosedAndSilent) {
  SetWorkingOffline(true);
  TXPlayListItem& item = playlist_.Add("http://127.0.0.1:9/stream.mp3");
  const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);
  const bool prepared = graph->Prepare();
  SetWorkingOffline(false);

  EXPECT_FALSE(prepared);
  EXPECT_EQ(graph->State(), gsClosed);
  EXPECT_TRUE(player_.buildErrors.empty());
  EXPECT_EQ(player_.Count(peGraphBuilt), 0);
  EXPECT_EQ(item.ErrorText, "");

  // A local file is built all the same.
  SetWorkingOffline(true);
  TXPlayListItem& local = playlist_.Add(MediaPath("tone-440.wav"));
  const TXGraphRef<TXPlayerGraph> localGraph = NewGraph(player_, &local);
  EXPECT_TRUE(localGraph->Prepare());
  SetWorkingOffline(false);
}

TEST_F(GraphBuilding, TimesOfASubRangeAreCountedFromItsStart) {
  struct Case {
    const char* entry;
    std::int32_t minPosition;
    double durationMs;
  };
  const Case cases[] = {
      {"<1000,2000>", 0, 1000},
      {"<1000>", 0, 2000},
      {"<500,2000>", 1500, 500},  // the minimum position is later than the start
      {"<5000>", 0, 0},           // beyond the end: no duration, not a negative one
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    player_.minPosition = c.minPosition;
    TXPlayListItem& item = playlist_.Add(MediaPath("steps.wav") + c.entry);
    const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);
    ASSERT_TRUE(graph->Prepare());
    EXPECT_NEAR(graph->Duration() / 10'000.0, c.durationMs, 1);
    EXPECT_EQ(graph->Position(), 0);
    EXPECT_TRUE(graph->CanSeek());
    EXPECT_EQ(graph->IsSeekable(), c.durationMs > 0);
  }
}

TEST_F(GraphBuilding, ASourceThatCannotSeekIsAskedForItsOwnSeeking) {
  struct Case {
    const char* extension;
    CLSID source;
    bool canSeek;
  };
  const Case cases[] = {
      {".seekable", CLSID_TestTwoTones, true},
      {".live", CLSID_TestLiveTone, false},
      // Wine's sources never offer IAMExtendedSeeking; this one does.
      {".extended", CLSID_TestExtendedSeeking, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extension);
    player_.rules = {SourceRule(c.extension, c.source)};
    TXPlayListItem& item = playlist_.Add(StreamPath("seeking" + std::string(c.extension)));
    const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);
    ASSERT_TRUE(graph->Prepare());
    EXPECT_EQ(graph->CanSeek(), c.canSeek);
    EXPECT_EQ(graph->IsSeekable(), c.canSeek);
    EXPECT_EQ(graph->SetPosition(0) == E_UNEXPECTED, !c.canSeek);
  }
}

TEST_F(GraphBuilding, ClosedAndFailedGraphsTellNothing) {
  TXPlayListItem& item = playlist_.Add(MediaPath("tone-440.wav"));
  const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);
  EXPECT_EQ(graph->Duration(), 0);
  EXPECT_FALSE(graph->CanSeek());
  EXPECT_EQ(graph->SetPosition(0), E_UNEXPECTED);
  EXPECT_TRUE(graph->GetFilters().empty());
  const TXAudioInfo info = graph->GetAudioInfo();
  EXPECT_EQ(info.Channels, 0);
  ASSERT_TRUE(graph->Prepare());
  EXPECT_FALSE(graph->GetFilters().empty());
  EXPECT_EQ(graph->GetAudioInfo().Channels, 0) << "no PCM information filter in this graph";
  graph->Close();
  EXPECT_EQ(graph->State(), gsClosed);
  EXPECT_EQ(graph->Builder(), nullptr);
  EXPECT_TRUE(graph->GetFilters().empty());
}

TEST_F(GraphBuilding, APCMInformationFilterInTheChainGivesTheAudioFormat) {
  player_.insertPcmInfo = true;
  TXPlayListItem& item = playlist_.Add(MediaPath("tone-660.mp3"));
  const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);
  ASSERT_TRUE(graph->Prepare());
  ASSERT_NE(graph->PCMInfo(), nullptr);
  const TXAudioInfo info = graph->GetAudioInfo();
  EXPECT_EQ(info.Channels, 2);
  EXPECT_EQ(info.SampleRate, 44100u);
  EXPECT_EQ(info.BitRate, 0u) << "no DC-Bass source";
}

TEST_F(GraphBuilding, EachEventOfTheGraphTurnsIntoItsCallOnThePlayer) {
  TXPlayListItem& item = playlist_.Add(MediaPath("tone-440.wav"));
  const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);
  ASSERT_TRUE(graph->Prepare());
  ASSERT_TRUE(PumpUntil([&] { return player_.graphsBuilt.size() == 1; }, 2000));
  ComPtr<IMediaEventSink> sink;
  ASSERT_EQ(graph->Builder()->QueryInterface(IID_PPV_ARGS(&sink)), S_OK);

  struct Case {
    long code;
    const char* what;
    std::function<int()> count;
  };
  const Case cases[] = {
      {EC_COMPLETE, "completed", [&] { return static_cast<int>(player_.graphsCompleted.size()); }},
      {EC_FULLSCREEN_LOST, "full screen left", [&] { return player_.fullScreenLeft; }},
      {EC_LENGTH_CHANGED, "position read again", [&] { return player_.positionUpdates; }},
      {EC_CONTENTPROPERTY_CHANGED, "current item changed", [&] { return player_.Count(peCurrentChanged); }},
      {EC_CONTENTPROPERTY_CHANGED, "item information changed", [&] { return player_.Count(peItemInfoChanged); }},
      {kEcGraphBuilt, "built", [&] { return static_cast<int>(player_.graphsBuilt.size()); }},
      {kEcEndOfData, "stream ended", [&] { return static_cast<int>(player_.streamsEnded.size()); }},
      {kEcCompleteAdvance, "advance reached", [&] { return static_cast<int>(player_.advancesReached.size()); }},
      {kEcItemInfoChanged, "item information changed", [&] { return player_.Count(peItemInfoChanged); }},
      {kEcItemInfoChanged, "information timer started", [&] { return player_.infoTimerStarts; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int before = c.count();
    ASSERT_EQ(sink->Notify(c.code, 0, 0), S_OK);
    EXPECT_TRUE(PumpUntil([&] { return c.count() == before + 1; }, 2000));
  }
  // The player hears nothing more of a closed graph.
  const std::size_t completed = player_.graphsCompleted.size();
  sink->Notify(EC_COMPLETE, 0, 0);
  graph->Close();
  PumpFor(300);
  EXPECT_EQ(player_.graphsCompleted.size(), completed);
}

TEST_F(GraphBuilding, TheEqualizerIsAskedOnlyWhenThePlayerHasOne) {
  for (const std::uint8_t eqType : {0, 17}) {
    SCOPED_TRACE(static_cast<int>(eqType));
    player_.eqType = eqType;
    player_.equalizerAsked = 0;
    TXPlayListItem& item = playlist_.Add(MediaPath("tone-440.wav"));
    const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);
    ASSERT_TRUE(graph->Prepare());
    EXPECT_EQ(player_.equalizerAsked, eqType != 0 ? 1 : 0);
  }
}

TEST_F(GraphBuilding, APlayerThatLetsGoOfTheGraphDuringItsBuildGetsTheSilentAbort) {
  player_.rules.push_back(SourceRule(".tones", CLSID_TestTwoTones));
  TXPlayListItem& item = playlist_.Add(StreamPath("let-go.tones"));
  TXPlayerGraph* graph = NewGraph(player_, &item).Get();  // the player's is the only hold
  player_.onNotify = [&](TPlayerEventType event, void*) {
    if (event != peGraphBuilt) return;
    graph->DetachPlayer();
    player_.LetGo(graph);
  };
  EXPECT_THROW(graph->Prepare(), EAbort);
  EXPECT_EQ(LiveTestSources(), 0) << "the graph and its filters are gone";
}

TEST(FriendlyFilterName, TheCategoryNameThenTheClassNameThenTheClsid) {
  ComApartment com;
  const std::wstring dsound = FriendlyFilterName(CLSID_DSoundRender);
  std::printf("DirectSound renderer: \"%ls\"\n", dsound.c_str());
  EXPECT_FALSE(dsound.empty());
  EXPECT_NE(dsound.front(), L'{');
  EXPECT_EQ(FriendlyFilterName(CLSID_NULL), L"");
  EXPECT_EQ(FriendlyFilterName(CLSID_TestMissing), L"{5E1C4C1A-7D0B-4C47-9A52-0B3F1D6C2EFF}");
}

TEST(DirectXCheck, FailuresRaiseWithTheirCodeAndSuccessesPass) {
  EXPECT_NO_THROW(DXCheck(S_OK));
  EXPECT_NO_THROW(DXCheck(S_FALSE));
  try {
    DXCheck(VFW_E_CANNOT_RENDER);
    FAIL() << "no EDirectX";
  } catch (const EDirectX& error) {
    EXPECT_EQ(error.Code(), VFW_E_CANNOT_RENDER);
    const std::string message = error.what();
    std::printf("%s\n", message.c_str());
    EXPECT_TRUE(message.ends_with("Code: 80040218h.")) << message;
    EXPECT_GT(message.size(), std::string("Code: 80040218h.").size()) << "a text before the code";
  }
}

}  // namespace
}  // namespace nv::test
