// Commands that reach a graph in the middle of its own build (a build handles window messages while its source
// loads), the objects attached to a graph, and the graph's events on their way to the player, heard and seen under
// Wine.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <utility>

#include "engine/win/DirectXCheck.h"
#include "engine/win/XGraphObject.h"
#include "filters/win/XBCBaseFilter.h"
#include "support/win/WinGuid.h"
#include "tests/common/TestPaths.h"
#include "tests/common/win/WineTestEnv.h"
#include "tests/engine/win/GraphTestPlayer.h"
#include "tests/engine/win/TestSources.h"
#include "tests/filters/FilterTestGraph.h"

using Microsoft::WRL::ComPtr;

namespace nv::test {
namespace {

double NowMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// A graph whose source load waits until the test opens its gate, so that the test acts while the build waits.
class GatedGraph : public TXPlayerGraph {
public:
  GatedGraph(GraphTestPlayer& player, TXPlayListItem* item, std::atomic<int>& destroyed)
      : TXPlayerGraph(player, item),
        gate_(CreateEventW(nullptr, TRUE, FALSE, nullptr), &CloseHandle),
        destroyed_(destroyed) {}
  ~GatedGraph() override { ++destroyed_; }

  void Open() { SetEvent(gate_.get()); }

protected:
  // On the worker thread.
  void LoadSource(const TSourceLoad& load, ComPtr<IBaseFilter>& filter) override {
    WaitForSingleObject(gate_.get(), 30'000);
    TXPlayerGraph::LoadSource(load, filter);
  }

private:
  std::shared_ptr<void> gate_;
  std::atomic<int>& destroyed_;
};

// A filter without pins whose pause waits until the test opens its gate: the pre-roll of a graph that holds it
// waits on the build's worker, and the test acts meanwhile. `gone` is set when the last holder lets go of it.
class PauseGate final : public TXBCRefCounted<TXBCBaseFilter> {
public:
  PauseGate(std::function<void()> pausing, std::atomic<bool>& gone)
      : TXBCRefCounted(L"Pause gate", nullptr, GUID_NULL),
        gate_(CreateEventW(nullptr, TRUE, FALSE, nullptr), &CloseHandle),
        pausing_(std::move(pausing)),
        gone_(gone) {}
  ~PauseGate() override { gone_ = true; }
  int GetPinCount() override { return 0; }
  TXBCBasePin* GetPin(int) override { return nullptr; }
  HRESULT STDMETHODCALLTYPE Pause() override {
    if (const std::function<void()> pausing = std::exchange(pausing_, nullptr)) pausing();
    WaitForSingleObject(gate_.get(), 30'000);
    return TXBCRefCounted::Pause();
  }
  void Open() { SetEvent(gate_.get()); }

private:
  std::shared_ptr<void> gate_;
  std::function<void()> pausing_;
  std::atomic<bool>& gone_;
};

// A graph that holds a pause gate.
class GatedPauseGraph : public TXPlayerGraph {
public:
  GatedPauseGraph(GraphTestPlayer& player, TXPlayListItem* item, const ComPtr<PauseGate>& gate,
                  std::atomic<int>& destroyed)
      : TXPlayerGraph(player, item), gate_(gate), destroyed_(destroyed) {}
  ~GatedPauseGraph() override { ++destroyed_; }

protected:
  void BuildGraph() override {
    TXPlayerGraph::BuildGraph();
    DXCheck(Builder()->AddFilter(gate_->AsBaseFilter(), L"Pause gate"));
  }

private:
  ComPtr<PauseGate> gate_;
  std::atomic<int>& destroyed_;
};

struct ObjectCounts {
  int started = 0, paused = 0, stopped = 0, freed = 0;
};

class CountingObject : public TXGraphObject {
public:
  CountingObject(TXGraphObjectCollection* collection, TXGraph* graph, ObjectCounts& counts)
      : TXGraphObject(collection, graph), counts_(counts) {}
  ~CountingObject() override { ++counts_.freed; }
  void GraphStarted() override { ++counts_.started; }
  void GraphPaused() override { ++counts_.paused; }
  void GraphStopped() override { ++counts_.stopped; }

private:
  ObjectCounts& counts_;
};

class GraphControl : public ::testing::Test {
protected:
  TXGraphRef<GatedGraph> NewGatedGraph(TXPlayListItem& item) {
    TXGraphRef<GatedGraph> graph(new GatedGraph(player_, &item, destroyed_));
    player_.Hold(graph.Get());
    return graph;
  }

  ComApartment com_;
  RegisteredTestSources sources_;
  GraphTestPlayer player_;
  TestPlayList playlist_;
  std::atomic<int> destroyed_{0};
};

TEST_F(GraphControl, PlayDuringABuildRunsTheGraphOnceItIsBuilt) {
  TXPlayListItem& item = playlist_.Add(MediaPath("tone-440.wav"));
  const TXGraphRef<GatedGraph> graph = NewGatedGraph(item);
  TXGraphState stateMeanwhile = gsClosed;
  TXGraphRunState runMeanwhile = rsStopped;
  int buildsMeanwhile = 0;
  player_.Post([&] {
    graph->Play();
    stateMeanwhile = graph->State();
    runMeanwhile = graph->RunState();
    buildsMeanwhile = player_.buildDepth;
    graph->Open();
  });
  AudioRecorder recorder("engine-play-during-build");
  recorder.Start();

  ASSERT_TRUE(graph->Prepare());
  EXPECT_EQ(stateMeanwhile, gsBuilding);
  EXPECT_EQ(runMeanwhile, rsRunning) << "only the request";
  EXPECT_EQ(buildsMeanwhile, 1) << "the player knew a build was running";
  EXPECT_EQ(player_.buildDepth, 0);
  EXPECT_EQ(graph->State(), gsBuilt);
  EXPECT_EQ(graph->RunState(), rsRunning) << "the build ran it";
  ASSERT_TRUE(PumpUntil([&] { return !player_.graphsCompleted.empty(); }, 8000));
  PumpFor(kRendererDrainMs);
  graph->Stop();

  const std::vector<Span> tones = TonesHeard(recorder.Stop());
  ASSERT_EQ(tones.size(), 1u);
  EXPECT_NEAR(tones[0].LengthMs(), 1000, 120);
}

TEST_F(GraphControl, StopDuringABuildCancelsThePlayAskedForBefore) {
  TXPlayListItem& item = playlist_.Add(MediaPath("tone-440.wav"));
  const TXGraphRef<GatedGraph> graph = NewGatedGraph(item);
  player_.Post([&] {
    graph->Play();
    graph->Stop();
    graph->Open();
  });
  AudioRecorder recorder("engine-stop-during-build");
  recorder.Start();

  ASSERT_TRUE(graph->Prepare());
  EXPECT_EQ(graph->State(), gsBuilt);
  EXPECT_EQ(graph->RunState(), rsStopped);
  PumpFor(1500);
  EXPECT_TRUE(player_.graphsCompleted.empty());
  EXPECT_TRUE(TonesHeard(recorder.Stop()).empty()) << "nothing played";
}

TEST_F(GraphControl, APauseOrStopDuringTheBuildThatPlayStartedWins) {
  struct Case {
    const char* what;
    void (TXGraph::*command)();
    TXGraphRunState after;
  };
  for (const Case& c : {Case{"pause", &TXGraph::Pause, rsPaused}, Case{"stop", &TXGraph::Stop, rsStopped}}) {
    SCOPED_TRACE(c.what);
    TXPlayListItem& item = playlist_.Add(MediaPath("tone-440.wav"));
    const TXGraphRef<GatedGraph> graph = NewGatedGraph(item);
    player_.Post([&] {
      ((*graph).*c.command)();
      graph->Open();
    });
    AudioRecorder recorder("engine-pause-during-play");
    recorder.Start();

    graph->Play();
    EXPECT_EQ(graph->State(), gsBuilt);
    EXPECT_EQ(graph->RunState(), c.after);
    PumpFor(1500);
    EXPECT_TRUE(player_.graphsCompleted.empty());
    EXPECT_TRUE(TonesHeard(recorder.Stop()).empty()) << "nothing played";
    graph->Stop();
    player_.LetGo(graph.Get());
  }
}

TEST_F(GraphControl, CloseDuringABlockingLoadReturnsAtOnceAndTheWorkerLetsGoOfEverythingWhenItEnds) {
  player_.rules.push_back(SourceRule(".tones", CLSID_TestTwoTones));
  TXPlayListItem& item = playlist_.Add(StreamPath("gated.tones"));
  TXGraphRef<GatedGraph> graph = NewGatedGraph(item);
  double closeMs = -1;
  player_.Post([&] {
    const double start = NowMs();
    graph->Close();
    closeMs = NowMs() - start;
  });

  const double start = NowMs();
  bool prepared = true;
  {
    const Watchdog watchdog("a build closed while its source loads", 10'000);
    prepared = graph->Prepare();
  }
  const double prepareMs = NowMs() - start;
  EXPECT_FALSE(prepared);
  EXPECT_EQ(graph->State(), gsClosed);
  EXPECT_EQ(graph->RunState(), rsStopped);
  EXPECT_LT(closeMs, 100);
  EXPECT_LT(prepareMs, 1000) << "the build did not wait for the load";
  EXPECT_TRUE(player_.buildErrors.empty());
  EXPECT_EQ(player_.Count(peGraphBuilt), 0) << "an abort is not reported";
  EXPECT_EQ(item.ErrorText, "");

  // The abandoned worker still waits in the load, holding the graph, its filter graph and the source.
  EXPECT_EQ(LiveTestSources(), 1);
  player_.LetGo(graph.Get());
  GatedGraph* const gated = graph.Get();
  graph.Reset();
  EXPECT_EQ(destroyed_, 0);
  gated->Open();
  EXPECT_TRUE(PumpUntil([&] { return destroyed_ == 1 && LiveTestSources() == 0; }, 5000))
      << "the worker let go of the graph and its filters when it ended";
}

// The filter graph is the abandoned worker's while it pauses it: stopping it then would wait for the worker (Wine's
// graph holds its lock while it pauses the filters), and the build that was let go of would not end.
TEST_F(GraphControl, CloseDuringThePreRollReturnsAtOnceAndLeavesTheGraphToTheWorker) {
  TXPlayListItem& item = playlist_.Add(MediaPath("tone-440.wav"));
  TXGraphRef<GatedPauseGraph> graph;
  std::atomic<bool> gateGone{false};
  ComPtr<PauseGate> gate(new PauseGate([&] { player_.Post([&] { graph->Close(); }); }, gateGone));
  graph = TXGraphRef<GatedPauseGraph>(new GatedPauseGraph(player_, &item, gate, destroyed_));
  player_.Hold(graph.Get());

  const double start = NowMs();
  bool prepared = true;
  {
    const Watchdog watchdog("a build closed while its pre-roll pauses", 10'000);
    prepared = graph->Prepare();
  }
  const double prepareMs = NowMs() - start;
  EXPECT_FALSE(prepared);
  EXPECT_EQ(graph->State(), gsClosed);
  EXPECT_LT(prepareMs, 1000) << "the build waited for the pause it had let go of";
  EXPECT_EQ(player_.Count(peGraphBuilt), 0) << "an abort is not reported";

  // The abandoned worker still pauses the filter graph, and the gate in it, when the graph itself has gone.
  player_.LetGo(graph.Get());
  graph.Reset();
  EXPECT_EQ(destroyed_, 1);
  PauseGate* const waiting = gate.Get();
  gate.Reset();
  EXPECT_FALSE(gateGone) << "the filter graph is the worker's until its pause ends";
  waiting->Open();
  EXPECT_TRUE(PumpUntil([&] { return gateGone.load(); }, 5000)) << "the worker let go of the filter graph when it ended";
}

TEST_F(GraphControl, AttachedObjectsHearTheGraphAndGoWithIt) {
  ObjectCounts first, second;
  TXPlayListItem& item = playlist_.Add(MediaPath("tone-440.wav"));
  const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);
  ASSERT_TRUE(graph->Prepare());
  {
    TXGraphObjectCollection collection;
    auto* object = new CountingObject(&collection, graph.Get(), first);
    EXPECT_EQ(object->Graph(), graph.Get());
    EXPECT_EQ(collection.Count(), 1);
    EXPECT_EQ(graph->Objects().size(), 1u);

    graph->Play();
    PumpFor(200);
    graph->Pause();
    graph->Pause();  // only from running
    graph->Stop();
    graph->Stop();
    EXPECT_EQ(first.started, 1);
    EXPECT_EQ(first.paused, 1);
    EXPECT_EQ(first.stopped, 1);

    graph->Close();
    EXPECT_EQ(first.freed, 1) << "closing the graph frees its objects";
    EXPECT_EQ(collection.Count(), 0);
    EXPECT_TRUE(graph->Objects().empty());

    ASSERT_TRUE(graph->Prepare());
    new CountingObject(&collection, graph.Get(), second);
  }
  EXPECT_EQ(second.freed, 1) << "destroying the collection frees its objects";
  EXPECT_TRUE(graph->Objects().empty());
}

TEST_F(GraphControl, TheGraphsEventsReachThePlayer) {
  player_.insertPcmInfo = true;
  player_.completeAdvance = 300;
  TXPlayListItem& item = playlist_.Add(MediaPath("tone-440.wav"));
  const TXGraphRef<TXPlayerGraph> graph = NewGraph(player_, &item);
  ASSERT_TRUE(graph->Prepare());
  ASSERT_NE(graph->PCMInfo(), nullptr);
  EXPECT_TRUE(PumpUntil([&] { return player_.graphsBuilt.size() == 1; }, 2000)) << "built (0x8001)";
  const int infoChangesBefore = player_.Count(peItemInfoChanged);

  graph->Play();
  ASSERT_TRUE(PumpUntil([&] { return !player_.graphsCompleted.empty(); }, 8000)) << "EC_COMPLETE";
  PumpFor(kRendererDrainMs);
  graph->Stop();
  EXPECT_EQ(player_.graphsBuilt, std::vector<TXPlayerGraph*>{graph.Get()});
  EXPECT_EQ(player_.streamsEnded, std::vector<TXPlayerGraph*>{graph.Get()}) << "end of data (0x8002)";
  EXPECT_EQ(player_.advancesReached, std::vector<TXPlayerGraph*>{graph.Get()}) << "complete advance (0x8003)";
  EXPECT_GT(player_.Count(peItemInfoChanged), infoChangesBefore) << "running asks for the item's information (0x8004)";
  EXPECT_NEAR(item.Info.GetValue(kDurationAttribute).ToNumber().value_or(0), 1000, 50);
}

}  // namespace
}  // namespace nv::test
