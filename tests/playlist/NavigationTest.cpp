// The play order and the one navigation rule behind Next, Previous, the end of an item and preparing the next item,
// in every order and repeat combination; and the shuffled order's properties.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "playlist/ShuffleOrder.h"
#include "tests/playlist/PlayListFakes.h"

namespace nv {
namespace {

using test::FakePlayer;
using test::TestEnvironment;
constexpr auto psStopped = TXPlayerState::psStopped;
constexpr auto psPlaying = TXPlayerState::psPlaying;
constexpr auto psPaused = TXPlayerState::psPaused;
constexpr auto smNormal = TSetCurrentMode::smNormal;
constexpr auto smSmooth = TSetCurrentMode::smSmooth;
constexpr auto smPrepare = TSetCurrentMode::smPrepare;

struct StepCase {
  const char* name;
  bool repeat;
  TXPlayerState state;
  int current, prepared;  // play-order positions, -1 none
  bool forward, play, wrap;
  TSetCurrentMode mode;
  int expected;  // play-order position made current (or prepared); -1: nothing happens
  bool expectPlay;
};

// Five items; positions are play-order positions, so every row holds for the linear and the shuffled order alike.
const StepCase kStepCases[] = {
    // Next and Previous (user navigation): never wrap, with or without Repeat.
    {"next", false, psStopped, 2, -1, true, false, false, smSmooth, 3, false},
    {"next while playing keeps playing", false, psPlaying, 2, -1, true, false, false, smSmooth, 3, true},
    {"next while paused plays", false, psPaused, 2, -1, true, false, false, smSmooth, 3, true},
    {"next on the last", false, psPlaying, 4, -1, true, false, false, smSmooth, -1, false},
    {"next on the last, repeat", true, psPlaying, 4, -1, true, false, false, smSmooth, -1, false},
    {"next without a current item", false, psStopped, -1, -1, true, false, false, smSmooth, 0, false},
    {"previous", false, psStopped, 2, -1, false, false, false, smSmooth, 1, false},
    {"previous on the first", true, psPlaying, 0, -1, false, false, false, smSmooth, -1, false},
    {"previous without a current item", false, psStopped, -1, -1, false, false, false, smSmooth, 4, false},
    {"next with play", false, psStopped, 1, -1, true, true, false, smSmooth, 2, true},
    // End of an item (peCompleted): wraps; after the wrap playback goes on only with Repeat.
    {"completed", false, psStopped, 1, -1, true, true, true, smNormal, 2, true},
    {"completed on the last", false, psStopped, 4, -1, true, true, true, smNormal, 0, false},
    {"completed on the last, repeat", true, psStopped, 4, -1, true, true, true, smNormal, 0, true},
    {"completed without a current item", false, psStopped, -1, -1, true, true, true, smNormal, 0, true},
    // Preparing the next item (pePrepareNext): wraps only with Repeat.
    {"prepare next", false, psPlaying, 1, -1, true, false, true, smPrepare, 2, true},
    {"prepare next on the last", false, psPlaying, 4, -1, true, false, true, smPrepare, -1, false},
    {"prepare next on the last, repeat", true, psPlaying, 4, -1, true, false, true, smPrepare, 0, true},
    {"prepare next after a prepared item", false, psPlaying, 1, 3, true, false, true, smPrepare, 4, true},
    {"next moves on from the prepared item", false, psPlaying, 1, 2, true, false, false, smSmooth, 3, true},
    // Backwards with wrapping.
    {"back past the first, repeat", true, psStopped, 0, -1, false, true, true, smNormal, 4, true},
    {"back past the first", false, psStopped, 0, -1, false, true, true, smNormal, 4, false},
    {"back past the first, not playing, no repeat", false, psPlaying, 0, -1, false, false, true, smNormal, -1, false},
};

class StepTable : public ::testing::TestWithParam<bool> {};

TEST_P(StepTable, EveryOrderAndRepeatCombination) {
  const bool shuffled = GetParam();
  for (const StepCase& c : kStepCases) {
    SCOPED_TRACE(std::string(c.name) + (shuffled ? " (shuffled)" : " (linear)"));
    TestEnvironment env;
    FakePlayer player;
    TXPlayerPlayList list(player, env.Get());
    for (const std::string& f : test::MusicFiles(5)) list.AddEntry(f);
    list.SetOptions((c.repeat ? ploRepeat : 0) | (shuffled ? ploShuffle : 0));
    list.PlayOrderItem(0);  // the order is built now, with no current item
    player.current = c.current >= 0 ? list.PlayOrderItem(c.current) : nullptr;
    player.prepared = c.prepared >= 0 ? list.PlayOrderItem(c.prepared) : nullptr;
    player.state = c.state;
    const std::vector<std::string> order = test::PlayOrderNamesOf(list);
    player.calls.clear();

    list.Step(c.forward, c.play, c.wrap, c.mode);

    if (c.expected < 0) {
      EXPECT_TRUE(player.calls.empty()) << player.calls.front();
      continue;
    }
    const char* modes[] = {"normal", "smooth", "prepare"};
    ASSERT_EQ(player.calls.size(), 1u);
    EXPECT_EQ(player.calls[0], "open " + order[c.expected] + (c.expectPlay ? " play " : " ") +
                                   modes[static_cast<int>(c.mode)]);
    EXPECT_EQ(test::PlayOrderNamesOf(list), order) << "stepping keeps the order";
  }
}

INSTANTIATE_TEST_SUITE_P(Orders, StepTable, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Shuffled" : "Linear"; });

TEST(PlayListNavigation, EmptyListsAndRemovedCurrentItems) {
  TestEnvironment env;
  FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  list.Step(true, true, true, smNormal);
  list.Next(true);
  list.Previous(true);
  list.StartCurrent(true);
  EXPECT_TRUE(player.calls.empty());
  EXPECT_TRUE(list.IsFirst());
  EXPECT_TRUE(list.IsLast());

  for (const std::string& f : test::MusicFiles(5)) list.AddEntry(f);
  list.PlayIndex(2, true, smNormal);
  list.Delete(2);  // the current item goes: the player lets go of it first
  EXPECT_EQ(player.current, nullptr);
  player.calls.clear();
  list.Next(false);
  EXPECT_EQ(player.calls, std::vector<std::string>{"open C:\\Music\\a.mp3 smooth"}) << "no current item: the first";
  list.Delete(0);
  player.calls.clear();
  list.Previous(false);
  EXPECT_EQ(player.calls, std::vector<std::string>{"open C:\\Music\\e.mp3 smooth"}) << "no current item: the last";
}

TEST(PlayListNavigation, ASingleItemWithRepeatPlaysAgain) {
  TestEnvironment env;
  FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  list.AddEntry("C:\\only.mp3");
  list.SetOptions(ploRepeat);
  list.PlayIndex(0, true, smNormal);
  player.state = psStopped;
  player.calls.clear();
  list.Completed();
  EXPECT_EQ(player.calls, std::vector<std::string>{"play"});
}

TEST(PlayListShuffle, CurrentFirstEachItemOnceAndTheSameForTheSameSeed) {
  auto build = [](std::uint64_t seed, int current) {
    TestEnvironment env;
    env.random.Reseed(seed);
    FakePlayer player;
    TXPlayerPlayList list(player, env.Get());
    for (const std::string& f : test::MusicFiles(40)) list.AddEntry(f);
    if (current >= 0) player.current = &list.Items(current);
    list.SetOptions(ploShuffle);
    return test::PlayOrderNamesOf(list);
  };
  const std::vector<std::string> order = build(7, 17);
  EXPECT_EQ(order.front(), test::MusicFiles(40)[17]);
  EXPECT_EQ(std::set<std::string>(order.begin(), order.end()).size(), 40u);
  EXPECT_EQ(build(7, 17), order);
  EXPECT_NE(build(8, 17), order);
  EXPECT_NE(build(7, -1), test::MusicFiles(40)) << "without a current item, still shuffled";
}

TEST(PlayListShuffle, ACycleVisitsEveryItemOnceThenRepeatsTheSameOrder) {
  TestEnvironment env;
  FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  for (const std::string& f : test::MusicFiles(12)) list.AddEntry(f);
  list.SetOptions(ploShuffle | ploRepeat);
  list.StartCurrent(true);
  std::vector<std::string> played{player.current->FileName()};
  for (int i = 0; i < 23; ++i) {
    EXPECT_EQ(list.IsLast(), i % 12 == 11);
    list.Completed();
    played.push_back(player.current->FileName());
  }
  EXPECT_EQ(std::set<std::string>(played.begin(), played.begin() + 12).size(), 12u);
  EXPECT_TRUE(std::equal(played.begin(), played.begin() + 12, played.begin() + 12));
}

TEST(PlayListShuffle, TheOrderIsDiscardedByChangesAndRebuiltWithTheCurrentItemFirst) {
  TestEnvironment env;
  FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  for (const std::string& f : test::MusicFiles(8)) list.AddEntry(f);
  list.SetOptions(ploShuffle);
  const std::vector<std::string> first = test::PlayOrderNamesOf(list);
  player.current = list.PlayOrderItem(5);
  EXPECT_EQ(test::PlayOrderNamesOf(list), first) << "making an item current keeps the order";
  list.AddEntry("C:\\new.mp3");
  EXPECT_EQ(list.PlayOrderItem(0), player.current) << "rebuilt after a change, the current item first";
  EXPECT_EQ(list.PlayOrderIndexOf(player.current), 0);
  list.SetOptions(0);
  EXPECT_EQ(test::PlayOrderNamesOf(list), test::NamesOf(list)) << "linear again";
}

// The literal rule: insert each item at a random place in the order built so far.
std::vector<std::uint32_t> LiteralInsertion(std::uint32_t count, RandomSource& random) {
  std::vector<std::uint32_t> order;
  for (std::uint32_t k = 0; k < count; ++k) order.insert(order.begin() + random.Below(k + 1), k);
  return order;
}

TEST(PlayListShuffle, TheFastBuildGivesWhatLiteralInsertionGives) {
  for (std::uint32_t count : {0u, 1u, 2u, 3u, 7u, 64u, 100u, 1000u}) {
    for (std::uint64_t seed : {1ull, 99ull, 123456789ull}) {
      SeededRandom a(seed), b(seed);
      EXPECT_EQ(InsertionShuffle(count, a), LiteralInsertion(count, b)) << count << " items, seed " << seed;
    }
  }
}

TEST(PlayListShuffle, EveryOrderOfThreeIsAboutEquallyLikely) {
  SeededRandom random(2024);
  std::map<std::vector<std::uint32_t>, int> seen;
  for (int i = 0; i < 6000; ++i) ++seen[InsertionShuffle(3, random)];
  ASSERT_EQ(seen.size(), 6u);
  for (const auto& [order, n] : seen) EXPECT_NEAR(n, 1000, 150);
}

}  // namespace
}  // namespace nv
