// The "Now playing" list kept between runs: restored with its current entry, and never lost to a damaged file.
#include <gtest/gtest.h>

#include "playlist/NowPlayingFile.h"
#include "support/MarkedText.h"
#include "tests/playlist/PlayListFileFakes.h"

namespace nv {
namespace {

using test::Describe;
using test::FakePlayer;
using test::FileFormatsEnvironment;
using Lines = std::vector<std::string>;

constexpr char kNowPlaying[] = "C:\\Data\\Norvale.m3u";

TEST(NowPlaying, SavedAndRestoredWithItsCurrentEntry) {
  FileFormatsEnvironment files;
  FakePlayer player;
  TXPlayerPlayList list(player, files.env.Get());
  list.AddEntry("C:\\Music\\a.mp3", "A", false, 3000);
  list.AddEntry("\x01" "C:\\Music\\\xD0\x96.mp3");
  list.AddEntry("http://radio/x");
  list.PlayIndex(1, false, TSetCurrentMode::smNormal);
  TNowPlayingFile saved(kNowPlaying, files.formats, files.env.files);
  EXPECT_EQ(saved.Restore(list), TNowPlayingState::nsNoFile);
  EXPECT_EQ(list.Count(), 3) << "a list without a saved file is left as it is";
  EXPECT_TRUE(saved.Save(list));
  EXPECT_TRUE(files.store.contents[kNowPlaying].starts_with("#EXTM3U\r\n")) << "system code page M3U";

  FakePlayer other;
  TXPlayerPlayList restored(other, files.env.Get());
  restored.AddEntry("C:\\old.mp3");
  TNowPlayingFile next(kNowPlaying, files.formats, files.env.files);
  EXPECT_EQ(next.Restore(restored), TNowPlayingState::nsRestored);
  EXPECT_EQ(Describe(restored), Describe(list));
  EXPECT_EQ(other.calls.back(), "open \x01" "C:\\Music\\\xD0\x96.mp3 normal") << "made current, not played";
  EXPECT_TRUE(restored.FileName().empty());
}

TEST(NowPlaying, ADamagedFileGivesWhatCouldBeRead) {
  const struct {
    const char* name;
    std::string file;
    TNowPlayingState state;
    Lines entries;
  } cases[] = {
      {"whole", "#EXTM3U\r\nC:\\a.mp3\r\nC:\\b.mp3\r\n#EXTCUR:1\r\n", TNowPlayingState::nsRestored,
       {"C:\\a.mp3 | a", "* C:\\b.mp3 | b"}},
      {"empty: the writer never writes an empty file", "", TNowPlayingState::nsDamaged, {}},
      {"cut short in its last line", "#EXTM3U\r\n#EXTINF:0,a\r\nC:\\a.mp3\r\n#EXTINF:0,b\r\nC:\\Mus",
       TNowPlayingState::nsDamaged, {"* C:\\a.mp3 | a"}},
      {"space the system gave the file before its data arrived",
       std::string("#EXTM3U\r\nC:\\a.mp3\r\nC:\\b\0\0\0", 26),
       TNowPlayingState::nsDamaged, {"* C:\\a.mp3 | a"}},
      {"nothing but zero bytes", std::string(4096, '\0'), TNowPlayingState::nsDamaged, {}},
      {"a line that does not decode is passed over, and the lines after it are read",
       "#EXTM3U\r\nC:\\a.mp3\r\n\x01" "C:\\\xC3(.mp3\r\nC:\\c.mp3\r\n#EXTCUR:1\r\n", TNowPlayingState::nsDamaged,
       {"C:\\a.mp3 | a", "* C:\\c.mp3 | c"}},
  };
  for (const auto& c : cases) {
    FileFormatsEnvironment files;
    files.store.Put(kNowPlaying, c.file);
    FakePlayer player;
    TXPlayerPlayList list(player, files.env.Get());
    TNowPlayingFile nowPlaying(kNowPlaying, files.formats, files.env.files);
    EXPECT_EQ(nowPlaying.Restore(list), c.state) << c.name;
    EXPECT_EQ(Describe(list), c.entries) << c.name;
  }
}

TEST(NowPlaying, ADamagedFileIsNotReplacedByAnEmptyList) {
  FileFormatsEnvironment files;
  files.store.Put(kNowPlaying, "");
  FakePlayer player;
  TXPlayerPlayList list(player, files.env.Get());
  TNowPlayingFile nowPlaying(kNowPlaying, files.formats, files.env.files);
  ASSERT_EQ(nowPlaying.Restore(list), TNowPlayingState::nsDamaged);
  EXPECT_FALSE(nowPlaying.Save(list));
  EXPECT_EQ(files.store.contents[kNowPlaying], "");
  list.AddEntry("C:\\new.mp3");
  EXPECT_TRUE(nowPlaying.Save(list)) << "a list the user made is saved";
  list.Clear();
  EXPECT_TRUE(nowPlaying.Save(list)) << "once replaced, the file is whole, and an empty list is the user's";
  EXPECT_EQ(files.store.contents[kNowPlaying], "#EXTM3U\r\n");
}

TEST(NowPlaying, AFileReadOnlyInPartIsKeptBeforeItIsReplaced) {
  const std::string damaged = "#EXTM3U\r\nC:\\a.mp3\r\n\x01\xC3(\r\nC:\\c.mp3\r\n";
  FileFormatsEnvironment files;
  files.store.Put(kNowPlaying, damaged);
  FakePlayer player;
  TXPlayerPlayList list(player, files.env.Get());
  TNowPlayingFile nowPlaying(kNowPlaying, files.formats, files.env.files);
  ASSERT_EQ(nowPlaying.Restore(list), TNowPlayingState::nsDamaged);
  EXPECT_EQ(nowPlaying.BackupPath(), "C:\\Data\\Norvale.m3u.bak");
  EXPECT_TRUE(nowPlaying.Save(list));
  EXPECT_EQ(files.store.contents["C:\\Data\\Norvale.m3u.bak"], damaged);
  EXPECT_EQ(files.store.contents[kNowPlaying], "#EXTM3U\r\n#EXTINF:0,a\r\n\\a.mp3\r\n#EXTINF:0,c\r\n\\c.mp3\r\n#EXTCUR:0\r\n");
  list.AddEntry("C:\\d.mp3");
  EXPECT_TRUE(nowPlaying.Save(list));
  EXPECT_EQ(files.store.contents["C:\\Data\\Norvale.m3u.bak"], damaged) << "the file saved since is whole";

  // Without the backup the file is not replaced.
  FileFormatsEnvironment failing;
  failing.store.Put(kNowPlaying, damaged);
  TXPlayerPlayList again(player, failing.env.Get());
  TNowPlayingFile unsaved(kNowPlaying, failing.formats, failing.env.files);
  ASSERT_EQ(unsaved.Restore(again), TNowPlayingState::nsDamaged);
  failing.store.failWrites = true;
  EXPECT_FALSE(unsaved.Save(again));
  EXPECT_EQ(failing.store.contents[kNowPlaying], damaged);
}

TEST(NowPlaying, AFailedSaveSaysSo) {
  FileFormatsEnvironment files;
  TXPlayList list(files.env.Get());
  list.AddEntry("C:\\a.mp3");
  files.store.failWrites = true;
  EXPECT_FALSE(TNowPlayingFile(kNowPlaying, files.formats, files.env.files).Save(list));
}

}  // namespace
}  // namespace nv
