// Entries read from a playlist file are taken relative to it; paths written into one are made relative to it.
#include <gtest/gtest.h>

#include "playlist/PlayListPaths.h"
#include "support/MarkedText.h"

namespace nv {
namespace {

std::string Utf8(const std::u16string& text) { return Utf16ToUtf8(text); }
std::u16string Wide(const char* utf8) { return Utf8ToUtf16(utf8); }

TEST(PlayListPaths, EntriesReadResolveAgainstThePlaylistFile) {
  const struct {
    const char* playList;
    const char* entry;
    const char* resolved;
  } cases[] = {
      {"C:\\Lists\\x.m3u", "\\Music\\a.mp3", "C:\\Music\\a.mp3"},
      {"C:\\Lists\\x.m3u", "Music\\a.mp3", "C:\\Lists\\Music\\a.mp3"},
      {"C:\\Lists\\x.m3u", "..\\b.mp3", "C:\\Lists\\..\\b.mp3"},  // nothing is normalised
      {"C:\\Lists\\x.m3u", "D:\\c.mp3", "D:\\c.mp3"},
      {"C:\\Lists\\x.m3u", "d:c.mp3", "d:c.mp3"},
      {"C:\\Lists\\x.m3u", "\\\\nas\\music\\a.mp3", "\\\\nas\\music\\a.mp3"},
      {"C:\\Lists\\x.m3u", "http://radio/stream", "http://radio/stream"},
      {"C:\\Lists\\x.m3u", "/Music/a.mp3", "C:/Music/a.mp3"},  // a leading "/" is a delimiter too
      {"C:\\Lists\\x.m3u", "Music/a.mp3", "C:\\Lists\\Music/a.mp3"},
      {"\\\\nas\\share\\Lists\\x.pls", "\\Music\\a.mp3", "\\\\nas\\share\\Music\\a.mp3"},
      {"\\\\nas\\share\\Lists\\x.pls", "a.mp3", "\\\\nas\\share\\Lists\\a.mp3"},
      {"C:\\\xD0\x9C\xD1\x83\xD0\xB7\\x.m3u8", "\xE6\x9B\xB2.mp3", "C:\\\xD0\x9C\xD1\x83\xD0\xB7\\\xE6\x9B\xB2.mp3"},
      {"C:\\x.m3u", "a.mp3", "C:\\a.mp3"},
      {"C:\\Lists\\.\\Sub\\..\\x.m3u", "a.mp3", "C:\\Lists\\a.mp3"},  // the playlist's own folder is made whole
  };
  for (const auto& c : cases)
    EXPECT_EQ(Utf8(ResolveEntryPath(PlayListFolderOf(Wide(c.playList)), Wide(c.entry))), c.resolved)
        << c.playList << " + " << c.entry;
}

TEST(PlayListPaths, PathsWrittenAreMadeRelativeWhereTheyCanBe) {
  const struct {
    const char* playList;
    const char* path;
    const char* written;
  } cases[] = {
      {"C:\\Lists\\x.m3u", "C:\\Lists\\Music\\a.mp3", "Music\\a.mp3"},
      {"C:\\Lists\\x.m3u", "c:\\LISTS\\a.mp3", "a.mp3"},  // the folder compares without regard to case
      {"C:\\Lists\\x.m3u", "C:\\Other\\b.mp3", "\\Other\\b.mp3"},
      {"C:\\Lists\\x.m3u", "c:\\Other\\b.mp3", "\\Other\\b.mp3"},
      {"C:\\Lists\\x.m3u", "D:\\c.mp3", "D:\\c.mp3"},
      {"C:\\Lists\\x.m3u", "C:\\Lists\\..\\Other\\.\\b.mp3", "\\Other\\b.mp3"},  // normalised first
      {"C:\\Lists\\x.m3u", "C:/Lists/Music/a.mp3", "Music\\a.mp3"},
      {"C:\\Lists\\x.m3u", "C:\\ListsMore\\a.mp3", "\\ListsMore\\a.mp3"},
      {"C:\\Lists\\x.m3u", "http://radio/a/../b", "http://radio/a/../b"},
      {"C:\\Lists\\x.m3u", "D:\\Track01.<cda>", "D:\\Track01.<cda>"},
      {"C:\\Lists\\x.m3u", "C:\\Lists\\..\\Track02.cda", "C:\\Lists\\..\\Track02.cda"},  // CD tracks stay whole
      {"\\\\nas\\share\\x.pls", "\\\\NAS\\Share\\Music\\a.mp3", "Music\\a.mp3"},
      {"\\\\nas\\share\\Lists\\x.pls", "\\\\nas\\share\\Music\\a.mp3", "\\Music\\a.mp3"},
      {"\\\\nas\\share\\Lists\\x.pls", "\\\\nas\\other\\a.mp3", "\\\\nas\\other\\a.mp3"},
      {"C:\\\xD0\x9C\xD1\x83\xD0\xB7\\x.m3u8", "C:\\\xD0\xBC\xD1\x83\xD0\xB7\\\xE6\x9B\xB2.mp3", "\xE6\x9B\xB2.mp3"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Utf8(RelativeEntryPath(PlayListFolderOf(Wide(c.playList)), Wide(c.path))), c.written)
        << c.playList << " <- " << c.path;
}

TEST(PlayListPaths, WhatIsWrittenReadsBackAsTheSamePath) {
  const TPlayListFolder folder = PlayListFolderOf(u"C:\\Lists\\x.m3u");
  for (const char16_t* path : {u"C:\\Lists\\Music\\a.mp3", u"C:\\Other\\b.mp3", u"D:\\c.mp3",
                               u"\\\\nas\\music\\d.mp3", u"C:\\Lists\\e.mp3", u"http://radio/stream"})
    EXPECT_EQ(ResolveEntryPath(folder, RelativeEntryPath(folder, path)), path);
}

TEST(PlayListPaths, Normalising) {
  const struct {
    const char16_t* path;
    const char16_t* normal;
  } cases[] = {
      {u"C:\\a\\.\\b\\..\\c.mp3", u"C:\\a\\c.mp3"}, {u"C:/a//b/c.mp3", u"C:\\a\\b\\c.mp3"},
      {u"C:\\..\\..\\a.mp3", u"C:\\a.mp3"},        {u"\\\\srv\\share\\..\\a", u"\\\\srv\\share\\a"},
      {u"..\\a\\..\\..\\b", u"..\\..\\b"},         {u"C:\\a\\", u"C:\\a\\"},
      {u"C:\\", u"C:\\"},                          {u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(NormalisePath(c.path), c.normal) << Utf16ToUtf8(c.path);
}

}  // namespace
}  // namespace nv
