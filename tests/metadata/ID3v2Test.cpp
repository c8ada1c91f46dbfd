// ID3v2 2.2 to 2.4: the header and its size, the frame walk, the text encodings and the frame table with its
// fallbacks.
#include <gtest/gtest.h>

#include "metadata/ID3v2.h"
#include "tests/metadata/MediaBytes.h"

namespace nv {
namespace {

using test::Bytes;
using test::Id3v2Frame;
using test::Id3v2Tag;

// Frame contents: the encoding byte, then the text.
Bytes Latin(std::string_view text) { return '\0' + Bytes(text); }
Bytes Utf8(std::string_view text) { return '\x03' + Bytes(text); }
Bytes Utf16(char encoding, std::u16string_view text, bool bom, bool bigEndian) {
  Bytes out(1, encoding);
  if (bom) out += bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t c : text) out += bigEndian ? Bytes{char(c >> 8), char(c)} : Bytes{char(c), char(c >> 8)};
  return out;
}

// zlib streams of the frame contents "\0Inflated Title" (15 bytes) and "\0Zipped 2.3 title" (17 bytes).
const Bytes kInflatedTitle("\x78\x9C\x63\xF0\xCC\x4B\xCB\x49\x2C\x49\x4D\x51\x08\xC9\x2C\xC9\x49\x05\x00\x27\x72"
                           "\x05\x4A", 23);
const Bytes kZipped23Title("\x78\x9C\x63\x88\xCA\x2C\x28\x48\x4D\x51\x30\xD2\x33\x56\x28\xC9\x2C\xC9\x49\x05\x00"
                           "\x2D\xC8\x05\x62", 25);

struct Fields {
  std::u16string title{}, artist{}, album{};
  int track = 0;
  std::u16string trackText{}, year{}, genre{}, comment{}, composer{}, encoder{}, copyright{}, language{}, link{};
};

struct Case {
  const char* what;
  Bytes file;
  Fields expected;
};

Bytes V3(std::initializer_list<Bytes> frames, std::uint8_t flags = 0) {
  Bytes body;
  for (const Bytes& f : frames) body += f;
  return Id3v2Tag(3, body + Bytes(16, '\0'), flags) + Bytes(64, 'A');
}
Bytes Frame3(std::string_view id, std::string_view content, std::uint16_t flags = 0) {
  return Id3v2Frame(3, id, content, flags);
}
Bytes Frame4(std::string_view id, std::string_view content, std::uint16_t flags = 0) {
  return Id3v2Frame(4, id, content, flags);
}
Bytes V4(std::initializer_list<Bytes> frames, std::uint8_t flags = 0, std::string_view extended = {}) {
  Bytes body(extended);
  for (const Bytes& f : frames) body += f;
  return Id3v2Tag(4, body, flags);
}

const Case kFrameCases[] = {
    {"2.2: three-character IDs and three-byte sizes",
     Id3v2Tag(2, Id3v2Frame(2, "TT2", Latin("Title")) + Id3v2Frame(2, "TP1", Latin("Artist")) +
                     Id3v2Frame(2, "TAL", Latin("Album")) + Id3v2Frame(2, "TRK", Latin("4")) +
                     Id3v2Frame(2, "TYE", Latin("1984")) + Id3v2Frame(2, "TCO", Latin("(8)Jazz")) +
                     Id3v2Frame(2, "COM", Latin(Bytes("eng\0Comment", 11))) + Id3v2Frame(2, "TCM", Latin("Composer")) +
                     Id3v2Frame(2, "TEN", Latin("Encoder")) + Id3v2Frame(2, "TCR", Latin("(C)")) +
                     Id3v2Frame(2, "TLA", Latin("eng")) + Id3v2Frame(2, "WXX", Latin(Bytes("\0http://a.b/", 12)))),
     {.title = u"Title", .artist = u"Artist", .album = u"Album", .track = 4, .trackText = u"4", .year = u"1984",
      .genre = u"Jazz", .comment = u"Comment", .composer = u"Composer", .encoder = u"Encoder", .copyright = u"(C)",
      .language = u"eng", .link = u"http://a.b/"}},
    {"2.2 fallbacks", Id3v2Tag(2, Id3v2Frame(2, "TT1", Latin("T1")) + Id3v2Frame(2, "TOA", Latin("Orig")) +
                                      Id3v2Frame(2, "TOT", Latin("OrigAlbum")) +
                                      Id3v2Frame(2, "TOR", Latin("19990101"))),
     {.title = u"T1", .artist = u"Orig", .album = u"OrigAlbum", .year = u"1999"}},
    {"2.3 fallbacks when the main frame is missing or empty",
     V3({Frame3("TIT2", Latin("")), Frame3("TIT1", Latin("Group")), Frame3("TOPE", Latin("Original")),
         Frame3("TOAL", Latin("Original Album")), Frame3("TDRC", Latin("2010-01-01"))}),
     {.title = u"Group", .artist = u"Original", .album = u"Original Album", .year = u"2010"}},
    {"the main frame wins over its fallback", V3({Frame3("TIT1", Latin("Group")), Frame3("TIT2", Latin("Main")),
                                                  Frame3("TYER", Latin("2001")), Frame3("TDRC", Latin("2010"))}),
     {.title = u"Main", .year = u"2001"}},
    {"track before the slash; genre after the last closing bracket",
     V3({Frame3("TRCK", Latin("3/12")), Frame3("TCON", Latin("(17)Rock"))}),
     {.track = 3, .trackText = u"3/12", .genre = u"Rock"}},
    {"a genre reference alone is that genre of the ID3v1 list; a track that is no number is 0",
     V3({Frame3("TRCK", Latin("A1")), Frame3("TCON", Latin("(17)"))}), {.trackText = u"A1", .genre = u"Rock"}},
    {"2.4: a bare number is the genre of that number", V4({Frame4("TCON", Latin("17"))}), {.genre = u"Rock"}},
    {"the last reference counts", V3({Frame3("TCON", Latin("(8)(17)"))}), {.genre = u"Rock"}},
    {"a number beyond the list stays as written; a reference to it is nothing",
     V3({Frame3("TCON", Latin("(200)")), Frame3("TCON", Latin("200"))}), {.genre = u"200"}},
    {"a reference that is no number is nothing", V3({Frame3("TCON", Latin("(RX)"))}), {}},
    {"everything up to the last closing bracket goes, even a remark",
     V3({Frame3("TCON", Latin("Rock (live)"))}), {}},
    {"a later frame replaces an earlier one", V3({Frame3("TIT2", Latin("First")), Frame3("TIT2", Latin("Second"))}),
     {.title = u"Second"}},
    {"UTF-16, little-endian byte-order mark", V3({Frame3("TIT2", Utf16(1, u"Caf\u00E9 \u0416", true, false))}),
     {.title = u"Caf\u00E9 \u0416"}},
    {"UTF-16, big-endian byte-order mark", V3({Frame3("TIT2", Utf16(1, u"Caf\u00E9 \u0416", true, true))}),
     {.title = u"Caf\u00E9 \u0416"}},
    {"UTF-16 without a mark: encoding 1 little-endian, 2 big-endian",
     V3({Frame3("TIT2", Utf16(1, u"Little \u00E9", false, false)),
         Frame3("TPE1", Utf16(2, u"Big \u0416", false, true))}),
     {.title = u"Little \u00E9", .artist = u"Big \u0416"}},
    {"UTF-16 stops at a zero character", V3({Frame3("TIT2", Utf16(1, u"One", true, false) + Bytes("\0\0T\0", 4))}),
     {.title = u"One"}},
    {"an odd last byte of UTF-16 is ignored", V3({Frame3("TIT2", Utf16(1, u"Odd", true, false) + "x")}),
     {.title = u"Odd"}},
    {"single-byte text that is valid UTF-8 is UTF-8", V3({Frame3("TIT2", Latin("Beyonc\xC3\xA9"))}),
     {.title = u"Beyonc\u00E9"}},
    {"single-byte text that is not UTF-8 is the code page", V3({Frame3("TIT2", Latin("Caf\xE9"))}),
     {.title = u"Caf\u00E9"}},
    {"encoding 3 is UTF-8, ended by a zero byte", V3({Frame3("TIT2", Utf8(Bytes("\xD0\x96 A\0B", 6)))}),
     {.title = u"\u0416 A"}},
    {"an unknown encoding byte drops the frame", V3({Frame3("TIT2", Latin("Kept")), Frame3("TIT2", "\x04Dropped")}),
     {.title = u"Kept"}},
    {"text is trimmed of blanks and controls at both ends", V3({Frame3("TIT2", Latin(" \t Title \x01"))}),
     {.title = u"Title"}},
    {"COMM: language and description skipped; the description's terminator is a whole UTF-16 zero",
     V3({Frame3("COMM", Bytes("\x01" "eng", 4) + Bytes("\xFF\xFE" "a\0\0\0", 6) + Bytes("\xFF\xFE" "T\0x\0t\0", 8))}),
     {.comment = u"Txt"}},
    {"COMM without a description", V3({Frame3("COMM", Bytes("\0eng\0Note", 9))}), {.comment = u"Note"}},
    {"iTunes' comments after the comment do not replace it",
     V3({Frame3("COMM", Bytes("\0eng\0Real comment", 17)),
         Frame3("COMM", Bytes("\0engiTunNORM\0 00000170 00000162", 31)),
         Frame3("COMM", Bytes("\0engiTunPGAP\0" "1", 14))}),
     {.comment = u"Real comment"}},
    {"a comment with a description stands in when none is without one, but iTunes' never",
     V3({Frame3("COMM", Bytes("\0engSongs-DB\0Custom", 19)), Frame3("COMM", Bytes("\0engiTunSMPB\0 00000000", 22))}),
     {.comment = u"Custom"}},
    {"the comment without a description wins wherever it stands",
     V3({Frame3("COMM", Bytes("\0eng\0Plain", 10)), Frame3("COMM", Bytes("\0engnote\0Described", 18))}),
     {.comment = u"Plain"}},
    {"iTunes' comments alone give no comment", V3({Frame3("COMM", Bytes("\0engiTunPGAP\0" "0", 14))}), {}},
    {"COMM cut before its terminator has no text", V3({Frame3("COMM", Bytes("\0engDescription", 15))}), {}},
    {"WXXX: the URL is single-byte text even after a UTF-16 description",
     V3({Frame3("WXXX", Bytes("\x01\xFF\xFEh\0\0\0", 7) + "http://example.org/")}), {.link = u"http://example.org/"}},
    {"at most 500 bytes of a frame are taken; the next frame starts after the whole frame",
     V3({Frame3("TIT2", Latin(Bytes(700, 'x'))), Frame3("TPE1", Latin("Next"))}),
     {.title = std::u16string(499, u'x'), .artist = u"Next"}},
    {"2.3: encrypted frames, and compressed frames that do not inflate, are skipped",
     V3({Frame3("TIT2", Latin("Plain")), Frame3("TIT2", Latin("Zipped"), 0x0080),
         Frame3("TALB", Latin("Secret"), 0x0040), Frame3("TPE1", Latin("After"))}),
     {.title = u"Plain", .artist = u"After"}},
    {"2.3: a compressed frame is inflated (its size before compression comes first)",
     V3({Frame3("TIT2", test::BigEndian32(17) + kZipped23Title, 0x0080)}), {.title = u"Zipped 2.3 title"}},
    {"2.3: a group byte comes before the content", V3({Frame3("TPE1", '\x05' + Latin("Grouped"), 0x0020)}),
     {.artist = u"Grouped"}},
    {"2.3: an unsynchronised tag is undone whole; frame sizes count the bytes before",
     Id3v2Tag(3, test::Unsynchronised(Frame3("TIT2", Utf16(1, u"\u00FF\u00E9", true, false)) +
                                      Frame3("TPE1", Utf16(1, u"\u00FFnd on", true, false))),
              0x80),
     {.title = u"\u00FF\u00E9", .artist = u"\u00FFnd on"}},
    {"2.2: an unsynchronised tag is undone whole",
     Id3v2Tag(2, test::Unsynchronised(Id3v2Frame(2, "TT2", Utf16(1, u"\u00FF two", true, false))), 0x80),
     {.title = u"\u00FF two"}},
    {"2.3: the extended header is skipped (its size leaves out the four size bytes)",
     V3({test::BigEndian32(6) + Bytes(6, '\0'), Frame3("TIT2", Latin("Behind"))}, 0x40), {.title = u"Behind"}},
    {"a frame of size 0 has nothing to read; the walk goes on",
     V3({Frame3("TIT2", ""), Frame3("TPE1", Latin("After"))}), {.artist = u"After"}},
    {"padding ends the walk", Id3v2Tag(3, Frame3("TIT2", Latin("T")) + Bytes(8, '\0') + Frame3("TPE1", Latin("never"))),
     {.title = u"T"}},
    {"an ID that does not start with a capital ends the walk",
     V3({Frame3("TIT2", Latin("T")), Frame3("tPE1", Latin("x")), Frame3("TALB", Latin("never"))}), {.title = u"T"}},
    {"a frame that runs past the tag ends the walk; what came before stays",
     Id3v2Tag(3, Frame3("TIT2", Latin("Kept")) + "TPE1" + test::BigEndian32(1000) + Bytes("\0\0\0Lost", 7)) +
         Bytes(2000, 'A'),
     {.title = u"Kept"}},
    {"2.4: sizes are syncsafe (00 00 01 48 is 200 bytes)",
     V4({"PRIV" + Bytes("\0\0\x01\x48\0\0", 6) + Bytes(200, 'p'), Frame4("TPE1", Latin("After 200"))}),
     {.artist = u"After 200"}},
    {"2.4: encrypted frames, and compressed ones that do not inflate, are skipped (flags in the low bits)",
     V4({Frame4("TIT2", Latin("Plain")), Frame4("TIT2", "\0\0\0\x20x\x9c...", 0x0009),
         Frame4("TALB", Latin("Secret"), 0x0004), Frame4("TCON", Bytes("\0\0\0\x08", 4) + Latin("Ambient"), 0x0001)}),
     {.title = u"Plain", .genre = u"Ambient"}},
    {"2.4: a compressed frame is inflated, no further than its data length",
     V4({Frame4("TIT2", test::Syncsafe32(15) + kInflatedTitle, 0x0009),
         Frame4("TPE1", test::Syncsafe32(9) + kInflatedTitle, 0x0009)}),
     {.title = u"Inflated Title", .artist = u"Inflated"}},
    {"2.4: a group byte, then the data length",
     V4({Frame4("TALB", '\x07' + test::Syncsafe32(6) + Latin("Album"), 0x0041)}), {.album = u"Album"}},
    {"2.4: a frame flagged unsynchronised is undone, with or without a data length",
     V4({Frame4("TIT2", test::Unsynchronised(Utf16(1, u"\u00FF\u00E9", true, false)), 0x0002),
         Frame4("TPE1", test::Syncsafe32(9) + test::Unsynchronised(Utf16(1, u"\u00FFab", true, false)), 0x0003)}),
     {.title = u"\u00FF\u00E9", .artist = u"\u00FFab"}},
    {"2.4: an unsynchronised tag has every frame unsynchronised",
     V4({Frame4("TIT2", test::Unsynchronised(Utf16(1, u"\u00FF\u00FF", true, true)))}, 0x80),
     {.title = u"\u00FF\u00FF"}},
    {"2.4: the extended header is skipped (a syncsafe size that counts itself)",
     V4({Frame4("TIT2", Latin("Behind"))}, 0x40, Bytes("\0\0\0\x06\x01\0", 6)), {.title = u"Behind"}},
    {"2.4: TDRC gives the year", V4({Frame4("TDRC", Utf8("2020-05-06T10:00"))}), {.year = u"2020"}},
};

TEST(ID3v2, ReadsTheFramesOfEachVersion) {
  for (const Case& c : kFrameCases) {
    SCOPED_TRACE(c.what);
    MemoryByteSource source(test::AsBytes(c.file));
    TID3v2 tag;
    ASSERT_TRUE(tag.Read(source));
    ASSERT_TRUE(tag.Exists);
    const Fields& e = c.expected;
    EXPECT_EQ(tag.Title, e.title);
    EXPECT_EQ(tag.Artist, e.artist);
    EXPECT_EQ(tag.Album, e.album);
    EXPECT_EQ(tag.Track, e.track);
    EXPECT_EQ(tag.TrackString, e.trackText);
    EXPECT_EQ(tag.Year, e.year);
    EXPECT_EQ(tag.Genre, e.genre);
    EXPECT_EQ(tag.Comment, e.comment);
    EXPECT_EQ(tag.Composer, e.composer);
    EXPECT_EQ(tag.Encoder, e.encoder);
    EXPECT_EQ(tag.Copyright, e.copyright);
    EXPECT_EQ(tag.Language, e.language);
    EXPECT_EQ(tag.Link, e.link);
  }
}

TEST(ID3v2, TheHeaderGivesPresenceVersionAndSize) {
  const Bytes frames = Frame3("TIT2", Latin("Title"));
  struct {
    const char* what;
    Bytes file;
    bool read, exists;
    int version;
    std::uint32_t size;
    const char16_t* title;
  } cases[] = {
      {"fewer than 10 bytes", "ID3\3\0\0\0\0", false, false, 0, 0, u""},
      {"no tag", Bytes(100, '\0'), true, false, 0, 0, u""},
      {"2.3: size = syncsafe + 10", Id3v2Tag(3, frames) + Bytes(10, 'A'), true, true, 3,
       std::uint32_t(frames.size() + 10), u"Title"},
      {"a footer adds 10", Id3v2Tag(3, frames, 0x10) + Bytes(20, 'A'), true, true, 3, std::uint32_t(frames.size() + 20),
       u"Title"},
      {"a size beyond the file is 0, and nothing is read", Id3v2Tag(3, frames, 0, 1000), true, true, 3, 0, u""},
      {"a whole-file tag is fine", Id3v2Tag(3, frames), true, true, 3, std::uint32_t(frames.size() + 10), u"Title"},
      {"an unknown version keeps presence, version and size only", Id3v2Tag(5, frames), true, true, 5,
       std::uint32_t(frames.size() + 10), u""},
      {"size bytes are read seven bits each", Bytes("ID3\3\0\0\x01\x01\x01\x01", 10) + Bytes(0x204081, '\0'), true,
       true, 3, 0x204081 + 10, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MemoryByteSource source(test::AsBytes(c.file));
    TID3v2 tag;
    EXPECT_EQ(tag.Read(source), c.read);
    EXPECT_EQ(tag.Exists, c.exists);
    EXPECT_EQ(tag.VersionID, c.version);
    EXPECT_EQ(tag.Size, c.size);
    EXPECT_EQ(tag.Title, c.title);
  }
}

TEST(ID3v2, LargeFramesThePlayerDoesNotKeepAreSkippedUnread) {
  const Bytes picture = Frame3("APIC", Bytes(300000, 'p'));
  const Bytes small = Frame3("TIT2", Latin("Title")) + Frame3("TPE1", Latin("Artist"));
  struct {
    const char* what;
    Bytes tag;
    int reads;
  } cases[] = {
      {"a small tag: one read", Id3v2Tag(3, small + Bytes(2000, '\0')), 1},
      {"a small picture first: one window after it", Id3v2Tag(3, Frame3("APIC", Bytes(40000, 'p')) + small), 2},
      {"a picture first: a window after it", Id3v2Tag(3, picture + small + Bytes(1000, '\0')), 2},
      {"a picture last: the padding after it", Id3v2Tag(3, small + picture + Bytes(1000, '\0')), 2},
      {"two pictures, a window after each", Id3v2Tag(3, picture + Frame3("TIT2", Latin("Title")) + picture +
                                                            Frame3("TPE1", Latin("Artist"))),
       3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes file = c.tag + Bytes(100000, 'A');
    MemoryByteSource memory(test::AsBytes(file));
    test::CountingSource source(memory);
    TID3v2 tag;
    ASSERT_TRUE(tag.Read(source));
    EXPECT_EQ(tag.Size, c.tag.size());
    EXPECT_EQ(tag.Title, u"Title");
    EXPECT_EQ(tag.Artist, u"Artist");
    EXPECT_EQ(source.Reads(), c.reads);
    EXPECT_LE(source.BytesRead(), 100000u) << "the pictures were not read";
  }
}

TEST(ID3v2, FramesBeyondTheCapAreNotRead) {
  // A 6 MiB tag: the stated size is kept (the audio is still found after it), but no frame beyond 4 MiB is read.
  const Bytes file = Id3v2Tag(3, Frame3("TIT2", Latin("Early")) + Frame3("APIC", Bytes(5u << 20, 'p')) +
                                     Frame3("TPE1", Latin("Late")) + Bytes(1u << 20, '\0')) +
                     "audio";
  MemoryByteSource source(test::AsBytes(file));
  TID3v2 tag;
  ASSERT_TRUE(tag.Read(source));
  EXPECT_EQ(tag.Size, file.size() - 5);
  EXPECT_EQ(tag.Title, u"Early");
  EXPECT_EQ(tag.Artist, u"");
}

}  // namespace
}  // namespace nv
