// Background information reading: one item per step from the cursor on, each item once in a pass, the cursor kept
// by information changes and sent back to the top only by changes of the list; a file whose reader fails is passed
// over. Also refreshing information and updating an item from its graph.
#include <gtest/gtest.h>

#include "metadata/MediaFileReading.h"
#include "tests/metadata/MediaFixtures.h"
#include "tests/playlist/PlayListFakes.h"

namespace nv {
namespace {

using test::FakePlayer;
using test::TestEnvironment;

// Files that do not exist read quickly: their information is the size 0 and the file name.
std::vector<std::string> Missing(int count) {
  std::vector<std::string> paths;
  for (int i = 0; i < count; ++i) paths.push_back("Q:\\Nowhere\\" + std::to_string(i) + ".mp3");
  return paths;
}

std::vector<int> ReadOrder(TXPlayList& list, int steps) {
  std::vector<int> order;
  for (int i = 0; i < steps && list.ReadNextInfo(); ++i) order.push_back(list.LastInfoIndex());
  return order;
}

TEST(PlayListInfoReading, APassReadsEachItemOnceFromTheTop) {
  TestEnvironment env;
  TXPlayList list(env.Get());
  for (const std::string& p : Missing(5)) list.AddEntry(p);
  list.Items(2).Info.Loaded = true;
  EXPECT_EQ(ReadOrder(list, 10), (std::vector<int>{0, 1, 3, 4}));
  EXPECT_FALSE(list.ReadNextInfo());
  EXPECT_EQ(list.LastInfoIndex(), -1);
  EXPECT_TRUE(list.Items(0).Info.Loaded);
  EXPECT_EQ(list.Items(0).Value(kFileSizeAttribute).ToNumber(), 0);
}

TEST(PlayListInfoReading, InformationChangesKeepTheCursorListChangesResetIt) {
  TestEnvironment env;
  TXPlayList list(env.Get());
  for (const std::string& p : Missing(6)) list.AddEntry(p);
  EXPECT_EQ(ReadOrder(list, 3), (std::vector<int>{0, 1, 2}));
  // Item 0's information is dropped and changed (as a graph built for it would): the cursor stays at 3, so item 0
  // is read again only after the rest, instead of every step starting over from the top.
  list.Items(0).Info.Clear();
  list.Items(0).Info.SetValue(kTitleAttribute, AttributeValue::AnsiText("From a graph"));
  EXPECT_EQ(ReadOrder(list, 10), (std::vector<int>{3, 4, 5, 0}));

  list.Items(4).Info.Loaded = false;
  list.Items(1).Info.Loaded = false;
  list.AddEntry("Q:\\Nowhere\\new.mp3");  // a change of the list: from the top again
  EXPECT_EQ(ReadOrder(list, 10), (std::vector<int>{1, 4, 6}));
}

TEST(PlayListInfoReading, AFileWhoseReaderFailsIsPassedOver) {
  TestEnvironment env;
  TXPlayList list(env.Get());
  list.AddEntry(test::FixturePath("vorbis_bad_utf8.ogg"));
  list.AddEntry("Q:\\Nowhere\\a.mp3");
  EXPECT_EQ(ReadOrder(list, 10), (std::vector<int>{0, 1}));
  EXPECT_TRUE(list.Items(0).Info.Loaded);
  EXPECT_EQ(list.Items(0).Value(kTitleAttribute).ToUtf16(), u"vorbis_bad_utf8");
}

TEST(PlayListInfoReading, TheTimerReadsAndStopsWhenNothingIsLeft) {
  TestEnvironment env;
  FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  EXPECT_FALSE(player.timerRunning);
  for (const std::string& p : Missing(2)) list.AddEntry(p);
  EXPECT_TRUE(player.timerRunning) << "a change of the list starts the timer";
  player.calls.clear();
  list.InfoTimerTick();
  list.InfoTimerTick();
  EXPECT_TRUE(player.timerRunning);
  list.InfoTimerTick();
  EXPECT_FALSE(player.timerRunning);
  EXPECT_EQ(player.calls, (std::vector<std::string>{"info Q:\\Nowhere\\0.mp3", "info Q:\\Nowhere\\1.mp3"}));
  list.Clear();
  EXPECT_FALSE(player.timerRunning);
}

TEST(PlayListInfoReading, RefreshReadsFilesAgainButNotURLsOrRanges) {
  TestEnvironment env;
  TXPlayList list(env.Get());
  list.AddEntry("Q:\\Nowhere\\a.mp3");
  list.AddEntry("http://radio.example/live");
  list.AddEntry("Q:\\Nowhere\\cd.flac<0,1000>", "Track one");
  list.AddEntry("Q:\\Nowhere\\b.mp3");
  while (list.ReadNextInfo()) {
  }
  list.Items(0).Info.SetValue(kAuthorAttribute, AttributeValue::AnsiText("stale"));
  list.RefreshInfo();
  EXPECT_FALSE(list.Items(0).Info.Loaded);
  EXPECT_TRUE(list.Items(0).Value(kAuthorAttribute).IsNull());
  EXPECT_EQ(list.Items(0).Value(kTitleAttribute).ToUtf16(), u"a");
  EXPECT_TRUE(list.Items(1).Info.Loaded);
  EXPECT_TRUE(list.Items(2).Info.Loaded);
  EXPECT_EQ(list.Items(2).Value(kTitleAttribute).ToUtf16(), u"Track one");
  EXPECT_EQ(ReadOrder(list, 10), (std::vector<int>{0, 3}));
}

class FakeGraph final : public TItemGraphFacts {
public:
  bool built = true;
  std::optional<std::string> pluginTitle;
  std::int64_t duration = 0;
  std::int32_t bitrate = 0;
  bool IsBuilt() override { return built; }
  TGraphMediaInfo* MediaInfo() override { return nullptr; }
  std::optional<std::string> PluginTitle() override { return pluginTitle; }
  std::int64_t Duration() override { return duration; }
  std::int32_t StreamBitrate() override { return bitrate; }
};

TEST(PlayListInfoReading, UpdateFromGraph) {
  TestEnvironment env;
  TXPlayList list(env.Get());
  list.AddEntry("http://radio.example/live");
  TXPlayListItem& item = *list.AddEntry("http://radio.example/other");
  FakeGraph graph;
  graph.built = false;
  graph.pluginTitle = "Now: a song";
  EXPECT_FALSE(item.UpdateFromGraph(graph)) << "nothing before the graph is built";
  EXPECT_EQ(list.LastInfoIndex(), -1);

  graph.built = true;
  graph.duration = 1'800'000'000;  // 3 minutes in 100 ns units
  graph.bitrate = 128000;
  EXPECT_TRUE(item.UpdateFromGraph(graph));
  EXPECT_EQ(item.Value(kTitleAttribute).ToUtf16(), u"Now: a song");
  EXPECT_EQ(item.Value(kDurationAttribute).ToNumber(), 180000);
  EXPECT_EQ(item.Value(kBitrateAttribute).ToNumber(), 128000);
  EXPECT_EQ(list.LastInfoIndex(), 1);

  for (const char* title : {"Now: a song", " - ", ""}) {
    graph.pluginTitle = title;
    EXPECT_FALSE(item.UpdateFromGraph(graph)) << "'" << title << "': the same title, a dash or nothing";
  }
  item.Info.SetValue(kAuthorAttribute, AttributeValue::AnsiText("Artist"));
  graph.pluginTitle = "Another";
  EXPECT_FALSE(item.UpdateFromGraph(graph)) << "an item with an artist keeps its title";

  TXPlayListItem& live = list.Items(0);
  graph.pluginTitle.reset();
  graph.duration = 0;
  EXPECT_TRUE(live.UpdateFromGraph(graph)) << "a stream not read before is loaded now";
  EXPECT_TRUE(live.Value(kDurationAttribute).IsNull()) << "a live stream has no length";
}

}  // namespace
}  // namespace nv
