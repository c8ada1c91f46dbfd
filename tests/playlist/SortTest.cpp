// Sorting by each key of the sort menu: present values before missing ones, numbers as numbers, text in the user's
// locale, the file name last; items equal in everything keep their order.
#include <gtest/gtest.h>

#include "playlist/PlayListSort.h"
#include "playlist/XPlayList.h"
#include "tests/playlist/PlayListFakes.h"

namespace nv {
namespace {

using test::NamesOf;
using test::TestEnvironment;

struct Entry {
  const char* path;
  AttributeValue value;
};

std::vector<std::string> SortedBy(int key, const std::vector<Entry>& entries) {
  TestEnvironment env;
  TXPlayList list(env.Get());
  for (const Entry& e : entries) {
    TXPlayListItem* item = list.AddEntry(e.path, {}, true);
    if (!e.value.IsNull()) item->Info.SetValue(kFieldNames[key], e.value);
  }
  const int keys[] = {key};
  list.Sort(key == kSortByFileName ? std::span<const int>() : std::span<const int>(keys));
  return NamesOf(list);
}

AttributeValue Text(const char* text) { return AttributeValue::AnsiText(text); }
AttributeValue Int(std::int64_t n) { return AttributeValue::Integer(n); }
AttributeValue Float(double n) { return AttributeValue::Float(n); }

TEST(PlayListSort, EachKeyOfTheMenu) {
  const struct {
    const char* caption;
    std::vector<Entry> entries;
    std::vector<std::string> expected;
  } cases[] = {
      {"File name", {{"C:\\b.mp3", {}}, {"c:\\A.mp3", {}}, {"C:\\\xC9.mp3", {}}, {"C:\\c.mp3", {}}},
       {"c:\\A.mp3", "C:\\b.mp3", "C:\\c.mp3", "C:\\\xC9.mp3"}},
      {"Artist", {{"C:\\1", Text("beta")}, {"C:\\2", Text("Alpha")}, {"C:\\3", {}}, {"C:\\4", Text("")}},
       {"C:\\2", "C:\\1", "C:\\3", "C:\\4"}},
      {"Album", {{"C:\\1", Text("Zed")}, {"C:\\2", AttributeValue::WideText(u"echo")}}, {"C:\\2", "C:\\1"}},
      {"Title", {{"C:\\1", Text("b")}, {"C:\\2", Text("B")}, {"C:\\0", Text("a")}}, {"C:\\0", "C:\\1", "C:\\2"}},
      {"Track No", {{"C:\\1", Int(10)}, {"C:\\2", Int(9)}, {"C:\\3", {}}, {"C:\\4", Text("2")}},
       {"C:\\4", "C:\\2", "C:\\1", "C:\\3"}},
      // Items without a year go last, ordered among themselves by file name.
      {"Year", {{"C:\\z", {}}, {"C:\\1", Text("2001")}, {"C:\\a", {}}, {"C:\\2", Int(1999)}},
       {"C:\\2", "C:\\1", "C:\\a", "C:\\z"}},
      {"Genre", {{"C:\\1", Text("Rock")}, {"C:\\2", Text("jazz")}}, {"C:\\2", "C:\\1"}},
      // Nine minutes before ten minutes: numbers, not text.
      {"Duration", {{"C:\\1", Float(600000)}, {"C:\\2", Float(540000)}, {"C:\\3", Float(0.4)}},
       {"C:\\3", "C:\\2", "C:\\1"}},
      {"File size", {{"C:\\1", Float(1e10)}, {"C:\\2", Float(2e9)}}, {"C:\\2", "C:\\1"}},
      {"Bitrate", {{"C:\\1", Int(320000)}, {"C:\\2", Int(96000)}, {"C:\\3", Int(128000)}},
       {"C:\\2", "C:\\3", "C:\\1"}},
  };
  ASSERT_EQ(std::size(cases), std::size_t(kSortMenuRowCount));
  for (int row = 0; row < kSortMenuRowCount; ++row) {
    SCOPED_TRACE(cases[row].caption);
    EXPECT_STREQ(kSortMenuRows[row].Caption, cases[row].caption);
    EXPECT_EQ(SortedBy(kSortMenuRows[row].Key, cases[row].entries), cases[row].expected);
  }
}

TEST(PlayListSort, HalvesRoundToEvenBeforeNumbersCompare) {
  // 2.5 and 2.4 both round to 2, so the file name decides; 3.5 rounds to 4.
  EXPECT_EQ(SortedBy(0, {{"C:\\b", Float(2.5)}, {"C:\\a", Float(2.4)}, {"C:\\c", Float(3.5)}, {"C:\\0", Int(3)}}),
            (std::vector<std::string>{"C:\\a", "C:\\b", "C:\\0", "C:\\c"}));
}

TEST(PlayListSort, TracksOfOneFileKeepTheirOrder) {
  TestEnvironment env;
  TXPlayList list(env.Get());
  for (int i = 0; i < 30; ++i) {
    TXPlayListItem* track = list.AddEntry("C:\\album.flac<" + std::to_string(i * 1000) + ">", {}, true);
    track->Info.SetValue(kAuthorAttribute, AttributeValue::AnsiText("Same artist"));
  }
  list.AddEntry("C:\\aaa.mp3")->Info.SetValue(kAuthorAttribute, AttributeValue::AnsiText("Same artist"));
  const int artist[] = {3};
  list.Sort(artist);
  EXPECT_EQ(list.Items(0).FileName(), "C:\\aaa.mp3");
  for (int i = 1; i <= 30; ++i) EXPECT_EQ(list.Items(i).StartTime(), (i - 1) * 1000) << i;
}

TEST(PlayListSort, SeveralKeysInTurnAndOneNotification) {
  TestEnvironment env;
  test::FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  const struct {
    const char* path;
    const char* artist;
    int track;
  } tracks[] = {{"C:\\1", "B", 2}, {"C:\\2", "A", 2}, {"C:\\3", "B", 1}, {"C:\\4", "A", 1}};
  for (const auto& t : tracks) {
    TXPlayListItem* item = list.AddEntry(t.path);
    item->Info.SetValue(kAuthorAttribute, AttributeValue::AnsiText(t.artist));
    item->Info.SetValue(kTrackAttribute, AttributeValue::Integer(t.track));
  }
  player.listChanges = 0;
  const int keys[] = {3, 0};
  list.Sort(keys);
  EXPECT_EQ(NamesOf(list), (std::vector<std::string>{"C:\\4", "C:\\2", "C:\\3", "C:\\1"}));
  EXPECT_EQ(player.listChanges, 1);
  EXPECT_EQ(list.IndexOfFile("C:\\3"), 2) << "lookups after sorting give the new indexes";
}

}  // namespace
}  // namespace nv
