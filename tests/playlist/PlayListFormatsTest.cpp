// Playlist files as the list meets them: playlists that name playlists, the format a file is written in and the
// name it is written under.
#include <gtest/gtest.h>

#include "playlist/PlayListFileConstants.h"
#include "support/MarkedText.h"
#include "tests/playlist/PlayListFileFakes.h"

namespace nv {
namespace {

using test::Describe;
using test::FileFormatsEnvironment;
using test::NamesOf;
using Lines = std::vector<std::string>;

TEST(NestedPlayLists, AreReadInPlaceOnceEach) {
  const struct {
    const char* name;
    const char* top;
    std::map<std::string, std::string> files;
    Lines entries;
  } cases[] = {
      {"a playlist that names itself", "C:\\L\\top.m3u", {{"C:\\L\\top.m3u", "a.mp3\ntop.m3u\nb.mp3\n"}},
       {"C:\\L\\a.mp3", "C:\\L\\b.mp3"}},
      {"named again in other spellings", "C:\\L\\top.m3u",
       {{"C:\\L\\top.m3u", "a.mp3\n..\\L\\.\\top.m3u\nC:/L/top.m3u\n"}},
       {"C:\\L\\a.mp3"}},
      {"two that name each other", "C:\\L\\top.m3u",
       {{"C:\\L\\top.m3u", "a.mp3\nsub\\x.pls\nb.mp3\n"},
        {"C:\\L\\sub\\x.pls", "[playlist]\nNumberOfEntries=3\nFile1=c.mp3\nFile2=..\\top.m3u\nFile3=d.mp3\n"}},
       {"C:\\L\\a.mp3", "C:\\L\\sub\\c.mp3", "C:\\L\\sub\\d.mp3", "C:\\L\\b.mp3"}},
      {"one named twice is read once", "C:\\L\\top.m3u",
       {{"C:\\L\\top.m3u", "x.m3u\nx.m3u\n"}, {"C:\\L\\x.m3u", "a.mp3\n"}}, {"C:\\L\\a.mp3"}},
      {"a CUE sheet gives its tracks", "C:\\L\\top.m3u8",
       {{"C:\\L\\top.m3u8", "\xEF\xBB\xBF" "disc.cue\n"},
        {"C:\\L\\disc.cue", "FILE \"d.flac\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"}},
       {"C:\\L\\d.flac"}},
  };
  for (const auto& c : cases) {
    FileFormatsEnvironment files;
    for (const auto& [path, bytes] : c.files) files.store.Put(path, bytes);
    TXPlayList list(files.env.Get());
    list.SetOptions(ploAllowDuplicates);  // so that what is left out is left out by the nesting rule
    list.LoadFromFile(c.top, true, false, false, TXPlayListFormat::pfAuto);
    EXPECT_EQ(NamesOf(list), c.entries) << c.name;
  }
}

TEST(NestedPlayLists, StopAtTheDepthLimit) {
  FileFormatsEnvironment files;
  for (int i = 0; i < 20; ++i)
    files.store.Put("C:\\L\\" + std::to_string(i) + ".m3u",
                    "a" + std::to_string(i) + ".mp3\n" + std::to_string(i + 1) + ".m3u\n");
  TXPlayList list(files.env.Get());
  list.LoadFromFile("C:\\L\\0.m3u", true, false, false, TXPlayListFormat::pfAuto);
  Lines expected;
  for (int i = 0; i < kMaxPlayListNesting; ++i) expected.push_back("C:\\L\\a" + std::to_string(i) + ".mp3");
  EXPECT_EQ(NamesOf(list), expected);
}

TEST(NestedPlayLists, FoldersWithPlayListsThatNameEachOther) {
  FileFormatsEnvironment files;
  files.store.Put("C:\\L\\x.m3u", "a.mp3\ny.m3u\n");
  files.store.Put("C:\\L\\y.m3u", "b.mp3\nx.m3u\n");
  test::FakePlayer player;
  TXPlayerPlayList list(player, files.env.Get());
  list.AddFolder("C:\\L", true, false, false);
  EXPECT_EQ(NamesOf(list), (Lines{"C:\\L\\a.mp3", "C:\\L\\b.mp3"}));
}

TEST(PlayListSaving, TheFormatAndTheNameWrittenUnder) {
  const struct {
    const char* name;
    TXPlayListFormat format;
    const char* written;
    const char* starts;
  } cases[] = {
      {"C:\\L\\saved", TXPlayListFormat::pfM3U8, "C:\\L\\saved.m3u8", "\xEF\xBB\xBF#EXTM3U\r\n"},
      {"C:\\L\\saved", TXPlayListFormat::pfPLS, "C:\\L\\saved.pls", "[playlist]\r\n"},
      {"C:\\L\\saved", TXPlayListFormat::pfAuto, "C:\\L\\saved.m3u", "#EXTM3U\r\n"},
      {"C:\\L\\saved", TXPlayListFormat::pfM3U, "C:\\L\\saved.m3u", "#EXTM3U\r\n"},
      {"C:\\L\\saved.txt", TXPlayListFormat::pfAuto, "C:\\L\\saved.txt", "#EXTM3U\r\n"},
      {"C:\\L\\saved.M3U8", TXPlayListFormat::pfAuto, "C:\\L\\saved.M3U8", "\xEF\xBB\xBF#EXTM3U\r\n"},
      {"C:\\L\\saved.m3u8", TXPlayListFormat::pfM3U, "C:\\L\\saved.m3u8", "#EXTM3U\r\n"},
      {"C:\\L\\saved.m3u", TXPlayListFormat::pfPLS, "C:\\L\\saved.m3u", "[playlist]\r\n"},
      {"C:\\L.x\\saved", TXPlayListFormat::pfPLS, "C:\\L.x\\saved.pls", "[playlist]\r\n"},
  };
  for (const auto& c : cases) {
    FileFormatsEnvironment files;
    TXPlayList list(files.env.Get());
    list.AddEntry("C:\\L\\a.mp3");
    list.SaveToFile(c.name, false, c.format);
    ASSERT_EQ(files.store.contents.size(), 1u) << c.name;
    EXPECT_EQ(files.store.contents.begin()->first, c.written) << c.name;
    EXPECT_TRUE(files.store.contents.begin()->second.starts_with(c.starts)) << c.name;
  }
}

TEST(PlayListSaving, SavingItemsIntoAFile) {
  const struct {
    const char* name;
    const char* saveAs;
    std::map<std::string, std::string> files;
    bool replace;
    TPlayListFileResult result;
    const char* written;
    bool created;
    Lines entries;  // of the file written, read back without following the playlists it names
  } cases[] = {
      {"a playlist the file names stays as written", "C:\\L\\saved.m3u",
       {{"C:\\L\\saved.m3u", "a.mp3\nother.m3u\n"}, {"C:\\L\\other.m3u", "x.mp3\n"}}, false,
       TPlayListFileResult::pfrDone, "C:\\L\\saved.m3u", false,
       {"C:\\L\\a.mp3", "C:\\L\\other.m3u", "C:\\L\\new.mp3"}},
      {"a name without extension: the file with the extension is appended to, and named", "C:\\L\\saved",
       {{"C:\\L\\saved.m3u", "a.mp3\n"}}, false, TPlayListFileResult::pfrDone, "C:\\L\\saved.m3u", false,
       {"C:\\L\\a.mp3", "C:\\L\\new.mp3"}},
      {"a new file", "C:\\L\\fresh.pls", {}, false, TPlayListFileResult::pfrDone, "C:\\L\\fresh.pls", true,
       {"C:\\L\\new.mp3"}},
      {"a file that is no playlist is not appended to", "C:\\L\\notes.txt", {{"C:\\L\\notes.txt", "Shopping\n"}},
       false, TPlayListFileResult::pfrUnknownFormat, "C:\\L\\notes.txt", false, {}},
      {"but replaced when asked", "C:\\L\\notes.txt", {{"C:\\L\\notes.txt", "Shopping\n"}}, true,
       TPlayListFileResult::pfrDone, "C:\\L\\notes.txt", true, {"C:\\L\\new.mp3"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FileFormatsEnvironment files;
    for (const auto& [path, bytes] : c.files) files.store.Put(path, bytes);
    files.env.files.AddFile("C:\\L\\new.mp3");
    TXPlayList source(files.env.Get());
    source.AddEntry("C:\\L\\new.mp3");
    const TPlayListSave save = SavePlaylistFile(c.saveAs, {&source.Items(0)}, false, c.replace, files.env.Get());
    EXPECT_EQ(save.Result, c.result);
    EXPECT_EQ(save.FileName, c.written);
    EXPECT_EQ(save.Created, c.created);
    if (c.result != TPlayListFileResult::pfrDone) {
      EXPECT_EQ(files.store.contents[c.written], c.files.at(c.written)) << "left as it was";
      continue;
    }
    TXPlayList back(files.env.Get());
    back.ReadsNestedPlayLists = false;
    const bool pls = std::string_view(c.written).ends_with(".pls");
    back.LoadFromFile(c.written, true, false, false, pls ? TXPlayListFormat::pfPLS : TXPlayListFormat::pfM3U);
    EXPECT_EQ(NamesOf(back), c.entries);
  }
}

TEST(PlayListSaving, AnM3UFileWrittenInUtf8ReadsBackByItsMark) {
  FileFormatsEnvironment files;
  TXPlayList list(files.env.Get());
  list.AddEntry("\x01" "C:\\L\\\xD0\x96.mp3");
  list.SaveToFile("C:\\L\\saved.m3u", false, TXPlayListFormat::pfM3U8);
  TXPlayList back(files.env.Get());
  back.LoadFromFile("C:\\L\\saved.m3u", true, false, false, TXPlayListFormat::pfAuto);
  EXPECT_EQ(NamesOf(back), NamesOf(list));
}

}  // namespace
}  // namespace nv
