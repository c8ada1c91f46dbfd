// The player's observer list: observers that add or remove observers while they are called, what they want of the
// visualiser, and removal while the visualiser's thread is inside a call.
#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <thread>

#include <gtest/gtest.h>

#include "tests/engine/PlayerFakes.h"

namespace nv {
namespace {

using Events = std::vector<std::string>;

// Writes its name into a shared log for each call; runs `onCall` once, on its first call.
class ScriptedObserver final : public IXPlayerObserver {
public:
  ScriptedObserver(std::string name, Events& log, std::uint8_t wanted = 0)
      : name_(std::move(name)), log_(log), wanted_(wanted) {}
  std::function<void()> onCall;

  void PlayerEvent(TPlayerCore&, TPlayerEventType, void*) override { Called(); }
  std::uint8_t DataWanted() override { return wanted_; }
  void SpectrumData(const VisualizationFrame&) override { Called(); }

private:
  void Called() {
    log_.push_back(name_);
    if (auto call = std::exchange(onCall, nullptr)) call();
  }
  std::string name_;
  Events& log_;
  std::uint8_t wanted_;
};

TEST(PlayerObservers, ObserversAddedOrRemovedDuringACall) {
  const struct {
    const char* name;
    std::function<void(TPlayerObservers&, ScriptedObserver&, ScriptedObserver&, ScriptedObserver&,
                       ScriptedObserver&)>
        setup;  // list, a, b, c and d (not registered)
    Events first, second;
  } cases[] = {
      {"one removes itself", [](auto& list, auto& a, auto&, auto&, auto&) { a.onCall = [&] { list.Remove(a); }; },
       {"a", "b", "c"}, {"b", "c"}},
      {"one removes a later one",
       [](auto& list, auto& a, auto&, auto& c, auto&) { a.onCall = [&] { list.Remove(c); }; }, {"a", "b"},
       {"a", "b"}},
      {"one removes an earlier one",
       [](auto& list, auto& a, auto&, auto& c, auto&) { c.onCall = [&] { list.Remove(a); }; }, {"a", "b", "c"},
       {"b", "c"}},
      {"one adds another", [](auto& list, auto& a, auto&, auto&, auto& d) { a.onCall = [&] { list.Add(d); }; },
       {"a", "b", "c"}, {"a", "b", "c", "d"}},
      {"one is added twice", [](auto& list, auto&, auto& b, auto&, auto&) { EXPECT_FALSE(list.Add(b)); },
       {"a", "b", "c"}, {"a", "b", "c"}},
  };
  test::TestEnvironment env;
  test::TestPlayerCore player(env);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Events log;
    ScriptedObserver a("a", log), b("b", log), cc("c", log), d("d", log);
    TPlayerObservers list;
    for (ScriptedObserver* observer : {&a, &b, &cc}) EXPECT_TRUE(list.Add(*observer));
    c.setup(list, a, b, cc, d);
    list.PlayerEvent(player, peStateChanged, nullptr);
    EXPECT_EQ(log, c.first);
    log.clear();
    list.SpectrumData(VisualizationFrame{});
    EXPECT_EQ(log, c.second);
  }
}

TEST(PlayerObservers, WhatTheVisualiserIsAskedForIsEveryObserversWish) {
  Events log;
  ScriptedObserver waveform("waveform", log, 1), spectrum("spectrum", log, 2), nothing("nothing", log);
  TPlayerObservers list;
  EXPECT_EQ(list.DataWanted(), 0);
  list.Add(nothing);
  list.Add(waveform);
  EXPECT_EQ(list.DataWanted(), 1);
  list.Add(spectrum);
  EXPECT_EQ(list.DataWanted(), 3);
  list.Remove(waveform);
  EXPECT_EQ(list.DataWanted(), 2);
}

// The visualiser's thread is inside SpectrumData when the user-interface thread removes the observer: Remove returns
// only once that call has, so the observer can be destroyed at once.
TEST(PlayerObservers, RemovalWaitsForACallOnTheVisualisersThread) {
  struct Slow final : IXPlayerObserver {
    std::promise<void> entered;
    std::shared_future<void> release;
    std::atomic<bool> returned{false};
    std::atomic<int> frames{0};
    void PlayerEvent(TPlayerCore&, TPlayerEventType, void*) override {}
    std::uint8_t DataWanted() override { return 2; }
    void SpectrumData(const VisualizationFrame&) override {
      if (++frames == 1) entered.set_value();
      release.wait();
      returned = true;
    }
  };
  std::promise<void> release;
  Slow slow;
  slow.release = release.get_future().share();
  TPlayerObservers list;
  list.Add(slow);

  std::thread visualiser([&] { list.SpectrumData(VisualizationFrame{}); });
  slow.entered.get_future().wait();
  std::thread releaser([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    release.set_value();
  });
  list.Remove(slow);
  EXPECT_TRUE(slow.returned) << "Remove returned while the observer was still being called";
  releaser.join();
  visualiser.join();

  list.SpectrumData(VisualizationFrame{});
  EXPECT_EQ(slow.frames, 1);
}

TEST(PlayerObservers, AnObserverMayRemoveItselfOnTheVisualisersThread) {
  Events log;
  TPlayerObservers list;
  ScriptedObserver self("self", log), other("other", log);
  self.onCall = [&] { list.Remove(self); };
  list.Add(self);
  list.Add(other);
  std::thread visualiser([&] { list.SpectrumData(VisualizationFrame{}); });
  visualiser.join();
  list.Remove(other);  // from this thread, with no call running
  EXPECT_EQ(log, (Events{"self", "other"}));
}

TEST(PlayerObservers, ObserversHearThePlayerGoAndAreCalledNoMore) {
  struct Holder final : IXPlayerObserver {
    TPlayerCore* player = nullptr;
    int events = 0;
    void PlayerEvent(TPlayerCore&, TPlayerEventType, void*) override { ++events; }
    std::uint8_t DataWanted() override { return 0; }
    void SpectrumData(const VisualizationFrame&) override {}
    void PlayerFreed(TPlayerCore& freed) override {
      EXPECT_EQ(&freed, player);
      player = nullptr;
    }
  } first, second;
  {
    test::TestEnvironment env;
    test::TestPlayerCore player(env);
    player.Loaded();
    first.player = second.player = &player;
    player.AddObserver(first);
    player.AddObserver(second);
  }
  EXPECT_EQ(first.player, nullptr);
  EXPECT_EQ(second.player, nullptr);
  EXPECT_GE(first.events, 1) << "it was registered";
}

}  // namespace
}  // namespace nv
