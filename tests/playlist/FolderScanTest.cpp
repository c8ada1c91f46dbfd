// Adding folders: which files a scan finds (in the file system's order, subfolders in place, to the nesting depth),
// that junctions are not entered, that a folder without media leaves the list alone, and an audio CD's root.
#include <gtest/gtest.h>

#include "playlist/AudioCDTracks.h"
#include "tests/playlist/PlayListFakes.h"

namespace nv {
namespace {

using test::FakePlayer;
using test::NamesOf;
using test::TestEnvironment;

// C:\M\1.mp3, C:\M\A\2.mp3, C:\M\A\B\3.mp3, C:\M\A\B\C\4.mp3, C:\M\5.ogg, with files the player does not know and
// a system file on the way.
void MakeTree(test::MemoryFileSystem& files) {
  files.AddFile("C:\\M\\1.mp3");
  files.AddFile("C:\\M\\A\\2.mp3");
  files.AddFile("C:\\M\\A\\cover.jpg");
  files.AddFile("C:\\M\\A\\B\\3.mp3");
  files.AddFile("C:\\M\\A\\B\\C\\4.mp3");
  files.AddFile("C:\\M\\A\\desktop.mp3", true);
  files.AddFile("C:\\M\\5.ogg");
}

TEST(PlayListFolders, EachNestingDepth) {
  const struct {
    int nesting;
    bool allLevels;
    std::vector<std::string> expected;
  } cases[] = {
      {0, false, {"C:\\M\\1.mp3", "C:\\M\\5.ogg"}},
      {1, false, {"C:\\M\\1.mp3", "C:\\M\\A\\2.mp3", "C:\\M\\5.ogg"}},
      {2, false, {"C:\\M\\1.mp3", "C:\\M\\A\\2.mp3", "C:\\M\\A\\B\\3.mp3", "C:\\M\\5.ogg"}},
      {3, false, {"C:\\M\\1.mp3", "C:\\M\\A\\2.mp3", "C:\\M\\A\\B\\3.mp3", "C:\\M\\A\\B\\C\\4.mp3", "C:\\M\\5.ogg"}},
      {-1, false, {"C:\\M\\1.mp3", "C:\\M\\A\\2.mp3", "C:\\M\\A\\B\\3.mp3", "C:\\M\\A\\B\\C\\4.mp3", "C:\\M\\5.ogg"}},
      {0, true, {"C:\\M\\1.mp3", "C:\\M\\A\\2.mp3", "C:\\M\\A\\B\\3.mp3", "C:\\M\\A\\B\\C\\4.mp3", "C:\\M\\5.ogg"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("nesting " + std::to_string(c.nesting) + (c.allLevels ? ", all levels" : ""));
    TestEnvironment env;
    MakeTree(env.files);
    FakePlayer player;
    TXPlayerPlayList list(player, env.Get());
    list.FolderNesting = c.nesting;
    list.AddFolder("C:\\M", false, c.allLevels, false);
    EXPECT_EQ(NamesOf(list), c.expected) << "subfolders in place, in the file system's order; no system files";
  }
}

TEST(PlayListFolders, AFolderAddedAsAPathIsSearchedToTheNesting) {
  TestEnvironment env;
  MakeTree(env.files);
  FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  list.FolderNesting = 1;
  list.AddFile("C:\\M\\", false, false);
  EXPECT_EQ(list.Count(), 3);
}

TEST(PlayListFolders, JunctionsAreNotEntered) {
  TestEnvironment env;
  MakeTree(env.files);
  env.files.AddJunction("C:\\M\\A\\Up", "C:\\M");  // leads back to the top: endless if followed
  FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  list.AddFolder("C:\\M", false, true, false);
  EXPECT_EQ(list.Count(), 5);
  EXPECT_LT(env.files.Listings(), 10);
}

TEST(PlayListFolders, NoAcceptedFileLeavesTheListAloneAndSilent) {
  TestEnvironment env;
  env.files.AddFile("C:\\Pictures\\a.jpg");
  env.files.AddFile("C:\\Pictures\\Sub\\b.mp3");
  FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  list.AddEntry("C:\\kept.mp3");
  player.listChanges = 0;
  player.calls.clear();
  list.AddPath("C:\\Pictures");
  list.AddFolderFiles("C:\\Pictures", false);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(player.listChanges, 0);
  EXPECT_FALSE(list.FolderHasMedia("C:\\Pictures"));
  list.FolderNesting = 1;
  EXPECT_TRUE(list.FolderHasMedia("C:\\Pictures"));
  TXPlayList unbound(env.Get());
  EXPECT_FALSE(unbound.FolderHasMedia("C:\\Pictures")) << "an unbound list accepts nothing";
}

TEST(PlayListFolders, FolderHasMediaStopsAtTheFirstFind) {
  TestEnvironment env;
  env.files.AddFile("C:\\M\\1.mp3");
  env.files.AddFile("C:\\M\\Deep\\2.mp3");
  FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  list.FolderNesting = -1;
  EXPECT_TRUE(list.FolderHasMedia("C:\\M"));
  EXPECT_EQ(env.files.Listings(), 1);
}

class FakeCD final : public TAudioCDTracks {
public:
  bool readable = true;
  bool ListAudioTracks(std::string_view root, std::vector<int>& tracks) override {
    EXPECT_EQ(root, "D:\\");
    if (!readable) return false;
    tracks = {1, 2, 10};
    return true;
  }
};

TEST(PlayListFolders, AnAudioCDRootListsItsTracks) {
  TestEnvironment env;
  env.files.AddFile("D:\\Track01.cda");
  env.files.AddFile("D:\\Track02.CDA");
  env.files.AddFile("D:\\bonus.mp3");
  env.files.AddFile("C:\\Track01.cda");
  env.drives.types["D:\\"] = DriveType::CDROM;
  env.drives.serials["D:\\"] = 0x1234;
  FakeCD cd;
  SetAudioCDTracks(&cd);
  FakePlayer player;
  TXPlayerPlayList list(player, env.Get());

  list.AddFolder("D:\\", false, false, false);
  EXPECT_EQ(NamesOf(list), (std::vector<std::string>{"D:\\bonus.mp3", "D:\\Track01.<cda>", "D:\\Track02.<cda>",
                                                     "D:\\Track10.<cda>"}));
  cd.readable = false;
  list.AddFolder("D:", true, false, false);
  EXPECT_EQ(NamesOf(list), std::vector<std::string>{"D:\\bonus.mp3"}) << "an unreadable disc: its files only";
  env.drives.serials.clear();
  list.AddFolder("D:\\", true, false, false);
  EXPECT_EQ(NamesOf(list), (std::vector<std::string>{"D:\\Track01.cda", "D:\\Track02.CDA", "D:\\bonus.mp3"}))
      << "no disc in the drive: an ordinary folder";
  list.AddFolder("C:\\", true, false, false);
  EXPECT_EQ(NamesOf(list), std::vector<std::string>{"C:\\Track01.cda"}) << "not a CD drive";
  SetAudioCDTracks(nullptr);
  env.drives.serials["D:\\"] = 0x1234;
  list.AddFolder("D:\\", true, false, false);
  EXPECT_EQ(list.Count(), 3) << "without a CD reader the root lists as it is";
  EXPECT_EQ(CDTrackPath("E:", 7), "E:\\Track07.<cda>");
  EXPECT_EQ(CDTrackPath("E:\\", 123), "E:\\Track123.<cda>");
}

}  // namespace
}  // namespace nv
