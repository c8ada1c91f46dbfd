// Removing items: by path and by folder with the position moved along, duplicates (sub-ranges told apart), and the
// hand-over that makes the player let go of an item before it is destroyed.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/playlist/PlayListFakes.h"

namespace nv {
namespace {

using test::FakePlayer;
using test::NamesOf;
using test::TestEnvironment;

TEST(PlayListRemoval, DeletingFilesMovesThePositionAlong) {
  const std::vector<std::string> files = test::MusicFiles(10);  // a..j
  const struct {
    const char* name;
    std::vector<std::string> paths;
    std::optional<int> position;
    int expected;
    int count;
  } cases[] = {
      {"items 2 and 7 around position 5", {files[2], files[7]}, 5, 4, 8},
      {"the item at the position itself", {files[5]}, 5, 5, 9},
      {"the last item at the last position", {files[9]}, 9, 8, 9},
      {"a path not in the list", {"C:\\Other\\x.mp3"}, 3, 3, 10},
      {"every item", files, 5, -1, 0},
      {"no position given: the current index (4)", {files[0]}, std::nullopt, 3, 9},
      {"a path in another case", {"c:\\MUSIC\\B.MP3"}, 5, 4, 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestEnvironment env;
    FakePlayer player;
    TXPlayerPlayList list(player, env.Get());
    for (const std::string& f : files) list.AddEntry(f);
    player.current = &list.Items(4);
    EXPECT_EQ(list.DeleteFiles(c.paths, c.position, false, false), c.expected);
    EXPECT_EQ(list.Count(), c.count);
  }
}

TEST(PlayListRemoval, DeletingBySelectedIndicesTakesEachOnceAndIgnoresTheRest) {
  const std::vector<std::string> files = test::MusicFiles(10);  // a..j
  const struct {
    const char* name;
    std::vector<int> indices;
    int expected;
    std::vector<std::string> left;
  } cases[] = {
      {"rows 2 and 7 around position 5, given last first", {7, 2}, 4,
       {"a", "b", "d", "e", "f", "g", "i", "j"}},
      {"a row named twice, and rows outside the list", {3, 3, -1, 10, 99}, 4,
       {"a", "b", "c", "e", "f", "g", "h", "i", "j"}},
      {"every row", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, -1, {}},
      {"nothing", {}, 5, {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestEnvironment env;
    TXPlayList list(env.Get());
    for (const std::string& f : files) list.AddEntry(f);
    EXPECT_EQ(list.DeleteIndices(c.indices, 5, false, false), c.expected);
    std::vector<std::string> left;
    for (const std::string& name : NamesOf(list)) left.push_back(name.substr(9, 1));  // "C:\Music\a.mp3"
    EXPECT_EQ(left, c.left);
    for (const std::string& f : files)
      EXPECT_EQ(list.ContainsFile(f), std::find(left.begin(), left.end(), f.substr(9, 1)) != left.end())
          << f << ": the name index follows";
  }
}

TEST(PlayListRemoval, APathNamedTwiceRemovesTwoOfItsItems) {
  TestEnvironment env;
  TXPlayList list(env.Get());
  list.SetOptions(ploAllowDuplicates);
  for (const char* f : {"C:\\a.mp3", "C:\\a.mp3", "C:\\a.mp3", "C:\\b.mp3"}) list.AddEntry(f);
  const std::vector<std::string> twice = {"C:\\a.mp3", "C:\\a.mp3"};
  list.DeleteFiles(twice, 0, false, false);
  EXPECT_EQ(NamesOf(list), (std::vector<std::string>{"C:\\a.mp3", "C:\\b.mp3"}));
  EXPECT_EQ(list.IndexOfFile("C:\\a.mp3"), 0) << "the name index lost exactly the two";
}

TEST(PlayListRemoval, DeletingSelectsAndKeepsPlaying) {
  TestEnvironment env;
  FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  for (const std::string& f : test::MusicFiles(5)) list.AddEntry(f);
  list.PlayIndex(2, true, TSetCurrentMode::smNormal);
  player.calls.clear();
  const std::vector<std::string> current = {"C:\\Music\\c.mp3"};
  EXPECT_EQ(list.DeleteFiles(current, std::nullopt, true, true), 2);
  EXPECT_EQ(player.calls, (std::vector<std::string>{"open nil normal", "release C:\\Music\\c.mp3",
                                                     "open C:\\Music\\d.mp3 play normal"}))
      << "the player lets go of the current item, is told of its removal, then plays the item now at its place";
}

TEST(PlayListRemoval, DeletingFoldersTakesEverythingBelowThem) {
  TestEnvironment env;
  TXPlayList list(env.Get());
  for (const char* f : {"C:\\Music\\a.mp3", "C:\\Musician\\b.mp3", "C:\\MUSIC\\Sub\\c.mp3", "D:\\Music\\d.mp3",
                        "C:\\Other\\e.mp3", "http://host/Music/f"})
    list.AddEntry(f);
  const std::vector<std::string> folders = {"C:\\music", "C:\\Other\\"};
  EXPECT_EQ(list.DeleteFolders(folders, 5, false, false), 2);
  EXPECT_EQ(NamesOf(list),
            (std::vector<std::string>{"C:\\Musician\\b.mp3", "D:\\Music\\d.mp3", "http://host/Music/f"}));
}

TEST(PlayListRemoval, DuplicatesGoButTheTracksOfOneFileStay) {
  TestEnvironment env;
  FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  list.SetOptions(ploAllowDuplicates);
  for (const char* e : {"C:\\album.flac<0,1000>", "C:\\a.mp3", "C:\\album.flac<1000,2000>", "c:\\A.MP3",
                        "C:\\album.flac<0,1000>", "C:\\album.flac", "C:\\album.flac<1000>", "C:\\album.flac<1000>",
                        "C:\\b.mp3", "C:\\a.mp3", "C:\\album.flac"})
    list.AddEntry(e);
  list.RemoveDuplicates();
  std::vector<std::string> left;
  for (int i = 0; i < list.Count(); ++i) {
    const TXPlayListItem& item = list.Items(i);
    std::string range;
    if (item.IsSubRange())
      range = "<" + std::to_string(item.StartTime()) + (item.EndTime() ? "," + std::to_string(*item.EndTime()) : "") +
              ">";
    left.push_back(item.FileName() + range);
  }
  EXPECT_EQ(left, (std::vector<std::string>{"C:\\album.flac<0,1000>", "C:\\a.mp3", "C:\\album.flac<1000,2000>",
                                            "C:\\album.flac", "C:\\album.flac<1000>", "C:\\b.mp3"}))
      << "the first of each entry stays; ranges of one file are different entries";
}

TEST(PlayListRemoval, SwitchingDuplicatesOffRemovesThemAndReselects) {
  TestEnvironment env;
  FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  list.SetOptions(ploAllowDuplicates);
  for (const char* f : {"C:\\a.mp3", "C:\\b.mp3", "C:\\a.mp3"}) list.AddEntry(f);
  list.PlayIndex(2, true, TSetCurrentMode::smNormal);
  player.calls.clear();
  list.SetOptions(0);
  EXPECT_EQ(NamesOf(list), (std::vector<std::string>{"C:\\a.mp3", "C:\\b.mp3"}));
  EXPECT_EQ(player.calls, (std::vector<std::string>{"open nil normal", "release C:\\a.mp3",
                                                     "open C:\\a.mp3 play normal"}))
      << "the current duplicate went; the first item plays, as the player was playing";
  EXPECT_EQ(player.current, &list.Items(0));
}

TEST(PlayListRemoval, TheHandOverReachesEveryGraphOfTheItemBeforeItDies) {
  const struct {
    const char* name;
    std::function<void(TXPlayerPlayList&)> remove;
  } removals[] = {
      {"Delete", [](TXPlayerPlayList& l) { l.Delete(1); }},
      {"DeleteFiles",
       [](TXPlayerPlayList& l) { l.DeleteFiles(std::vector<std::string>{"C:\\Music\\b.mp3"}, {}, false, false); }},
      {"DeleteFolders",
       [](TXPlayerPlayList& l) { l.DeleteFolders(std::vector<std::string>{"C:\\Music"}, {}, false, false); }},
      {"Clear", [](TXPlayerPlayList& l) { l.Clear(); }},
      {"RemoveDuplicates", [](TXPlayerPlayList& l) {
         l.SetOptions(ploAllowDuplicates);
         l.AddEntry("C:\\Music\\a.mp3");
         l.Move(l.Count() - 1, 0);
         l.RemoveDuplicates();
       }},
  };
  for (const auto& r : removals) {
    SCOPED_TRACE(r.name);
    TestEnvironment env;
    FakePlayer player;
    {
      TXPlayerPlayList list(player, env.Get());
      for (const std::string& f : test::MusicFiles(3)) list.AddEntry(f);
      TXPlayListItem* doomed = r.name == std::string("RemoveDuplicates") ? &list.Items(0) : &list.Items(1);
      // One item held three ways at once: prepared, inspected for the properties dialog, and building.
      player.prepared = player.inspected = player.building = doomed;
      player.current = &list.Items(2);
      r.remove(list);
      EXPECT_EQ(player.prepared, nullptr);
      EXPECT_EQ(player.inspected, nullptr) << "released even though it was also the prepared item";
      EXPECT_EQ(player.building, nullptr);
      EXPECT_TRUE(player.buildAborted);
      // The build resumes and finds its item gone instead of reading freed memory.
      if (player.building) (void)player.building->FileName();
    }
    EXPECT_EQ(player.current, nullptr) << "destroying the list lets the player go of the current item too";
  }
}

TEST(PlayListRemoval, APlayerThatPreparesAgainWhileLettingGoIsNotLedToADoomedItem) {
  TestEnvironment env;
  FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  for (const std::string& f : test::MusicFiles(5)) list.AddEntry(f);  // a..e
  list.PlayIndex(0, true, TSetCurrentMode::smNormal);
  list.PrepareNext();
  ASSERT_EQ(player.prepared, &list.Items(1));
  // Once its prepared graph is discarded the player prepares the next item again at once.
  player.afterRelease = [&](TXPlayListItem&) {
    if (!player.prepared) list.PrepareNext();
  };
  const std::vector<std::string> doomed = {"C:\\Music\\b.mp3", "C:\\Music\\c.mp3"};
  list.DeleteFiles(doomed, std::nullopt, true, false);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(player.prepared, nullptr) << "b and c were on their way out; the player holds neither";
  list.PrepareNext();
  EXPECT_EQ(player.prepared, &list.Items(1)) << "afterwards d is prepared as usual";
}

}  // namespace
}  // namespace nv
