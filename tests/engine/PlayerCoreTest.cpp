// The player's logic over scripted graphs: its states, the order of its events over a whole list, failed builds,
// seeking, sound, timers, priority, loading, the list's play order, and the graphs it keeps for the properties dialog.
#include <functional>

#include <gtest/gtest.h>

#include "support/MarkedText.h"
#include "tests/engine/PlayerFakes.h"

namespace nv {
namespace {

using test::FakeGraph;
using test::TestEnvironment;
using test::TestPlayerCore;
using Events = std::vector<std::string>;

class PlayerCoreTest : public ::testing::Test {
protected:
  TestEnvironment env;
  TestPlayerCore player{env};
};

// --- states

enum class From { NoGraph, Stopped, Playing, Paused };

struct StateRow {
  const char* name;
  From from;
  std::function<void(TestPlayerCore&)> action;
  TXPlayerState to;
  Events events;
  bool running;  // the current graph runs afterwards
  bool seekable = true;
};

const StateRow kStateRows[] = {
    {"Play without a graph", From::NoGraph, [](auto& p) { p.Play(); }, TXPlayerState::psStopped, {}, false},
    {"Pause without a graph", From::NoGraph, [](auto& p) { p.Pause(); }, TXPlayerState::psStopped, {}, false},
    {"Play", From::Stopped, [](auto& p) { p.Play(); }, TXPlayerState::psPlaying,
     {"StateChanged playing", "GraphBuilt a"}, true},
    {"Pause while stopped", From::Stopped, [](auto& p) { p.Pause(); }, TXPlayerState::psStopped, {}, false},
    {"Stop while stopped", From::Stopped, [](auto& p) { p.Stop(); }, TXPlayerState::psStopped, {}, false},
    {"Pause", From::Playing, [](auto& p) { p.Pause(); }, TXPlayerState::psPaused, {"StateChanged paused"}, false},
    {"Pause a live stream", From::Playing, [](auto& p) { p.Pause(); }, TXPlayerState::psStopped,
     {"StateChanged stopped"}, false, false},
    {"Stop", From::Playing, [](auto& p) { p.Stop(); }, TXPlayerState::psStopped, {"StateChanged stopped"}, false},
    {"Play while playing", From::Playing, [](auto& p) { p.Play(); }, TXPlayerState::psPlaying, {}, true},
    {"Play while paused", From::Paused, [](auto& p) { p.Play(); }, TXPlayerState::psPlaying,
     {"StateChanged playing"}, true},
    {"Pause while paused", From::Paused, [](auto& p) { p.Pause(); }, TXPlayerState::psPaused, {}, false},
    {"Stop while paused", From::Paused, [](auto& p) { p.Stop(); }, TXPlayerState::psStopped,
     {"StateChanged stopped"}, false},
    {"another item without Play, while playing", From::Playing,
     [](auto& p) { p.PlayList().PlayIndex(1, false, TSetCurrentMode::smNormal); }, TXPlayerState::psStopped,
     {"CurrentChanged b", "StateChanged stopped"}, false},
    {"another item without Play, while paused", From::Paused,
     [](auto& p) { p.PlayList().PlayIndex(1, false, TSetCurrentMode::smNormal); }, TXPlayerState::psStopped,
     {"CurrentChanged b", "StateChanged stopped"}, false},
    {"another item with Play, while stopped", From::Stopped,
     [](auto& p) { p.PlayList().PlayIndex(1, true, TSetCurrentMode::smNormal); }, TXPlayerState::psPlaying,
     {"GraphBuilt b", "CurrentChanged b", "StateChanged playing"}, true},
    {"another item with Play, while playing", From::Playing,
     [](auto& p) { p.PlayList().PlayIndex(1, true, TSetCurrentMode::smNormal); }, TXPlayerState::psPlaying,
     {"GraphBuilt b", "CurrentChanged b"}, true},
    {"another item with Play, while paused", From::Paused,
     [](auto& p) { p.PlayList().PlayIndex(1, true, TSetCurrentMode::smNormal); }, TXPlayerState::psPlaying,
     {"GraphBuilt b", "CurrentChanged b", "StateChanged playing"}, true},
    {"no graph with Play", From::Playing, [](auto& p) { p.SetGraph(nullptr, true, TSetCurrentMode::smNormal); },
     TXPlayerState::psStopped, {"CurrentChanged nil", "StateChanged stopped"}, false},
};

TEST(PlayerStates, EveryCommandFromEveryState) {
  for (const StateRow& row : kStateRows) {
    SCOPED_TRACE(row.name);
    TestEnvironment env;
    TestPlayerCore player(env);
    player.AddItems("ab");
    player.scripts["a"].seekable = row.seekable;
    if (row.from != From::NoGraph) player.PlayList().StartCurrent(row.from != From::Stopped);
    if (row.from == From::Paused) player.Pause();
    player.TakeEvents();

    row.action(player);

    EXPECT_EQ(player.State(), row.to);
    EXPECT_EQ(player.TakeEvents(), row.events);
    EXPECT_EQ(player.Graph() && player.Current().running, row.running);
    EXPECT_EQ(player.TimerRunning(kPositionTimer), row.to == TXPlayerState::psPlaying);
    EXPECT_EQ(player.visualizerRunning, row.to == TXPlayerState::psPlaying);
  }
}

TEST_F(PlayerCoreTest, PausedGraphsResumeWhereTheyStood) {
  player.AddItems("a");
  player.PlayList().StartCurrent(true);
  player.PositionTickAt(7000);
  player.Pause();
  EXPECT_EQ(player.Position(), 7000);
  player.Play();
  EXPECT_TRUE(player.Current().running);
  EXPECT_EQ(player.Current().builds, 1) << "not built again";
  EXPECT_EQ(player.Position(), 7000);
  player.Stop();
  EXPECT_EQ(player.Current().state, gsClosed) << "a stopped graph is closed and built again by Play";
  EXPECT_EQ(player.Position(), 0);
  EXPECT_EQ(player.Duration(), 0);
  player.Play();
  EXPECT_EQ(player.Current().builds, 2);
}

TEST_F(PlayerCoreTest, AGraphThatFailsToPauseIsReportedAndThePlayerPausesAnyway) {
  player.AddItems("a");
  player.scripts["a"].pauseRaises = true;
  player.PlayList().StartCurrent(true);
  player.Pause();
  EXPECT_EQ(player.State(), TXPlayerState::psPaused);
  EXPECT_EQ(player.Current().errors, Events{"The graph could not pause."});
}

// --- a whole list

TEST_F(PlayerCoreTest, AListPlayedToTheEndRaisesItsEventsInOrder) {
  player.AddItems("abc");
  player.PlayList().StartCurrent(true);
  EXPECT_EQ(player.TakeEvents(), (Events{"GraphBuilt a", "CurrentChanged a", "StateChanged playing"}));
  for (const char* next : {"b", "c"}) {
    player.PositionTickAt(10000);
    player.PositionTickAt(20000);
    player.CompleteCurrentGraph();
    // The list hears of the completion first and opens the next item: its events come before the observers and
    // the owner hear of the completion itself.
    EXPECT_EQ(player.TakeEvents(), (Events{std::string("GraphBuilt ") + next, std::string("CurrentChanged ") + next,
                                           "StateChanged playing", "Completed"}));
    EXPECT_EQ(player.CurrentName(), next);
    EXPECT_EQ(player.liveGraphs.size(), 1u) << "the ended item's graph is freed";
  }
  player.CompleteCurrentGraph();
  EXPECT_EQ(player.TakeEvents(), (Events{"CurrentChanged a", "Completed", "StateChanged stopped"}))
      << "the last item: the first becomes current without playing, and the player stops";
  EXPECT_EQ(player.State(), TXPlayerState::psStopped);
  EXPECT_EQ(player.Current().state, gsClosed);
  EXPECT_TRUE(player.timers.count(kPositionTimer) == 0 && player.timers.count(kFadeTimer) == 0);
  EXPECT_FALSE(player.visualizerRunning);
  EXPECT_EQ(player.Count("PositionChanged"), 4) << "one for each move of the position";
}

TEST(PlayerCompletion, AnEndReportedWhileTheLastSoundPlaysWaitsUntilItIsHeard) {
  const struct {
    const char* name;
    std::vector<std::int64_t> leftMs;  // what is still to be heard at the report, then at each tick
    int ticksToComplete;
  } cases[] = {
      {"heard", {180, 90, 15}, 2},
      {"nothing left", {10}, 0},
      {"the renderer's clock stands still", std::vector<std::int64_t>(20, 180), 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestEnvironment env;
    TestPlayerCore player(env);
    player.AddItems("ab");
    player.PlayList().StartCurrent(true);
    player.PositionTickAt(20000);
    player.Current().buffered = c.leftMs[0] * 10000;
    player.CompleteCurrentGraph();
    int ticks = 0;
    while (player.CurrentName() == "a" && ticks < 20) {
      player.Current().buffered = c.leftMs.at(std::min<std::size_t>(ticks + 1, c.leftMs.size() - 1)) * 10000;
      player.PositionTickAt(20000);
      ++ticks;
    }
    EXPECT_EQ(ticks, c.ticksToComplete);
    EXPECT_EQ(player.CurrentName(), "b");
    EXPECT_EQ(player.Count("Completed"), 1);
  }
}

TEST(PlayerCompletion, ASeekWhileTheLastSoundPlaysTakesTheItemBackFromItsEnd) {
  TestEnvironment env;
  TestPlayerCore player(env);
  player.AddItems("ab");
  player.PlayList().StartCurrent(true);
  player.PositionTickAt(20000);
  player.Current().buffered = std::int64_t{180} * 10000;
  player.CompleteCurrentGraph();
  player.SetPosition(5000);
  player.Current().buffered.reset();  // a new segment: the end is no longer in sight
  for (int tick = 0; tick < 12; ++tick) player.PositionTickAt(5000 + 100 * tick);
  EXPECT_EQ(player.CurrentName(), "a");
  EXPECT_EQ(player.Count("Completed"), 0);
}

TEST_F(PlayerCoreTest, EventsReachObserversBeforeTheOwner) {
  struct Tagging final : IXPlayerObserver {
    Events& log;
    explicit Tagging(Events& log) : log(log) {}
    void PlayerEvent(TPlayerCore& p, TPlayerEventType e, void* param) override {
      log.push_back("observer " + test::EventText(p, e, param));
    }
    std::uint8_t DataWanted() override { return 0; }
    void SpectrumData(const VisualizationFrame&) override {}
  };
  Events log;
  Tagging tagging(log);
  player.AddObserver(tagging);
  player.OnPlayerEvent = [&, record = player.OnPlayerEvent](TPlayerCore& p, TPlayerEventType e, void* param) {
    log.push_back("owner " + test::EventText(p, e, param));
    record(p, e, param);
  };
  player.SetVolume(40);
  player.RemoveObserver(tagging);
  EXPECT_EQ(log, (Events{"observer Loaded", "observer SoundChanged", "owner SoundChanged"}))
      << "a new observer hears peLoaded alone";
}

TEST_F(PlayerCoreTest, AFailedBuildIsReportedOnceAndTheNextTickMovesOn) {
  player.AddItems("abc");
  player.scripts["b"].buildFails = true;
  player.PlayList().StartCurrent(true);
  player.TakeEvents();
  player.CompleteCurrentGraph();
  EXPECT_EQ(player.TakeEvents(),
            (Events{"GraphBuilt b failed", "CurrentChanged b", "StateChanged playing", "Completed"}));
  EXPECT_EQ(player.buildErrors, 1);
  EXPECT_EQ(player.PlayList().Items(1).ErrorText, "Cannot render the file.");
  EXPECT_TRUE(player.TimerRunning(kPositionTimer)) << "the position timer finds the failed graph";

  player.PositionTickAt(0);
  EXPECT_EQ(player.TakeEvents(), (Events{"GraphBuilt c", "CurrentChanged c", "StateChanged playing", "Completed"}));
  EXPECT_EQ(player.buildErrors, 1) << "the failed graph is passed over, not built again";
  EXPECT_TRUE(player.Current().running);
}

// A graph that was built but would not run used to stay current, silent at position 0, until the user stepped in.
TEST_F(PlayerCoreTest, AGraphThatWillNotRunIsReportedAndTheNextTickMovesOn) {
  player.AddItems("ab");
  player.scripts["a"].playRaises = true;
  player.PlayList().StartCurrent(true);
  EXPECT_EQ(player.State(), TXPlayerState::psPlaying);
  EXPECT_EQ(player.Current().errors, Events{"The graph could not run."});
  EXPECT_EQ(player.PlayList().Items(0).ErrorText, "The graph could not run.");
  player.TakeEvents();
  player.PositionTickAt(0);
  EXPECT_EQ(player.TakeEvents(), (Events{"GraphBuilt b", "CurrentChanged b", "StateChanged playing", "Completed"}));
  EXPECT_TRUE(player.Current().running);
}

// --- commands that arrive while a graph builds (a build handles messages)

TEST(PlayerReentry, CommandsDuringTheCurrentGraphsBuild) {
  const struct {
    const char* name;
    std::function<void(TestPlayerCore&)> command;
    TXPlayerState state;
    const char* current;
    Events events;
  } cases[] = {
      {"stop", [](auto& p) { p.Stop(); }, TXPlayerState::psStopped, "a", {"StateChanged stopped", "CurrentChanged a"}},
      {"pause", [](auto& p) { p.Pause(); }, TXPlayerState::psPaused, "a",
       {"StateChanged paused", "GraphBuilt a", "CurrentChanged a", "StateChanged paused"}},
      {"another item", [](auto& p) { p.PlayList().PlayIndex(1, true, TSetCurrentMode::smNormal); },
       TXPlayerState::psPlaying, "b", {"GraphBuilt b", "CurrentChanged b", "CurrentChanged b", "StateChanged playing"}},
      {"the item removed", [](auto& p) { p.PlayList().Delete(0); }, TXPlayerState::psStopped, "nil",
       {"CurrentChanged nil", "StateChanged stopped", "CurrentChanged nil"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestEnvironment env;
    TestPlayerCore player(env);
    player.AddItems("ab");
    bool building = false;
    player.scripts["a"].duringBuild = [&] {
      building = player.IsBuilding();
      c.command(player);
    };
    player.PlayList().StartCurrent(true);
    EXPECT_TRUE(building);
    EXPECT_FALSE(player.IsBuilding());
    EXPECT_EQ(player.State(), c.state);
    EXPECT_EQ(player.CurrentName(), c.current);
    EXPECT_EQ(player.TakeEvents(), c.events);
    const bool playing = c.state == TXPlayerState::psPlaying;
    EXPECT_EQ(player.TimerRunning(kPositionTimer), playing);
    EXPECT_EQ(player.Graph() && player.Current().running, playing);
    EXPECT_EQ(player.liveGraphs.size(), player.Graph() ? 1u : 0u);
  }
}

// --- seeking

TEST_F(PlayerCoreTest, SeeksAreClampedToTheItem) {
  const struct {
    std::int32_t to;
    bool refused;
    std::int32_t seekedMs;  // where the graph is afterwards
    std::int32_t position;
  } cases[] = {
      {-5, false, 0, 0},
      {12345, false, 12345, 12345},
      {20000, false, 20000, 20000},
      {25000, false, 20000, 20000},
      {12345, true, 7000, 7000},  // refused: the position stays, the event comes anyway
  };
  player.AddItems("a");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.to);
    player.scripts["a"].refusesSeek = c.refused;
    player.PlayList().StartCurrent(true);
    player.PositionTickAt(7000);
    player.TakeEvents();
    const int before = player.Count("PositionChanged");
    player.SetPosition(c.to);
    EXPECT_EQ(player.Current().position, std::int64_t{c.seekedMs} * 10000);
    EXPECT_EQ(player.Position(), c.position);
    EXPECT_EQ(player.Count("PositionChanged"), before + 1);
    player.SetGraph(nullptr, false, TSetCurrentMode::smNormal);
  }
  const int before = player.Count("PositionChanged");
  player.SetPosition(100);
  EXPECT_EQ(player.Count("PositionChanged"), before) << "nothing to seek without a graph";
}

// --- sound

TEST_F(PlayerCoreTest, SoundChangesReachBothGraphsOnlyWhenTheyChange) {
  const struct {
    const char* name;
    std::function<void(TestPlayerCore&)> set;
    std::function<bool(TestPlayerCore&)> stored;
  } cases[] = {
      {"volume", [](auto& p) { p.SetVolume(50); }, [](auto& p) { return p.Volume() == 50; }},
      {"mute", [](auto& p) { p.SetMute(true); }, [](auto& p) { return p.Mute(); }},
      {"balance", [](auto& p) { p.SetBalance(-30); }, [](auto& p) { return p.Balance() == -30; }},
  };
  player.Properties.Crossfading = true;
  player.AddItems("ab");
  player.PlayList().StartCurrent(true);
  player.PositionTickAt(15000);
  ASSERT_NE(player.NextGraph(), nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int current = player.Current().volumeApplied;
    const int next = player.Next().volumeApplied;
    const int events = player.Count("SoundChanged");
    c.set(player);
    c.set(player);
    EXPECT_TRUE(c.stored(player));
    EXPECT_EQ(player.Count("SoundChanged"), events + 1);
    EXPECT_EQ(player.Current().volumeApplied, current + 1);
    EXPECT_EQ(player.Next().volumeApplied, next + 1);
  }
}

// --- timers, visualiser, priority

TEST(PlayerTimers, PositionTimerAndVisualiserFollowPlayback) {
  for (const bool visualizer : {true, false}) {
    SCOPED_TRACE(visualizer ? "visualiser enabled" : "visualiser disabled");
    TestEnvironment env;
    TestPlayerCore player(env);
    player.Properties.VisualizerEnabled = visualizer;
    player.AddItems("ab");
    EXPECT_EQ(player.timerCalls, (Events{"kill 3", "set 3 50", "kill 3", "set 3 50"}))
        << "the list's information timer runs while the list has items";
    player.timerCalls.clear();

    player.PlayList().StartCurrent(true);
    EXPECT_EQ(player.timerCalls, (Events{"kill 1", "set 1 100"}));
    EXPECT_EQ(player.visualizerRunning, visualizer);
    player.Pause();
    EXPECT_FALSE(player.TimerRunning(kPositionTimer));
    EXPECT_FALSE(player.visualizerRunning);
    player.Play();
    EXPECT_TRUE(player.TimerRunning(kPositionTimer));
    EXPECT_EQ(player.visualizerStarts, visualizer ? 2 : 0);
    player.Stop();
    EXPECT_FALSE(player.TimerRunning(kPositionTimer));
    EXPECT_FALSE(player.visualizerRunning);

    player.PlayList().Clear();
    EXPECT_FALSE(player.TimerRunning(kInfoTimer));
  }
}

TEST(PlayerPriority, RaisedWhilePlayingAndRestoredUnlessSomeoneElseChangedIt) {
  constexpr std::uint32_t normal = 0x20, aboveNormal = 0x8000, idle = 0x40;
  const struct {
    const char* name;
    bool highPriority;
    std::uint32_t initial;
    std::uint32_t changedMeanwhile;  // 0: left alone
    std::uint32_t whilePlaying;
    std::uint32_t afterStop;
  } cases[] = {
      {"normal", true, normal, 0, kHighPriorityClass, normal},
      {"idle", true, idle, 0, kHighPriorityClass, idle},
      {"already high", true, kHighPriorityClass, 0, kHighPriorityClass, kHighPriorityClass},
      {"real-time", true, kRealtimePriorityClass, 0, kRealtimePriorityClass, kRealtimePriorityClass},
      {"changed by someone else", true, normal, aboveNormal, kHighPriorityClass, aboveNormal},
      {"not asked for", false, normal, 0, normal, normal},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestEnvironment env;
    TestPlayerCore player(env);
    player.Properties.HighPriority = c.highPriority;
    player.priorityClass = c.initial;
    player.AddItems("a");
    player.PlayList().StartCurrent(true);
    EXPECT_EQ(player.priorityClass, c.whilePlaying);
    player.Pause();
    player.Play();
    EXPECT_EQ(player.priorityClass, c.whilePlaying);
    if (c.changedMeanwhile) player.priorityClass = c.changedMeanwhile;
    player.Stop();
    EXPECT_EQ(player.priorityClass, c.afterStop);
  }
}

// --- loading and observers

TEST_F(PlayerCoreTest, EventsWaitForTheEndOfLoading) {
  EXPECT_EQ(player.events, Events{"Loaded"});
  test::RecordingObserver early, late;
  player.BeginLoading();
  player.AddObserver(early);
  player.SetVolume(50);
  EXPECT_TRUE(early.events.empty()) << "no peLoaded, nor anything else, while loading";
  player.Loaded();
  EXPECT_EQ(early.events, Events{"Loaded"});
  player.AddObserver(late);
  player.AddObserver(late);
  EXPECT_EQ(late.events, Events{"Loaded"}) << "once, to the new observer alone";
  EXPECT_EQ(player.events, (Events{"Loaded", "Loaded"}));
  player.SetMute(true);
  EXPECT_EQ(late.events, (Events{"Loaded", "SoundChanged"}));
  player.RemoveObserver(early);
  player.RemoveObserver(late);
}

// --- the list's play order

TEST(PlayerPlayOrder, CompletionFollowsShuffleAndRepeat) {
  for (const int options : {0, +ploShuffle, +ploRepeat, ploShuffle | ploRepeat}) {
    SCOPED_TRACE(options);
    TestEnvironment env;
    TestPlayerCore player(env);
    player.AddItems("abcde");
    player.PlayList().SetOptions(static_cast<TXPlayListOptions>(options));
    player.PlayList().StartCurrent(true);
    const std::vector<std::string> order = test::PlayOrderNamesOf(player.PlayList());
    std::vector<std::string> heard;
    for (int i = 0; i < 5; ++i) {
      heard.push_back(test::ShortName(player.CurrentItem()));
      player.CompleteCurrentGraph();
    }
    std::vector<std::string> expected;
    for (const std::string& path : order) expected.push_back(path.substr(9, 1));
    EXPECT_EQ(heard, expected);
    EXPECT_EQ(test::ShortName(player.CurrentItem()), expected[0]) << "the end wraps to the first in play order";
    EXPECT_EQ(player.State(), options & ploRepeat ? TXPlayerState::psPlaying : TXPlayerState::psStopped);
  }
}

// --- the graphs kept for the properties dialog, and items that go

TEST_F(PlayerCoreTest, InspectedGraphs) {
  player.AddItems("abc");
  TXPlayListItem& a = player.PlayList().Items(0);
  TXPlayListItem& b = player.PlayList().Items(1);
  TXPlayListItem& c = player.PlayList().Items(2);
  player.PlayList().StartCurrent(false);

  // The current item's own graph, built for the dialog while stopped: closed again afterwards.
  TPlaybackGraph* current = player.InspectItem(&a);
  EXPECT_EQ(current, player.Graph());
  current->Prepare();
  player.ReleaseInspected(current);
  EXPECT_EQ(player.Current().state, gsClosed);
  // While it plays it is left alone.
  player.Play();
  player.ReleaseInspected(player.InspectItem(&a));
  EXPECT_TRUE(player.Current().running);

  auto* first = static_cast<FakeGraph*>(player.InspectItem(&b));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(player.InspectedGraph(), first);
  EXPECT_EQ(first->name, "b");
  EXPECT_EQ(player.liveGraphs.size(), 2u);
  auto* second = static_cast<FakeGraph*>(player.InspectItem(&c));
  EXPECT_EQ(player.InspectedGraph(), second);
  EXPECT_EQ(player.liveGraphs.count(first), 0u) << "the one it replaces is freed";
  player.PlayList().Delete(2);
  EXPECT_EQ(player.InspectedGraph(), nullptr) << "an item that goes takes its inspected graph with it";
  EXPECT_EQ(player.liveGraphs.size(), 1u);

  EXPECT_EQ(player.InspectItem(nullptr), nullptr);
  player.InspectItem(&b);
  player.ReleaseInspected(player.InspectedGraph());
  EXPECT_EQ(player.InspectedGraph(), nullptr);
  EXPECT_EQ(player.liveGraphs.size(), 1u);
}

TEST_F(PlayerCoreTest, RemovingThePlayingItemStopsAndFreesItsGraph) {
  player.AddItems("ab");
  player.PlayList().StartCurrent(true);
  player.TakeEvents();
  player.PlayList().Delete(0);
  EXPECT_EQ(player.Graph(), nullptr);
  EXPECT_EQ(player.State(), TXPlayerState::psStopped);
  EXPECT_TRUE(player.liveGraphs.empty());
  EXPECT_EQ(player.TakeEvents(), (Events{"CurrentChanged nil", "StateChanged stopped"}));
}

// --- known extensions

TEST_F(PlayerCoreTest, KnownExtensionsAreTheBuiltInOnesAndTheAddedOnesSortedOnceEach) {
  ASSERT_EQ(player.KnownExtensions().size(), 55u);
  EXPECT_TRUE(player.IsKnownExtension(u".Ogg"));
  EXPECT_FALSE(player.IsKnownExtension(u".xyz"));
  for (const char16_t* extension : {u".xyz", u".XYZ", u".mp3", u".aaa"}) player.AddKnownExtension(extension);
  EXPECT_EQ(player.KnownExtensions().size(), 57u);
  EXPECT_TRUE(player.IsKnownExtension(u".Xyz"));
  const std::u16string filter = player.GetFileFilter();
  EXPECT_TRUE(filter.starts_with(u"*.aaa;*.aac;*.aif;")) << Utf16ToUtf8(filter);
  EXPECT_TRUE(filter.ends_with(u";*.xm;*.xyz;")) << Utf16ToUtf8(filter);
}

}  // namespace
}  // namespace nv
