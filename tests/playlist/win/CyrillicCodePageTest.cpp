// Playlist files under a Cyrillic system (code page 1251): Cyrillic is plain code-page text in M3U and PLS files,
// only what the code page cannot hold is marked, and both read back the same.
#include <gtest/gtest.h>

#include "support/MarkedText.h"
#include "tests/playlist/PlayListFileFakes.h"

namespace nv {
namespace {

using test::Describe;
using test::FileFormatsEnvironment;

TEST(CyrillicCodePage, OnlyWhatTheCodePageCannotHoldIsMarked) {
  FileFormatsEnvironment files;
  TXPlayList list(files.env.Get());
  list.AddEntry(Utf16ToMarked(u"C:\\Lists\\\u041F\u0435\u0441\u043D\u044F.mp3"), Utf16ToMarked(u"\u0416\u0443\u043A"));
  list.AddEntry(Utf16ToMarked(u"C:\\Lists\\\u66F2.mp3"), Utf16ToMarked(u"\u66F2 \u0416"));
  ASSERT_FALSE(IsMarked(list.Items(0).FileName())) << "the system is not Cyrillic";

  list.SaveToFile("C:\\Lists\\ru.m3u", false, TXPlayListFormat::pfAuto);
  EXPECT_EQ(files.store.contents["C:\\Lists\\ru.m3u"],
            "#EXTM3U\r\n#EXTINF:0,\xC6\xF3\xEA\r\n\xCF\xE5\xF1\xED\xFF.mp3\r\n"
            "\x01#EXTINF:0,\xE6\x9B\xB2 \xD0\x96\r\n\x01\xE6\x9B\xB2.mp3\r\n");
  list.SaveToFile("C:\\Lists\\ru.pls", false, TXPlayListFormat::pfAuto);
  EXPECT_EQ(files.store.contents["C:\\Lists\\ru.pls"],
            "[playlist]\r\nFile1=\xCF\xE5\xF1\xED\xFF.mp3\r\nTitle1=\xC6\xF3\xEA\r\nLength1=0\r\n"
            "File2=\xB6\xE6\x9B\xB2.mp3\r\nTitle2=\xB6\xE6\x9B\xB2 \xD0\x96\r\nLength2=0\r\n"
            "NumberOfEntries=2\r\nVersion=2\r\n");
  for (const char* file : {"C:\\Lists\\ru.m3u", "C:\\Lists\\ru.pls"}) {
    TXPlayList back(files.env.Get());
    back.LoadFromFile(file, true, false, false, TXPlayListFormat::pfAuto);
    EXPECT_EQ(Describe(back), Describe(list)) << file;
  }
}

}  // namespace
}  // namespace nv
