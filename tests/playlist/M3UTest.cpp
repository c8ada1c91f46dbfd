// M3U and M3U8 files: how each kind of line reads, what is written, and round trips of names outside the code
// page.
#include <gtest/gtest.h>

#include "playlist/M3UFormat.h"
#include "support/Errors.h"
#include "support/MarkedText.h"
#include "tests/playlist/PlayListFileFakes.h"

namespace nv {
namespace {

using test::Describe;
using test::FakePlayer;
using test::FileFormatsEnvironment;
using Lines = std::vector<std::string>;

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr char kZhe[] = "\xD0\x96";         // Ж
constexpr char kQu[] = "\xE6\x9B\xB2";      // 曲
constexpr char kCafe[] = "Caf\xC3\xA9";     // Café: the code page holds it

// The entries of the file; with a player, which of them became current when the list was loaded.
Lines ReadM3UText(const std::string& bytes, bool withPlayer = false, bool restoreCurrent = false) {
  FileFormatsEnvironment files;
  files.store.Put("C:\\Lists\\list.m3u", bytes);
  FakePlayer player;
  TXPlayerPlayList bound(player, files.env.Get());
  TXPlayList unbound(files.env.Get());
  TXPlayList& list = withPlayer ? bound : unbound;
  list.LoadFromFile("C:\\Lists\\list.m3u", true, restoreCurrent, false, TXPlayListFormat::pfAuto);
  return Describe(list);
}

TEST(M3UReading, InfoLinesDescribeThePathsAfterOrBeforeThem) {
  const struct {
    const char* name;
    std::string file;
    Lines entries;
  } cases[] = {
      {"before: EXTINF above its path",
       "#EXTM3U\r\n#EXTINF:123,First Song\r\na.mp3\r\n#EXTINF:-1,Radio\r\nhttp://radio/x\r\nb.mp3\r\n",
       {"C:\\Lists\\a.mp3 | First Song | 123000ms", "http://radio/x | Radio", "C:\\Lists\\b.mp3 | b"}},
      {"after: a file without header whose first line is a path",
       "a.mp3\n#EXTINF:61,First\nb.mp3\n#EXTINF:62,Second\n",
       {"C:\\Lists\\a.mp3 | First | 61000ms", "C:\\Lists\\b.mp3 | Second | 62000ms"}},
      {"after: an info line without title changes nothing",
       "a.mp3\n#EXTINF:61,\n", {"C:\\Lists\\a.mp3 | a"}},
      {"a fractional length counts its whole seconds; one that is no number keeps the title",
       "#EXTINF:3.5,Half\na.mp3\n#EXTINF:x,Bad\nb.mp3\n#EXTINF:0,Zero\nc.mp3\n#EXTINF:,None\nd.mp3\n",
       {"C:\\Lists\\a.mp3 | Half | 3000ms", "C:\\Lists\\b.mp3 | Bad", "C:\\Lists\\c.mp3 | Zero",
        "C:\\Lists\\d.mp3 | None"}},
      {"attributes after the length, with commas inside their quotes",
       "#EXTM3U\n#EXTINF:-1 tvg-id=\"x\" group-title=\"News, Local\",Channel One\nhttp://tv/1\n"
       "#EXTINF:42 tvg-logo=\"a.png\",Two\nhttp://tv/2\n",
       {"http://tv/1 | Channel One", "http://tv/2 | Two | 42000ms"}},
      {"an info line without a comma is passed over",
       "#EXTINF:12 Title\na.mp3\n", {"C:\\Lists\\a.mp3 | a"}},
      {"tags without regard to case; blanks trimmed; the title may hold commas",
       "#extinf: 7 ,  A, B  \n  a.mp3  \n", {"C:\\Lists\\a.mp3 | A, B | 7000ms"}},
      {"a length too long for milliseconds gives no duration",
       "#EXTINF:3000000,Long\na.mp3\n", {"C:\\Lists\\a.mp3 | Long"}},
      {"CR, LF and CR LF all end lines; empty and blank lines are passed over",
       "#EXTM3U\r#EXTINF:1,A\r\n\r\n   \na.mp3\rb.mp3", {"C:\\Lists\\a.mp3 | A | 1000ms", "C:\\Lists\\b.mp3 | b"}},
      {"other comments are passed over", "#EXTM3U\n# a comment\n#EXTVLCOPT:x\na.mp3\n", {"C:\\Lists\\a.mp3 | a"}},
      {"an empty file", "", {}},
      {"only the header", "#EXTM3U\r\n", {}},
      {"the header is case-sensitive: #extm3u starts the before mode",
       "#extm3u\na.mp3\n#EXTINF:5,B\nb.mp3\n", {"C:\\Lists\\a.mp3 | a", "C:\\Lists\\b.mp3 | B | 5000ms"}},
      {"redirect marks, before", "#ASXREDIRECTED\nhttp://a/1\nhttp://a/2\n",
       {"http://a/1 | http://a/1 | redirected", "http://a/2 | http://a/2"}},
      {"redirect marks, after", "http://a/1\n#asxredirected\nhttp://a/2\n",
       {"http://a/1 | http://a/1 | redirected", "http://a/2 | http://a/2"}},
      {"a sub-range entry", "#EXTINF:10,Part\nalbum.flac<1000,11000>\nalbum.flac<11000>\n",
       {"C:\\Lists\\album.flac | Part | 10000ms | 1000-11000", "C:\\Lists\\album.flac | album | 11000-"}},
      {"before: an info line on a path already listed is dropped with it, not carried to the next",
       "#EXTINF:1,One\na.mp3\n#EXTINF:2,Again\na.mp3\nb.mp3\n",
       {"C:\\Lists\\a.mp3 | One | 1000ms", "C:\\Lists\\b.mp3 | b"}},
      {"a path that names a missing playlist is an entry", "other.m3u\n", {"C:\\Lists\\other.m3u | other"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadM3UText(c.file), c.entries) << c.name;
}

// The entries of the file of that name.
Lines ReadM3UFile(const char* name, const std::string& bytes) {
  FileFormatsEnvironment files;
  files.store.Put(name, bytes);
  TXPlayList list(files.env.Get());
  list.LoadFromFile(name, true, false, false, TXPlayListFormat::pfAuto);
  return Describe(list);
}

std::string Utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t c : text) {
    const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

TEST(M3UReading, EncodingsWithAndWithoutAMark) {
  const std::string utf8 = std::string("#EXTINF:5,") + kZhe + "uk\r\n" + kQu + ".mp3\r\n";
  const Lines unicode = {std::string("C:\\Lists\\") + kQu + ".mp3 | " + kZhe + "uk | 5000ms"};
  const std::u16string wide = u"#EXTINF:5,\u0416uk\r\n\u66F2.mp3\r\n";
  const struct {
    const char* name;
    const char* file;
    std::string bytes;
    Lines entries;
  } cases[] = {
      {"an .m3u8 without a mark is UTF-8", "C:\\Lists\\a.m3u8", utf8, unicode},
      {"an .m3u8 with a mark", "C:\\Lists\\a.m3u8", kBom + utf8, unicode},
      {"an .m3u8 with UTF-16 little-endian", "C:\\Lists\\a.m3u8", Utf16(wide, false), unicode},
      {"an .m3u with UTF-16 big-endian", "C:\\Lists\\a.m3u", Utf16(wide, true), unicode},
      {"an .m3u whose bytes are valid UTF-8 beyond ASCII is UTF-8", "C:\\Lists\\a.m3u", utf8, unicode},
      {"an .m3u with bytes that are no UTF-8 is code-page text", "C:\\Lists\\a.m3u",
       "#EXTINF:6,Caf\xE9\r\nCaf\xE9.mp3\r\n", {std::string("C:\\Lists\\") + kCafe + ".mp3 | " + kCafe + " | 6000ms"}},
      {"the program's own code-page file: marked lines, all else ASCII, reads as UTF-8 just the same",
       "C:\\Lists\\a.m3u", std::string("#EXTM3U\r\n\x01#EXTINF:5,") + kZhe + "uk\r\n\x01" + kQu + ".mp3\r\n", unicode},
      {"a title marked where it begins, in code-page text", "C:\\Lists\\a.m3u",
       std::string("#EXTINF:5,\x01") + kZhe + "uk\r\nCaf\xE9.mp3\r\n",
       {std::string("C:\\Lists\\") + kCafe + ".mp3 | " + kZhe + "uk | 5000ms"}},
      {"a title marked where it begins, in a file that is UTF-8", "C:\\Lists\\a.m3u",
       std::string("#EXTINF:5,\x01") + kZhe + "uk\r\n" + kQu + ".mp3\r\n", unicode},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadM3UFile(c.file, c.bytes), c.entries) << c.name;
}

TEST(M3UReading, TheByteOrderMarkDecidesTheEncoding) {
  const std::string utf8 = std::string(kBom) + "#EXTM3U\r\n#EXTINF:5," + kZhe + "uk " + kQu + "\r\n" + kZhe +
                           "\\" + kQu + ".mp3\r\n#EXTINF:6," + kCafe + "\r\n" + kCafe + ".mp3\r\n";
  EXPECT_EQ(ReadM3UText(utf8), (Lines{std::string("C:\\Lists\\") + kZhe + "\\" + kQu + ".mp3 | " + kZhe + "uk " +
                                          kQu + " | 5000ms",
                                      std::string("C:\\Lists\\") + kCafe + ".mp3 | " + kCafe + " | 6000ms"}))
      << "the first character of the first title too";
  // Without the mark the same bytes are code-page text, and a line that starts with 0x01 is UTF-8 after it.
  const std::string ansi = std::string("#EXTINF:6,Caf\xE9\r\nCaf\xE9.mp3\r\n\x01#EXTINF:5,") + kZhe + "\r\n\x01" +
                           kZhe + ".mp3\r\n";
  EXPECT_EQ(ReadM3UText(ansi), (Lines{std::string("C:\\Lists\\") + kCafe + ".mp3 | " + kCafe + " | 6000ms",
                                      std::string("C:\\Lists\\") + kZhe + ".mp3 | " + kZhe + " | 5000ms"}));
  // A marked info line decides the before mode like any other.
  EXPECT_EQ(ReadM3UText(std::string("\x01#EXTINF:1,") + kZhe + "\na.mp3\n"),
            Lines{std::string("C:\\Lists\\a.mp3 | ") + kZhe + " | 1000ms"});
}

TEST(M3UReading, ALineThatDoesNotDecodeIsPassedOver) {
  for (const std::string& bytes : {std::string(kBom) + "a.mp3\n\xC3(\nb.mp3\n", std::string("a.mp3\n\x01\xC3(\nb.mp3\n"),
                                   std::string("\x01\xC3(\na.mp3\nb.mp3\n")}) {
    FileFormatsEnvironment files;
    files.store.Put("C:\\Lists\\list.m3u", bytes);
    TXPlayList list(files.env.Get());
    EXPECT_EQ(list.LoadFromFile("C:\\Lists\\list.m3u", true, false, false, TXPlayListFormat::pfAuto),
              TPlayListFileResult::pfrDone);
    EXPECT_EQ(Describe(list), (Lines{"C:\\Lists\\a.mp3 | a", "C:\\Lists\\b.mp3 | b"}));
  }
}

TEST(M3UReading, TheCurrentEntryIsRestoredOnlyWhenAsked) {
  const std::string file = "#EXTM3U\na.mp3\nb.mp3\n#EXTCUR: 1 \n";
  EXPECT_EQ(ReadM3UText(file, true, true), (Lines{"C:\\Lists\\a.mp3 | a", "* C:\\Lists\\b.mp3 | b"}));
  EXPECT_EQ(ReadM3UText("a.mp3\nb.mp3\n#extcur:1\n", true, false),
            (Lines{"* C:\\Lists\\a.mp3 | a", "C:\\Lists\\b.mp3 | b"}))
      << "not restored, the list starts at its first entry";
  for (const char* bad : {"#EXTCUR:2\n", "#EXTCUR:-1\n", "#EXTCUR:one\n"})
    EXPECT_EQ(ReadM3UText(std::string("a.mp3\nb.mp3\n") + bad, true, true),
              (Lines{"* C:\\Lists\\a.mp3 | a", "C:\\Lists\\b.mp3 | b"}))
        << bad;
}

TEST(M3UWriting, LinesForEachItem) {
  FileFormatsEnvironment files;
  FakePlayer player;
  TXPlayerPlayList list(player, files.env.Get());
  list.AddEntry("C:\\Lists\\Music\\a.mp3", "Song A", false, 125700);
  list.AddEntry("D:\\b.mp3")->ASXRedirected = true;
  list.AddEntry("C:\\Lists\\album.flac<1000,2000>", "Track\t1");
  list.AddEntry("http://radio/x")->Info.SetValue(kDurationAttribute, AttributeValue::WideText(u"?"));
  list.AddEntry("C:\\Lists\\#1 hit.mp3");
  list.AddEntry("C:\\Lists\\ lead.mp3");
  list.Items(0).Info.SetValue(kAuthorAttribute, AttributeValue::AnsiText("Artist"));
  list.Items(0).Info.SetValue(kAlbumAttribute, AttributeValue::AnsiText("Album"));
  list.TitleFormat = ptfArtist | ptfAlbum;
  list.PlayIndex(2, false, TSetCurrentMode::smNormal);

  list.SaveToFile("C:\\Lists\\out.m3u", true, TXPlayListFormat::pfAuto);
  EXPECT_EQ(files.store.contents["C:\\Lists\\out.m3u"],
            "#EXTM3U\r\n"
            "#EXTINF:125,Artist - Album - Song A\r\nMusic\\a.mp3\r\n"
            "#EXTINF:0,b\r\n#ASXREDIRECTED\r\nD:\\b.mp3\r\n"
            "#EXTINF:0,Track 1\r\nalbum.flac<1000,2000>\r\n"
            // A length that is no number still gets its info line, so that readers find the info lines first.
            "#EXTINF:0,http://radio/x\r\nhttp://radio/x\r\n"
            // A relative name would read as a comment.
            "#EXTINF:0,#1 hit\r\nC:\\Lists\\#1 hit.mp3\r\n"
            // Reading drops the blank before a relative name.
            "#EXTINF:0, lead\r\nC:\\Lists\\ lead.mp3\r\n"
            "#EXTCUR:2\r\n");
  list.SaveToFile("C:\\Lists\\out.m3u", false, TXPlayListFormat::pfAuto);
  EXPECT_FALSE(files.store.contents["C:\\Lists\\out.m3u"].ends_with("#EXTCUR:2\r\n"));

  FakePlayer other;
  TXPlayerPlayList back(other, files.env.Get());
  back.LoadFromFile("C:\\Lists\\out.m3u", true, true, false, TXPlayListFormat::pfAuto);
  EXPECT_EQ(Describe(back), (Lines{"* C:\\Lists\\Music\\a.mp3 | Artist - Album - Song A | 125000ms",
                                   "D:\\b.mp3 | b | redirected", "C:\\Lists\\album.flac | Track 1 | 1000-2000",
                                   "http://radio/x | http://radio/x", "C:\\Lists\\#1 hit.mp3 | #1 hit",
                                   "C:\\Lists\\ lead.mp3 | lead"}));
}

TEST(M3UWriting, LinesTheCodePageCannotHoldAreMarkedWhole) {
  FileFormatsEnvironment files;
  TXPlayList list(files.env.Get());
  list.AddEntry(std::string("\x01") + "C:\\Lists\\" + kZhe + ".mp3", std::string("\x01") + kQu + " x");
  list.AddEntry("C:\\Lists\\Caf\xE9.mp3");
  list.SaveToFile("C:\\Lists\\out.m3u", false, TXPlayListFormat::pfAuto);
  EXPECT_EQ(files.store.contents["C:\\Lists\\out.m3u"], std::string("#EXTM3U\r\n\x01#EXTINF:0,") + kQu + " x\r\n\x01" +
                                                            kZhe + ".mp3\r\n#EXTINF:0,Caf\xE9\r\nCaf\xE9.mp3\r\n");
  list.SaveToFile("C:\\Lists\\out.m3u8", false, TXPlayListFormat::pfAuto);
  EXPECT_EQ(files.store.contents["C:\\Lists\\out.m3u8"], std::string(kBom) + "#EXTM3U\r\n#EXTINF:0," + kQu +
                                                             " x\r\n" + kZhe + ".mp3\r\n#EXTINF:0," + kCafe +
                                                             "\r\n" + kCafe + ".mp3\r\n");
}

// Names in Cyrillic and CJK with a title and a length, through each format that writes, read back the same.
TEST(PlayListRoundTrips, NamesOutsideTheCodePage) {
  const std::string names[] = {std::string("\x01") + "C:\\\xD0\x9C\xD1\x83\xD0\xB7\xD1\x8B\xD0\xBA\xD0\xB0\\" +
                                   "\xD0\x9F\xD0\xB5\xD1\x81\xD0\xBD\xD1\x8F.mp3",
                               std::string("\x01") + "C:\\Lists\\" + kQu + "\\" + "\xE6\x98\xA5.ogg",
                               std::string("\x01") + "D:\\" + kZhe + " & " + kQu + ".mp3<5000,9000>",
                               "C:\\Lists\\Caf\xE9.mp3", "http://radio/Caf\xE9"};
  for (const char* file : {"C:\\Lists\\round.m3u8", "C:\\Lists\\round.m3u", "C:\\Lists\\round.pls"}) {
    FileFormatsEnvironment files;
    FakePlayer player;
    TXPlayerPlayList list(player, files.env.Get());
    for (const std::string& name : names) {
      TXPlayListItem* item = list.AddEntry(name, {}, false, 61000);
      const std::u16string title = u"\u0416\u0443\u043A \u66F2 " + item->Value(kTitleAttribute).ToUtf16();
      item->Info.SetValue(kTitleAttribute, AttributeValue::WideText(title));
    }
    list.Items(1).ASXRedirected = true;
    list.PlayIndex(3, false, TSetCurrentMode::smNormal);
    const Lines expected = Describe(list);
    list.SaveToFile(file, true, TXPlayListFormat::pfAuto);

    FakePlayer other;
    TXPlayerPlayList back(other, files.env.Get());
    back.LoadFromFile(file, true, true, false, TXPlayListFormat::pfAuto);
    EXPECT_EQ(Describe(back), expected) << file;
  }
}

}  // namespace
}  // namespace nv
