// Crossfading, unbroken play and smooth navigation over scripted graphs: when the next item is asked for, when a
// fade begins, the levels it steps through, how it ends, and what happens when the next item fails or goes.
#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

#include "tests/engine/PlayerFakes.h"

namespace nv {
namespace {

using test::FakeGraph;
using test::TestEnvironment;
using test::TestPlayerCore;
using Events = std::vector<std::string>;

// Every item lasts 20 s unless a test says otherwise.
constexpr std::int32_t kItemMs = 20000;

// a, b and c with crossfading on (end of item) or smooth navigation on; a plays, 12 s in.
void PlayWith(TestPlayerCore& player, bool smooth) {
  player.Properties.Crossfading = !smooth;
  player.Properties.SmoothNavigation = smooth;
  player.AddItems("abc");
  player.PlayList().StartCurrent(true);
  player.PositionTickAt(12000);
}

// On to b: the user's "next", or a reaching the point where the crossfade into b begins.
void MoveOn(TestPlayerCore& player, bool smooth) {
  if (smooth)
    player.PlayList().Next(false);
  else
    player.PositionTickAt(15000);
}

class TransitionTest : public ::testing::Test {
protected:
  // a, b and c with crossfading over `fadeMs`: a plays, b is prepared and the fade into it has begun.
  void CrossfadeInto(std::int32_t fadeMs) {
    player.Properties.Crossfading = true;
    player.Properties.CrossfadeDuration = fadeMs;
    player.AddItems("abc");
    player.PlayList().StartCurrent(true);
    player.PositionTickAt(kItemMs - fadeMs - 3000);
    player.PositionTickAt(kItemMs - fadeMs);
    player.TakeEvents();
  }
  void ExpectLevels(int current, int next) {
    if (player.Transition() != TXTransitionState::tsFading || !player.NextGraph()) {
      ADD_FAILURE() << "no fade";
      return;
    }
    EXPECT_EQ(player.Current().attenuation, current);
    EXPECT_EQ(player.Next().attenuation, next);
  }

  TestEnvironment env;
  TestPlayerCore player{env};
};

// --- asking for the next item

TEST(PlayerRequestNext, TheLeadTimeBeforeTheEnd) {
  const struct {
    const char* name;
    bool crossfading;
    std::int32_t crossfadeMs, advanceMs;
    bool unbroken;
    std::int32_t leadMs;  // 0: never asked
  } cases[] = {
      {"crossfade 5000 ms", true, 5000, 0, false, 8000},
      {"crossfade 2000 ms, advance 500 ms", true, 2000, 500, false, 5500},
      {"unbroken play alone", false, 5000, 0, true, 3000},
      {"crossfade and unbroken play", true, 5000, 0, true, 8000},
      {"neither", false, 5000, 0, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestEnvironment env;
    TestPlayerCore player(env);
    player.Properties.Crossfading = c.crossfading;
    player.Properties.CrossfadeDuration = c.crossfadeMs;
    player.Properties.CrossfadeAdvance = c.advanceMs;
    player.Properties.UnbrokenPlay = c.unbroken;
    player.AddItems("ab");
    player.PlayList().StartCurrent(true);
    const std::int64_t due = kItemMs - (c.leadMs ? c.leadMs : 100);
    player.PositionTickAt(due - 1);
    EXPECT_EQ(player.NextGraph(), nullptr);
    player.PositionTickAt(due);
    player.PositionTickAt(due + 100);
    EXPECT_EQ(player.Count("PrepareNext"), c.leadMs ? 1 : 0);
    if (!c.leadMs) continue;
    ASSERT_NE(player.NextGraph(), nullptr);
    EXPECT_EQ(player.Next().name, "b");
    EXPECT_EQ(player.Next().state, gsBuilt) << "prepared at once";
    EXPECT_FALSE(player.Next().running);
    EXPECT_EQ(player.CurrentName(), "a");
    EXPECT_EQ(player.Transition(), TXTransitionState::tsNone) << "too early to fade";
  }
}

TEST(PlayerRequestNext, TheLastItemVideosAndUnknownLengths) {
  const struct {
    const char* name;
    std::function<void(TestPlayerCore&)> setup;
    int start;             // the item that plays
    const char* prepared;  // the item prepared and faded into, or none
    const char* items = "ab";
  } cases[] = {
      {"the last item", [](auto&) {}, 1, nullptr},
      {"the last item with repeat", [](auto& p) { p.PlayList().SetOptions(ploRepeat); }, 1, "a"},
      // Nothing to fade into: the item starts again when it ends.
      {"the only item with repeat", [](auto& p) { p.PlayList().SetOptions(ploRepeat); }, 0, nullptr, "a"},
      // A prepared graph would replace the picture seconds early.
      {"a video plays", [](auto& p) { p.scripts["a"].hasVideo = true; }, 0, nullptr},
      {"a video without sound plays",
       [](auto& p) {
         p.scripts["a"].hasAudio = false;
         p.scripts["a"].hasVideo = true;
       },
       0, nullptr},
      {"the duration is unknown", [](auto& p) { p.scripts["a"].durationMs = 0; }, 0, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestEnvironment env;
    TestPlayerCore player(env);
    player.Properties.Crossfading = true;
    player.AddItems(c.items);
    c.setup(player);
    player.PlayList().PlayIndex(c.start, true, TSetCurrentMode::smNormal);
    const std::string playing = player.CurrentName();
    for (std::int64_t ms = 10000; ms < kItemMs; ms += 500) player.PositionTickAt(ms);
    EXPECT_EQ(player.CurrentName(), playing) << "the item plays to its end";
    if (!c.prepared) {
      EXPECT_EQ(player.Count("PrepareNext"), 0);
      EXPECT_EQ(player.NextGraph(), nullptr);
      continue;
    }
    ASSERT_NE(player.NextGraph(), nullptr);
    EXPECT_EQ(player.Next().name, c.prepared);
    EXPECT_EQ(player.Count(std::string("TransitionStarted ") + c.prepared), 1);
  }
}

TEST_F(TransitionTest, TheEndOfTheDataAsksForTheNextItemAtOnce) {
  player.Properties.UnbrokenPlay = true;
  player.AddItems("ab");
  player.PlayList().StartCurrent(true);
  player.PositionTickAt(1000);
  player.TakeEvents();
  player.StreamEnded(player.Current());
  EXPECT_EQ(player.TakeEvents(), (Events{"StreamEnded", "GraphBuilt b", "PrepareNext"}));
  player.StreamEnded(player.Next());
  EXPECT_EQ(player.TakeEvents(), Events{}) << "only the current graph's end counts";
}

// --- beginning a crossfade

TEST(PlayerCrossfade, BeginsByWhatIsLeftToHear) {
  const struct {
    const char* name;
    std::int32_t advanceMs;
    std::int32_t positionMs;
    std::int32_t bufferedMs;  // -1: the data is not all delivered yet
    std::int32_t fadeMs;      // 0: no fade yet
  } cases[] = {
      {"5001 ms left", 0, 14999, -1, 0},
      {"5000 ms left", 0, 15000, -1, 5000},
      {"4000 ms left", 0, 16000, -1, 4000},
      {"the advance adds to the crossfade", 1000, 14000, -1, 6000},
      {"buffered audio rules over the position", 0, 12500, 3000, 3000},
      {"more buffered than the crossfade", 0, 18000, 6000, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestEnvironment env;
    TestPlayerCore player(env);
    player.Properties.Crossfading = true;
    player.Properties.CrossfadeAdvance = c.advanceMs;
    player.AddItems("ab");
    player.PlayList().StartCurrent(true);
    player.PositionTickAt(12000);
    ASSERT_NE(player.NextGraph(), nullptr);
    EXPECT_EQ(player.Transition(), TXTransitionState::tsNone);
    if (c.bufferedMs >= 0) player.Current().buffered = std::int64_t{c.bufferedMs} * 10000;
    player.PositionTickAt(c.positionMs);
    if (!c.fadeMs) {
      EXPECT_EQ(player.Transition(), TXTransitionState::tsNone);
      EXPECT_FALSE(player.Next().running);
      continue;
    }
    EXPECT_EQ(player.Transition(), TXTransitionState::tsFading);
    EXPECT_EQ(player.FadeDuration(), c.fadeMs);
    EXPECT_EQ(player.Count("TransitionStarted b"), 1);
    EXPECT_TRUE(player.Next().running);
    EXPECT_EQ(player.Next().attenuations, std::vector<int>{100}) << "the incoming item starts silent";
    EXPECT_TRUE(player.TimerRunning(kFadeTimer));
  }
}

TEST(PlayerCrossfade, ATransitionWaitsForTheNextGraphsBuild) {
  for (const bool smooth : {false, true}) {
    SCOPED_TRACE(smooth ? "smooth" : "end of item");
    TestEnvironment env;
    TestPlayerCore player(env);
    player.scripts["b"].buildWaits = true;
    PlayWith(player, smooth);
    MoveOn(player, smooth);
    EXPECT_EQ(player.Next().state, gsBuilding);
    EXPECT_EQ(player.Transition(), smooth ? TXTransitionState::tsSmoothWait : TXTransitionState::tsCrossfadeWait);
    player.PositionTickAt(15100);
    player.GraphBuilt(player.Current());
    EXPECT_EQ(player.Count("TransitionStarted b"), 0);
    EXPECT_FALSE(player.Next().running);

    player.Next().FinishBuild();
    EXPECT_EQ(player.Transition(), TXTransitionState::tsFading);
    EXPECT_EQ(player.FadeDuration(), smooth ? 1500 : 5000);
    EXPECT_EQ(player.Count("TransitionStarted b"), 1);
    EXPECT_TRUE(player.Next().running);
    EXPECT_TRUE(player.Current().running);
  }
}

// --- the fade

TEST_F(TransitionTest, FadeLevelsStepByTheIncomingItemsPosition) {
  CrossfadeInto(1000);
  ExpectLevels(0, 100);
  const struct {
    std::int64_t nextMs;
    int current, next;
  } steps[] = {
      {0, 0, 90},     // the incoming item starts 10 % into the volume scale
      {100, 10, 80},  //
      {500, 50, 40},  //
      {899, 89, 1},   //
      {900, 90, 0},   // and is at full volume at 90 % of the fade
      {300, 90, 60},  // the outgoing item only ever fades out
      {999, 99, 0},   //
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.nextMs);
    player.FadeTickAt(step.nextMs, 0);
    ExpectLevels(step.current, step.next);
  }
  player.CompleteCurrentGraph();
  EXPECT_EQ(player.CurrentName(), "a") << "during the fade the current item's end changes nothing";
  EXPECT_EQ(player.TakeEvents(), Events{});

  player.FadeTickAt(1000, 0);
  EXPECT_EQ(player.CurrentName(), "b");
  EXPECT_EQ(player.Current().attenuation, 0);
  EXPECT_EQ(player.NextGraph(), nullptr);
  EXPECT_EQ(player.Transition(), TXTransitionState::tsNone);
  EXPECT_EQ(player.FadeDuration(), 0);
  EXPECT_FALSE(player.TimerRunning(kFadeTimer));
  EXPECT_TRUE(player.TimerRunning(kPositionTimer));
  EXPECT_EQ(player.liveGraphs.size(), 1u) << "the outgoing graph is freed";
  EXPECT_EQ(player.TakeEvents(), Events{"CurrentChanged b"});
  EXPECT_EQ(player.State(), TXPlayerState::psPlaying);
}

TEST(PlayerFade, ShortFadesSwitchAtOnceWithTheFinalLevels) {
  const struct {
    const char* name;
    bool crossfade;         // else unbroken play
    std::int32_t lengthMs;  // CompleteAdvance, or the buffered time left
    bool atOnce;
  } cases[] = {
      {"unbroken play, 25 ms", false, 25, true},
      {"unbroken play, 0 ms", false, 0, true},
      {"unbroken play, 26 ms", false, 26, false},
      {"crossfade with 20 ms left", true, 20, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestEnvironment env;
    TestPlayerCore player(env);
    player.Properties.Crossfading = c.crossfade;
    player.Properties.UnbrokenPlay = !c.crossfade;
    player.Properties.CompleteAdvance = c.lengthMs;
    player.AddItems("ab");
    player.PlayList().StartCurrent(true);
    player.PositionTickAt(kItemMs - (c.crossfade ? 8000 : 2000));  // prepared, not yet fading
    const TXGraphRef<TPlaybackGraph> outgoing(player.Graph());
    const TXGraphRef<TPlaybackGraph> incoming(player.NextGraph());
    player.TakeEvents();
    player.Current().buffered = std::int64_t{c.lengthMs} * 10000;  // the data has ended
    if (c.crossfade)
      player.StreamEnded(player.Current());
    else
      player.CompleteAdvanceReached(player.Current());
    if (!c.atOnce) {
      EXPECT_EQ(player.Transition(), TXTransitionState::tsFading);
      EXPECT_EQ(player.FadeDuration(), c.lengthMs);
      EXPECT_TRUE(player.TimerRunning(kFadeTimer));
      continue;
    }
    EXPECT_EQ(player.CurrentName(), "b");
    EXPECT_EQ(static_cast<FakeGraph&>(*outgoing).attenuations, std::vector<int>{100}) << "silenced before it goes";
    EXPECT_EQ(static_cast<FakeGraph&>(*incoming).attenuations, (std::vector<int>{100, 0, 0}));
    Events expected{"TransitionStarted b", "CurrentChanged b"};
    if (c.crossfade) expected.insert(expected.begin(), "StreamEnded");
    EXPECT_EQ(player.TakeEvents(), expected);
    EXPECT_EQ(std::count(player.timerCalls.begin(), player.timerCalls.end(), "set 2 25"), 0);
  }
}

TEST(PlayerFade, ShortenedToAShorterNextItem) {
  const struct {
    std::int32_t nextMs;
    std::int32_t fadeMs;
  } cases[] = {{2000, 2000}, {4000, 4000}, {6000, 5000}, {0, 5000} /* unknown length */};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nextMs);
    TestEnvironment env;
    TestPlayerCore player(env);
    player.Properties.Crossfading = true;
    player.scripts["b"].durationMs = c.nextMs;
    player.AddItems("ab");
    player.PlayList().StartCurrent(true);
    player.PositionTickAt(12000);
    player.PositionTickAt(15000);
    EXPECT_EQ(player.FadeDuration(), c.fadeMs);
    player.FadeTickAt(c.fadeMs / 2, 0);
    EXPECT_EQ(player.Current().attenuation, 50);
    player.FadeTickAt(c.fadeMs, 0);
    EXPECT_EQ(player.CurrentName(), "b");
  }
}

TEST_F(TransitionTest, UnbrokenPlayStartsTheNextItemWhenTheAdvanceIsReached) {
  player.Properties.UnbrokenPlay = true;
  player.AddItems("ab");
  player.PlayList().StartCurrent(true);
  player.PositionTickAt(17000);
  ASSERT_NE(player.NextGraph(), nullptr);
  player.CompleteAdvanceReached(player.Current());
  EXPECT_EQ(player.Transition(), TXTransitionState::tsNone) << "stale: the data has not ended (a seek came after it)";
  player.Current().buffered = 350 * 10000;
  player.StreamEnded(player.Current());
  player.CompleteAdvanceReached(player.Next());
  EXPECT_EQ(player.Transition(), TXTransitionState::tsNone) << "without crossfading, only the advance starts it";

  player.CompleteAdvanceReached(player.Current());
  EXPECT_EQ(player.Transition(), TXTransitionState::tsFading);
  EXPECT_EQ(player.FadeDuration(), 300);
  EXPECT_TRUE(player.Next().running);
  player.FadeTickAt(150);
  ExpectLevels(50, 40);
  {
    const TXGraphRef<TPlaybackGraph> outgoing(player.Graph());
    player.FadeTickAt(300);
    EXPECT_EQ(player.CurrentName(), "b") << "at once, though 50 ms of the faded-out item are still buffered";
    // A late notice of the item faded out must not start a fade again, silencing the item it faded into.
    player.CompleteAdvanceReached(static_cast<FakeGraph&>(*outgoing));
  }
  EXPECT_EQ(player.Transition(), TXTransitionState::tsNone);
  EXPECT_EQ(player.Current().attenuation, 0);
  EXPECT_EQ(player.liveGraphs.size(), 1u);
}

TEST(PlayerFade, TheAdvanceIsIgnoredWithoutUnbrokenPlayOrDuringACrossfade) {
  for (const bool unbroken : {false, true}) {
    SCOPED_TRACE(unbroken ? "during a crossfade" : "unbroken play off");
    TestEnvironment env;
    TestPlayerCore player(env);
    player.Properties.Crossfading = true;
    player.Properties.UnbrokenPlay = unbroken;
    player.AddItems("ab");
    player.PlayList().StartCurrent(true);
    player.PositionTickAt(12000);
    if (unbroken) player.PositionTickAt(15000);
    player.CompleteAdvanceReached(player.Current());
    EXPECT_EQ(player.FadeDuration(), unbroken ? 5000 : 0);
    EXPECT_EQ(player.Count("TransitionStarted b"), unbroken ? 1 : 0);
  }
}

TEST_F(TransitionTest, PauseHoldsTheFadeAndPlayGoesOnFromWhereItStood) {
  CrossfadeInto(1000);
  player.FadeTickAt(400);
  ExpectLevels(40, 50);
  player.Pause();
  EXPECT_FALSE(player.TimerRunning(kFadeTimer));
  EXPECT_FALSE(player.Current().running);
  EXPECT_FALSE(player.Next().running);
  EXPECT_EQ(player.Transition(), TXTransitionState::tsFading);

  player.now += 60000;  // a long pause
  player.Play();
  EXPECT_TRUE(player.TimerRunning(kFadeTimer));
  EXPECT_TRUE(player.Current().running);
  EXPECT_TRUE(player.Next().running);
  player.FadeTickAt(400);
  ExpectLevels(40, 50);
  EXPECT_EQ(player.Transition(), TXTransitionState::tsFading) << "the pause does not count as fade time";
  player.FadeTickAt(1000);
  EXPECT_EQ(player.CurrentName(), "b");
}

TEST_F(TransitionTest, AnIncomingItemWhosePositionNeverMovesIsFadedByTheClock) {
  CrossfadeInto(2000);
  std::int64_t clock = 0;
  while (player.NextGraph() && clock < 10000) {
    player.FadeTickAt(0);
    clock += 25;
    if (clock == 1500) ExpectLevels(50, 40);
  }
  EXPECT_EQ(player.CurrentName(), "b");
  EXPECT_GE(clock, 2000) << "not before the fade's length";
  EXPECT_LE(clock, 2600) << "and not much after it";
}

TEST_F(TransitionTest, MinPositionHoldsTheIncomingLevelAtItsStart) {
  player.Properties.MinPosition = 500;
  CrossfadeInto(1000);
  const struct {
    std::int64_t nextMs;
    int current, next;
  } steps[] = {{0, 0, 90}, {250, 0, 90}, {500, 0, 90}, {600, 10, 80}, {1400, 90, 0}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.nextMs);
    player.FadeTickAt(step.nextMs);
    ExpectLevels(step.current, step.next);
  }
  player.FadeTickAt(1500);
  EXPECT_EQ(player.CurrentName(), "b");
}

// --- smooth navigation

TEST(PlayerSmoothNavigation, NextDuringPlaybackFadesOrSwitches) {
  const struct {
    const char* name;
    std::function<void(TestPlayerCore&)> setup;
    bool fades;
    TXPlayerState state = TXPlayerState::psPlaying;  // before "next"
  } cases[] = {
      {"smooth navigation", [](auto&) {}, true},
      {"smooth navigation off", [](auto& p) { p.Properties.SmoothNavigation = false; }, false},
      {"paused", [](auto&) {}, false, TXPlayerState::psPaused},
      {"a video plays", [](auto& p) { p.scripts["a"].hasVideo = true; }, false},
      {"from a video to a video", [](auto& p) { p.scripts["a"].hasVideo = p.scripts["b"].hasVideo = true; }, false},
      {"to a video without sound",
       [](auto& p) {
         p.scripts["b"].hasAudio = false;
         p.scripts["b"].hasVideo = true;
       },
       true},
      {"the current graph is still building", [](auto& p) { p.scripts["a"].buildWaits = true; }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestEnvironment env;
    TestPlayerCore player(env);
    player.Properties.SmoothNavigation = true;
    player.AddItems("abc");
    c.setup(player);
    player.PlayList().StartCurrent(true);
    if (c.state == TXPlayerState::psPaused) player.Pause();
    player.TakeEvents();

    player.PlayList().Next(false);

    EXPECT_EQ(player.State(), TXPlayerState::psPlaying);
    if (!c.fades) {
      EXPECT_EQ(player.CurrentName(), "b") << "switched at once";
      EXPECT_EQ(player.NextGraph(), nullptr);
      EXPECT_TRUE(player.Current().running);
      EXPECT_EQ(player.Count("TransitionStarted b"), 0);
      EXPECT_EQ(player.liveGraphs.size(), 1u);
      continue;
    }
    EXPECT_EQ(player.TakeEvents(), (Events{"GraphBuilt b", "TransitionStarted b"}));
    EXPECT_EQ(player.CurrentName(), "a");
    EXPECT_EQ(player.FadeDuration(), 1500);
    player.FadeTickAt(750);
    EXPECT_EQ(player.Current().attenuation, 50);
    player.FadeTickAt(1500);
    EXPECT_EQ(player.CurrentName(), "b");
    EXPECT_EQ(player.TakeEvents(), Events{"CurrentChanged b"});
  }
}

TEST(PlayerSmoothNavigation, NextDuringAFadeGoesOnFromTheItemFadingIn) {
  TestEnvironment env;
  TestPlayerCore player(env);
  player.Properties.SmoothNavigation = true;
  player.AddItems("abc");
  player.PlayList().StartCurrent(true);
  player.PlayList().Next(false);
  player.FadeTickAt(750);
  ASSERT_EQ(player.Transition(), TXTransitionState::tsFading);
  player.TakeEvents();

  player.PlayList().Next(false);
  EXPECT_EQ(player.CurrentName(), "b") << "the item the user heard coming in stays; the one fading out goes";
  EXPECT_EQ(player.Current().attenuation, 0);
  EXPECT_TRUE(player.Current().running);
  EXPECT_EQ(player.Next().name, "c");
  EXPECT_EQ(player.TakeEvents(), (Events{"CurrentChanged b", "GraphBuilt c", "TransitionStarted c"}));
  EXPECT_EQ(player.liveGraphs.size(), 2u);
  player.FadeTickAt(1500);
  EXPECT_EQ(player.CurrentName(), "c");
}

// --- when the next item fails or goes

TEST(PlayerTransitionErrors, ANextItemThatFailsToBuildIsPassedOverOnce) {
  for (const bool smooth : {false, true}) {
    SCOPED_TRACE(smooth ? "smooth" : "end of item");
    TestEnvironment env;
    TestPlayerCore player(env);
    player.scripts["b"].buildFails = true;
    PlayWith(player, smooth);
    MoveOn(player, smooth);
    if (smooth) {
      player.PositionTickAt(15100);
    } else {
      EXPECT_EQ(player.Transition(), TXTransitionState::tsCrossfadeWait);
      EXPECT_TRUE(player.Current().attenuations.empty()) << "the current item plays out at full volume";
      player.CompleteCurrentGraph();
    }
    EXPECT_EQ(player.CurrentName(), "b");
    player.TakeEvents();
    player.PositionTickAt(0);
    EXPECT_EQ(player.TakeEvents(), (Events{"GraphBuilt c", "CurrentChanged c", "StateChanged playing", "Completed"}));
    EXPECT_EQ(player.buildErrors, 1);
    EXPECT_EQ(player.Count("GraphBuilt b failed"), 1);
  }
}

TEST(PlayerTransitionErrors, ANextGraphThatWillNotRun) {
  for (const bool smooth : {false, true}) {
    SCOPED_TRACE(smooth ? "smooth" : "end of item");
    TestEnvironment env;
    TestPlayerCore player(env);
    player.scripts["b"].playRaises = true;
    PlayWith(player, smooth);
    player.TakeEvents();
    MoveOn(player, smooth);
    EXPECT_EQ(player.Transition(), TXTransitionState::tsNone);
    if (smooth) {
      // The user chose the item: it takes over without a fade.
      EXPECT_EQ(player.CurrentName(), "b");
      EXPECT_EQ(player.NextGraph(), nullptr);
    } else {
      // At an item's end the current item plays out.
      EXPECT_EQ(player.TakeEvents(), (Events{"GraphBuilt b", "PreparedEnded"}));
      EXPECT_EQ(player.CurrentName(), "a");
      EXPECT_TRUE(player.Current().running);
      EXPECT_EQ(player.Current().attenuation, 0);
      EXPECT_EQ(player.NextGraph(), nullptr);
      EXPECT_EQ(player.liveGraphs.size(), 1u);
    }
    EXPECT_EQ(player.PlayList().Items(1).ErrorText, "The graph could not run.");
  }
}

// The next item's graph refused to run when the crossfade into it began. It used to be dropped and asked for again at
// the next position tick, built and refused again, every 100 ms until the current item ended.
TEST(PlayerTransitionErrors, ANextItemThatWillNotRunIsAskedForOnceAndPassedOver) {
  TestEnvironment env;
  TestPlayerCore player(env);
  player.Properties.Crossfading = true;
  player.scripts["b"].playRaises = true;
  player.AddItems("abc");
  player.PlayList().StartCurrent(true);
  for (std::int64_t ms = 12000; ms < kItemMs; ms += 100) player.PositionTickAt(ms);
  EXPECT_EQ(player.Count("PrepareNext"), 1);
  EXPECT_EQ(player.graphsMade, 2);
  EXPECT_EQ(player.Current().attenuation, 0);

  player.CompleteCurrentGraph();
  EXPECT_EQ(player.CurrentName(), "b") << "played in turn, it is tried once more";
  player.TakeEvents();
  player.PositionTickAt(0);
  EXPECT_EQ(player.TakeEvents(), (Events{"GraphBuilt c", "CurrentChanged c", "StateChanged playing", "Completed"}));
  EXPECT_EQ(player.graphsMade, 4) << "b built twice in all: prepared, then played in turn";

  for (std::int64_t ms = 12000; ms < 12500; ms += 100) player.PositionTickAt(ms);
  EXPECT_EQ(player.Count("PrepareNext"), 1) << "the last item: nothing to prepare";
}

TEST(PlayerTransitionErrors, LettingGoOfThePreparedGraph) {
  const struct {
    const char* name;
    std::function<void(TestPlayerCore&)> action;
    Events events;
  } actions[] = {
      {"its item is removed", [](auto& p) { p.PlayList().Delete(1); }, {}},
      {"it ended before it became current", [](auto& p) { p.GraphCompleted(p.Next()); }, {"PreparedEnded"}},
  };
  for (const auto& action : actions) {
    for (const bool fading : {false, true}) {
      SCOPED_TRACE(std::string(action.name) + (fading ? ", fading" : ""));
      TestEnvironment env;
      TestPlayerCore player(env);
      player.Properties.Crossfading = true;
      player.AddItems("abc");
      player.PlayList().StartCurrent(true);
      player.PositionTickAt(12000);
      if (fading) {
        player.PositionTickAt(15000);
        player.FadeTickAt(1000);
        EXPECT_EQ(player.Current().attenuation, 20);
      }
      player.TakeEvents();

      action.action(player);

      EXPECT_EQ(player.TakeEvents(), action.events);
      EXPECT_EQ(player.NextGraph(), nullptr);
      EXPECT_EQ(player.liveGraphs.size(), 1u);
      EXPECT_EQ(player.Transition(), TXTransitionState::tsNone);
      EXPECT_FALSE(player.TimerRunning(kFadeTimer));
      EXPECT_EQ(player.Current().attenuation, 0) << "back to full volume";
      EXPECT_EQ(player.CurrentName(), "a");
    }
  }
}

TEST_F(TransitionTest, StopEndsTheFadeAndDropsTheNextGraph) {
  CrossfadeInto(1000);
  player.FadeTickAt(500);
  player.Stop();
  EXPECT_EQ(player.TakeEvents(), Events{"StateChanged stopped"});
  EXPECT_EQ(player.Transition(), TXTransitionState::tsNone);
  EXPECT_EQ(player.FadeDuration(), 0);
  EXPECT_EQ(player.NextGraph(), nullptr);
  EXPECT_EQ(player.liveGraphs.size(), 1u);
  EXPECT_EQ(player.Current().attenuation, 0);
  EXPECT_FALSE(player.TimerRunning(kFadeTimer));
}

TEST_F(TransitionTest, ANewPreparedGraphReplacesThePreviousOne) {
  player.Properties.Crossfading = true;
  player.AddItems("abc");
  player.PlayList().StartCurrent(true);
  player.PositionTickAt(12000);
  FakeGraph* const b = &player.Next();
  player.PlayList().PlayIndex(2, true, TSetCurrentMode::smPrepare);
  EXPECT_EQ(player.Next().name, "c");
  EXPECT_EQ(player.liveGraphs.count(b), 0u) << "the replaced graph is freed";
  EXPECT_EQ(player.CurrentName(), "a");
}

}  // namespace
}  // namespace nv
