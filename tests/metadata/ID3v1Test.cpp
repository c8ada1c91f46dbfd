// ID3v1: the last 128 bytes, version 1.0 or 1.1, fixed-width code-page fields.
#include <gtest/gtest.h>

#include "metadata/ID3v1.h"
#include "tests/metadata/MediaBytes.h"

namespace nv {
namespace {

using test::Bytes;

struct Case {
  const char* what;
  Bytes file;
  bool exists;
  int version;
  const char *title, *artist, *album, *year, *comment;
  int track;
  int genre;
};

// A comment field of 30 bytes: 28 of text, then bytes 28 and 29 as given.
Bytes Comment(std::string_view text, char byte28, char byte29) {
  Bytes c(text);
  c.resize(28, '\0');
  return c + byte28 + byte29;
}

const Case kCases[] = {
    {"1.0, every field", Bytes(500, 'x') + test::Id3v1Tag("Title", "Artist", "Album", "1999", "Comment", 17), true, 1,
     "Title", "Artist", "Album", "1999", "Comment", 0, 17},
    {"trailing blanks and zeros go, leading blanks stay",
     test::Id3v1Tag("  Title   ", "Artist \0\0 ", "", "", "", 255), true, 1, "  Title", "Artist", "", "", "", 0, 255},
    {"a zero ends a field: what follows is the writer's left-over memory",
     test::Id3v1Tag(Bytes("Title\0junk", 10), "", "", "", "", 0), true, 1, "Title", "", "", "", "", 0, 0},
    {"1.1: byte 28 zero, byte 29 the track", test::Id3v1Tag("T", "", "", "", Comment("Short", '\0', 7), 13), true, 2,
     "T", "", "", "", "Short", 7, 13},
    {"1.1 from writers that pad with blanks", test::Id3v1Tag("T", "", "", "", Comment("Note", ' ', 'x'), 0), true, 2,
     "T", "", "", "", "Note", 'x', 0},
    {"both last bytes zero: 1.0", test::Id3v1Tag("T", "", "", "", Comment("Note", '\0', '\0'), 0), true, 1, "T", "", "",
     "", "Note", 0, 0},
    {"thirty characters of comment: 1.0",
     test::Id3v1Tag("T", "", "", "", "A comment of exactly thirty c.", 0), true, 1, "T", "", "", "",
     "A comment of exactly thirty c.", 0, 0},
    {"code-page text is kept as bytes", test::Id3v1Tag("Caf\xE9", "", "", "", "", 0), true, 1, "Caf\xE9", "", "", "",
     "", 0, 0},
    {"\"TAG\" is case-sensitive", "tag" + test::Id3v1Tag("Title", "", "", "", "", 0).substr(3), false, 0, "", "", "",
     "", "", 0, 255},
    {"no tag", Bytes(200, '\0'), false, 0, "", "", "", "", "", 0, 255},
};

TEST(ID3v1, ReadsEachLayout) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    MemoryByteSource source(test::AsBytes(c.file));
    TID3v1 tag;
    ASSERT_TRUE(tag.Read(source));
    EXPECT_EQ(tag.Exists, c.exists);
    EXPECT_EQ(tag.Version, c.version);
    EXPECT_EQ(tag.Title, c.title);
    EXPECT_EQ(tag.Artist, c.artist);
    EXPECT_EQ(tag.Album, c.album);
    EXPECT_EQ(tag.Year, c.year);
    EXPECT_EQ(tag.Comment, c.comment);
    EXPECT_EQ(tag.Track, c.track);
    EXPECT_EQ(tag.GenreID, c.genre);
  }
}

TEST(ID3v1, AFileShorterThanATagCannotBeRead) {
  const Bytes file = test::Id3v1Tag("Title", "", "", "", "", 0).substr(1);
  MemoryByteSource source(test::AsBytes(file));
  TID3v1 tag;
  tag.Title = "stale";
  EXPECT_FALSE(tag.Read(source));
  EXPECT_FALSE(tag.Exists);
  EXPECT_EQ(tag.Title, "") << "fields are reset first";
}

TEST(ID3v1, GenreNamesIncludeTheWinampExtensions) {
  EXPECT_EQ(ID3v1GenreName(0), "Blues");
  EXPECT_EQ(ID3v1GenreName(17), "Rock");
  EXPECT_EQ(ID3v1GenreName(79), "Hard Rock");
  EXPECT_EQ(ID3v1GenreName(80), "Folk");
  EXPECT_EQ(ID3v1GenreName(147), "Synthpop");
  EXPECT_EQ(ID3v1GenreName(148), "");
  EXPECT_EQ(ID3v1GenreName(255), "");
  EXPECT_EQ(ID3v1GenreName(-1), "");
}

}  // namespace
}  // namespace nv
