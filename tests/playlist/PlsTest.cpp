// PLS files: read and written as the system's profile functions read and write initialisation files.
#include <gtest/gtest.h>

#include "playlist/PlsFormat.h"
#include "support/Errors.h"
#include "support/MarkedText.h"
#include "tests/playlist/PlayListFileFakes.h"

namespace nv {
namespace {

using test::Describe;
using test::FakePlayer;
using test::FileFormatsEnvironment;
using Lines = std::vector<std::string>;

constexpr char kZhe[] = "\xD0\x96";     // Ж
constexpr char kQu[] = "\xE6\x9B\xB2";  // 曲

Lines ReadPlsText(const std::string& bytes) {
  FileFormatsEnvironment files;
  files.store.Put("C:\\Lists\\list.pls", bytes);
  TXPlayList list(files.env.Get());
  list.LoadFromFile("C:\\Lists\\list.pls", true, false, false, TXPlayListFormat::pfAuto);
  return Describe(list);
}

std::string Utf16LE(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

TEST(PlsReading, EntriesByNumber) {
  const struct {
    const char* name;
    std::string file;
    Lines entries;
  } cases[] = {
      {"entries with titles and lengths",
       "[playlist]\r\nFile1=a.mp3\r\nTitle1=Song A\r\nLength1=61\r\nFile2=http://radio/x\r\nTitle2=Radio\r\n"
       "Length2=-1\r\nNumberOfEntries=2\r\nVersion=2\r\n",
       {"C:\\Lists\\a.mp3 | Song A | 61000ms", "http://radio/x | Radio"}},
      {"a gap in the numbering", "[playlist]\nNumberOfEntries=3\nFile1=a.mp3\nFile3=c.mp3\n",
       {"C:\\Lists\\a.mp3 | a", "C:\\Lists\\c.mp3 | c"}},
      {"a count of two billion costs no more than the lines there are",
       "[playlist]\nNumberOfEntries=2000000000\nFile2000000000=z.mp3\nFile1=a.mp3\n",
       {"C:\\Lists\\a.mp3 | a", "C:\\Lists\\z.mp3 | z"}},
      // The count is not needed: writers leave it out or miscount, and the entries are the lines there are.
      {"entries beyond the count", "[playlist]\nNumberOfEntries=1\nFile2=b.mp3\nFile1=a.mp3\n",
       {"C:\\Lists\\a.mp3 | a", "C:\\Lists\\b.mp3 | b"}},
      {"fewer entries than the count", "[playlist]\nNumberOfEntries=9\nFile1=a.mp3\n", {"C:\\Lists\\a.mp3 | a"}},
      {"no count", "[playlist]\nFile1=a.mp3\n", {"C:\\Lists\\a.mp3 | a"}},
      {"a count that is no number", "[playlist]\nNumberOfEntries=two\nFile1=a.mp3\n", {"C:\\Lists\\a.mp3 | a"}},
      {"a negative count", "[playlist]\nNumberOfEntries=-1\nFile1=a.mp3\n", {"C:\\Lists\\a.mp3 | a"}},
      {"names without regard to case, blanks and a pair of quotes round values dropped",
       "  [PlayList]  \n  file1 =  \" b.mp3 \"  \nTITLE1='B'\nnumberofentries = 1\n", {"C:\\Lists\\b.mp3 | B"}},
      {"the first key of a name counts", "[playlist]\nNumberOfEntries=1\nFile1=a.mp3\nfile1=b.mp3\n",
       {"C:\\Lists\\a.mp3 | a"}},
      {"only the first section of the name counts",
       "[playlist]\nFile1=a.mp3\n[other]\nFile2=b.mp3\n[playlist]\nFile3=c.mp3\n", {"C:\\Lists\\a.mp3 | a"}},
      {"keys outside the section, comments and numbers with leading zeros are not the keys",
       "File1=x.mp3\n[playlist]\n;File2=y.mp3\nFile02=y.mp3\nFile3=c.mp3\nNumberOfEntries=3\n",
       {"C:\\Lists\\c.mp3 | c"}},
      {"empty files are passed over; a key without '=' is empty",
       "[playlist]\nNumberOfEntries=3\nFile1=   \nFile2\nFile3=c.mp3\n", {"C:\\Lists\\c.mp3 | c"}},
      {"lengths that are no whole number give no duration",
       "[playlist]\nNumberOfEntries=3\nFile1=a.mp3\nLength1=3.5\nFile2=b.mp3\nLength2=0\nFile3=c.mp3\n"
       "Length3=3000000\n",
       {"C:\\Lists\\a.mp3 | a", "C:\\Lists\\b.mp3 | b", "C:\\Lists\\c.mp3 | c"}},
      {"the redirect mark is exactly 1",
       "[playlist]\nNumberOfEntries=2\nFile1=http://a/1\nASXRedirected1= 1\nFile2=http://a/2\nASXRedirected2=yes\n",
       {"http://a/1 | http://a/1 | redirected", "http://a/2 | http://a/2"}},
      {"entries already in the list are not added again",
       "[playlist]\nNumberOfEntries=2\nFile1=a.mp3\nFile2=A.MP3\n", {"C:\\Lists\\a.mp3 | a"}},
      {"the UTF-8 behind the marker byte",
       std::string("[playlist]\r\nNumberOfEntries=1\r\nFile1=\xB6") + kZhe + ".mp3\r\nTitle1=\xB6" + kQu +
           " \r\nTitle2=\xB6\xC3(\r\n",
       {std::string("C:\\Lists\\") + kZhe + ".mp3 | " + kQu}},
      {"a code-page file", "[playlist]\nNumberOfEntries=1\nFile1=Caf\xE9.mp3\n",
       {"C:\\Lists\\Caf\xC3\xA9.mp3 | Caf\xC3\xA9"}},
      {"a UTF-16 file",
       Utf16LE(u"[playlist]\r\nNumberOfEntries=1\r\nFile1=\u0416.mp3\r\nTitle1=\u66F2\r\n"),
       {std::string("C:\\Lists\\") + kZhe + ".mp3 | " + kQu}},
      {"a UTF-8 file with its mark",
       std::string("\xEF\xBB\xBF[playlist]\nNumberOfEntries=1\nFile1=") + kZhe + ".mp3\n",
       {std::string("C:\\Lists\\") + kZhe + ".mp3 | " + kZhe}},
      {"an empty file", "", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadPlsText(c.file), c.entries) << c.name;
}

TEST(PlsReading, AnEntryThatDoesNotDecodeIsPassedOver) {
  for (const char* bad : {"File2=\xB6\xC3(\n", "File2=b.mp3\nTitle2=\xB6\xC3(\n"}) {
    EXPECT_EQ(ReadPlsText(std::string("[playlist]\nNumberOfEntries=3\nFile1=a.mp3\n") + bad + "File3=c.mp3\n"),
              (Lines{"C:\\Lists\\a.mp3 | a", "C:\\Lists\\c.mp3 | c"}))
        << bad;
  }
}

TEST(PlsReading, TheCurrentEntry) {
  const struct {
    const char* current;
    bool restore;
    Lines entries;
  } cases[] = {
      {"", true, {"* C:\\Lists\\a.mp3 | a", "C:\\Lists\\b.mp3 | b"}},  // absent: the first entry
      {"CurrentFile=1\n", true, {"C:\\Lists\\a.mp3 | a", "* C:\\Lists\\b.mp3 | b"}},
      {"CurrentFile=1\n", false, {"* C:\\Lists\\a.mp3 | a", "C:\\Lists\\b.mp3 | b"}},
      {"CurrentFile=2\n", true, {"* C:\\Lists\\a.mp3 | a", "C:\\Lists\\b.mp3 | b"}},
  };
  for (const auto& c : cases) {
    FileFormatsEnvironment files;
    files.store.Put("C:\\Lists\\list.pls", std::string("[playlist]\nNumberOfEntries=2\nFile1=a.mp3\nFile2=b.mp3\n") +
                                               c.current);
    FakePlayer player;
    TXPlayerPlayList list(player, files.env.Get());
    list.LoadFromFile("C:\\Lists\\list.pls", true, c.restore, false, TXPlayListFormat::pfAuto);
    EXPECT_EQ(Describe(list), c.entries) << c.current << c.restore;
  }
}

TEST(PlsWriting, TheSectionAndItsKeys) {
  FileFormatsEnvironment files;
  FakePlayer player;
  TXPlayerPlayList list(player, files.env.Get());
  list.AddEntry("C:\\Lists\\Music\\a.mp3", "Song A", false, 125700);
  list.AddEntry("http://radio/x")->ASXRedirected = true;
  list.AddEntry(std::string("\x01") + "C:\\" + kZhe + ".mp3<1000>", std::string("\x01") + kQu);
  list.AddEntry("C:\\Lists\\q.mp3", "'Til Tuesday'")->Info.SetValue(kDurationAttribute, AttributeValue::WideText(u"?"));
  list.AddEntry("C:\\Lists\\p.mp3", "\xB6 Intro");
  list.PlayIndex(1, false, TSetCurrentMode::smNormal);
  list.SaveToFile("C:\\Lists\\out.pls", true, TXPlayListFormat::pfAuto);
  EXPECT_EQ(files.store.contents["C:\\Lists\\out.pls"],
            std::string("[playlist]\r\n"
                        "File1=Music\\a.mp3\r\nTitle1=Song A\r\nLength1=125\r\n"
                        "File2=http://radio/x\r\nTitle2=http://radio/x\r\nLength2=0\r\nASXRedirected2=1\r\n"
                        "File3=\xB6\\") +
                kZhe + ".mp3<1000>\r\nTitle3=\xB6" + kQu +
                "\r\nLength3=0\r\n"
                // A value in a pair of quotes keeps them inside another pair; a length that is no number is left out.
                "File4=q.mp3\r\nTitle4=\"'Til Tuesday'\"\r\n"
                // A value that starts with the marker byte is written marked, or it would read as UTF-8.
                "File5=p.mp3\r\nTitle5=\xB6\xC2\xB6 Intro\r\nLength5=0\r\n"
                "NumberOfEntries=5\r\nVersion=2\r\nCurrentFile=1\r\n");

  FakePlayer other;
  TXPlayerPlayList back(other, files.env.Get());
  back.LoadFromFile("C:\\Lists\\out.pls", true, true, false, TXPlayListFormat::pfAuto);
  EXPECT_EQ(Describe(back),
            (Lines{"C:\\Lists\\Music\\a.mp3 | Song A | 125000ms", "* http://radio/x | http://radio/x | redirected",
                   std::string("C:\\") + kZhe + ".mp3 | " + kQu + " | 1000-", "C:\\Lists\\q.mp3 | 'Til Tuesday'",
                   "C:\\Lists\\p.mp3 | \xC2\xB6 Intro"}));
}

// Found by fuzzing: a title with blanks before the marker byte was written as it stood, and reading, which drops the
// blanks first, took the rest for UTF-8.
TEST(PlsWriting, ValuesAreWrittenAsTheyWillBeRead) {
  FileFormatsEnvironment files;
  TXPlayList list(files.env.Get());
  list.AddEntry("C:\\Lists\\t.mp3", " \t\xB6\xE0 ");
  list.AddEntry("C:\\Lists\\q.mp3", "  'quoted'  ");
  list.SaveToFile("C:\\Lists\\out.pls", false, TXPlayListFormat::pfAuto);
  EXPECT_EQ(files.store.contents["C:\\Lists\\out.pls"],
            "[playlist]\r\nFile1=t.mp3\r\nTitle1=\xB6\xC2\xB6\xC3\xA0\r\nLength1=0\r\n"
            "File2=q.mp3\r\nTitle2=\"'quoted'\"\r\nLength2=0\r\nNumberOfEntries=2\r\nVersion=2\r\n");
  TXPlayList back(files.env.Get());
  back.LoadFromFile("C:\\Lists\\out.pls", true, false, false, TXPlayListFormat::pfAuto);
  EXPECT_EQ(Describe(back), (Lines{"C:\\Lists\\t.mp3 | \xC2\xB6\xC3\xA0", "C:\\Lists\\q.mp3 | 'quoted'"}));
}

TEST(PlsWriting, OtherSectionsAndTheEncodingStay) {
  FileFormatsEnvironment files;
  TXPlayList list(files.env.Get());
  list.AddEntry(std::string("\x01") + "C:\\Lists\\" + kZhe + ".mp3");
  files.store.Put("C:\\Lists\\a.pls",
                  "; notes\r\n[Other]\r\nKey = Value\r\n\r\n[PLAYLIST]\r\nFile1=old.mp3\r\nNumberOfEntries=1\r\n"
                  "[More]\nX=1\n[playlist]\nFile9=older.mp3\n");
  list.SaveToFile("C:\\Lists\\a.pls", false, TXPlayListFormat::pfAuto);
  EXPECT_EQ(files.store.contents["C:\\Lists\\a.pls"],
            std::string("; notes\r\n[Other]\r\nKey = Value\r\n\r\n[More]\r\nX=1\r\n[playlist]\r\nFile1=\xB6") + kZhe +
                ".mp3\r\nTitle1=\xB6" + kZhe + "\r\nLength1=0\r\nNumberOfEntries=1\r\nVersion=2\r\n");

  files.store.Put("C:\\Lists\\u.pls", Utf16LE(u"[Other]\r\nKey=\u66F2\r\n"));
  list.SaveToFile("C:\\Lists\\u.pls", false, TXPlayListFormat::pfAuto);
  EXPECT_EQ(files.store.contents["C:\\Lists\\u.pls"],
            Utf16LE(u"[Other]\r\nKey=\u66F2\r\n[playlist]\r\nFile1=\u0416.mp3\r\nTitle1=\u0416\r\nLength1=0\r\n"
                    u"NumberOfEntries=1\r\nVersion=2\r\n"));
  files.store.Put("C:\\Lists\\8.pls", "\xEF\xBB\xBF[playlist]\r\n");
  list.SaveToFile("C:\\Lists\\8.pls", false, TXPlayListFormat::pfAuto);
  EXPECT_EQ(files.store.contents["C:\\Lists\\8.pls"], std::string("\xEF\xBB\xBF[playlist]\r\nFile1=") + kZhe +
                                                          ".mp3\r\nTitle1=" + kZhe +
                                                          "\r\nLength1=0\r\nNumberOfEntries=1\r\nVersion=2\r\n");
  for (const char* file : {"C:\\Lists\\u.pls", "C:\\Lists\\8.pls"}) {
    TXPlayList back(files.env.Get());
    back.LoadFromFile(file, true, false, false, TXPlayListFormat::pfAuto);
    EXPECT_EQ(Describe(back), Describe(list)) << file;
  }
}

TEST(PlsWriting, AFileThatCannotBeWrittenRaisesWithItsName) {
  FileFormatsEnvironment files;
  TXPlayList list(files.env.Get());
  list.AddEntry("C:\\a.mp3");
  files.store.failWrites = true;
  try {
    list.SaveToFile("C:\\Lists\\x.pls", false, TXPlayListFormat::pfAuto);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Unable to write to C:\\Lists\\x.pls");
  }
  EXPECT_THROW(list.SaveToFile("C:\\Lists\\x.m3u", false, TXPlayListFormat::pfAuto), EWin32Error)
      << "an M3U file raises the file system's error";
}

}  // namespace
}  // namespace nv
