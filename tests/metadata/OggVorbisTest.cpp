// Ogg Vorbis: the identification header, comment headers over one or many pages, the last page's granule position
// and the length estimated from the nominal bitrate.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "metadata/OggVorbis.h"
#include "support/Errors.h"
#include "tests/metadata/MediaBytes.h"

namespace nv {
namespace {

using test::Bytes;
using test::LittleEndian32;

constexpr std::uint32_t kSerial = 0x1234;

Bytes Identification(std::uint8_t channels, std::uint32_t rate, std::int32_t nominal) {
  return Bytes("\x01vorbis", 7) + LittleEndian32(0) + char(channels) + LittleEndian32(rate) + LittleEndian32(0) +
         LittleEndian32(std::uint32_t(nominal)) + LittleEndian32(0) + "\xB8\x01";
}

Bytes String(std::string_view s) { return LittleEndian32(std::uint32_t(s.size())) + Bytes(s); }

Bytes Comments(std::string_view vendor, std::initializer_list<std::string_view> comments) {
  Bytes packet = Bytes("\x03vorbis", 7) + String(vendor) + LittleEndian32(std::uint32_t(comments.size()));
  for (std::string_view c : comments) packet += String(c);
  return packet + '\x01';
}

// Pages of `serial` carrying `packets` one after the other, at most `perPage` lacing values a page.
std::vector<Bytes> Pages(std::uint32_t serial, const std::vector<Bytes>& packets, std::size_t perPage = 255) {
  std::vector<std::pair<std::uint8_t, Bytes>> segments;
  for (const Bytes& p : packets) {
    std::size_t i = 0;
    for (; p.size() - i >= 255; i += 255) segments.push_back({255, p.substr(i, 255)});
    segments.push_back({std::uint8_t(p.size() - i), p.substr(i)});
  }
  std::vector<Bytes> pages;
  for (std::size_t first = 0; first < segments.size(); first += perPage) {
    Bytes lacing, body;
    for (std::size_t i = first; i < std::min(segments.size(), first + perPage); ++i) {
      lacing += char(segments[i].first);
      body += segments[i].second;
    }
    pages.push_back(Bytes("OggS", 4) + Bytes(2, '\0') + test::LittleEndian64(0) + LittleEndian32(serial) +
                    Bytes(8, '\0') + char(lacing.size()) + lacing + body);
  }
  return pages;
}

Bytes Join(const std::vector<Bytes>& pages) {
  Bytes out;
  for (const Bytes& p : pages) out += p;
  return out;
}

// A whole file: identification, comments and setup headers, `audio` bytes, a last page with `granule`.
Bytes OggFile(const Bytes& id, const Bytes& comments, std::size_t audio, std::uint64_t granule) {
  return test::OggPage(kSerial, 0, {30}, id, 2) + Join(Pages(kSerial, {comments, Bytes(40, 's')})) +
         Bytes(audio, 'a') + test::OggPage(kSerial, granule, {100}, Bytes(100, 'e'), 4);
}

const Bytes kStereo = Identification(2, 44100, 128000);
const Bytes kBasic = Comments("Vendor 1.0", {"TITLE=Title", "ARTIST=Artist", "ALBUM=Album", "TRACKNUMBER= 3/12 ",
                                             "DATE=2004", "GENRE=Genre", "COMMENT=Comment"});

TOggVorbis Read(const Bytes& file) {
  MemoryByteSource source(test::AsBytes(file));
  TOggVorbis ogg;
  EXPECT_TRUE(ogg.Read(source));
  return ogg;
}

TEST(OggVorbis, TheIdentificationHeaderGivesChannelsRateAndNominalBitrate) {
  struct {
    const char* what;
    Bytes id;
    int mode;
    const char* modeName;
    int rate, nominal;
  } cases[] = {
      {"stereo", Identification(2, 44100, 128000), 2, "Stereo", 44100, 128},
      {"mono", Identification(1, 22050, 64999), 1, "Mono", 22050, 64},
      {"more channels are unknown", Identification(6, 48000, 256000), 0, "Unknown", 48000, 256},
      {"the lowest rate taken", Identification(2, 8000, 32000), 2, "Stereo", 8000, 32},
      {"rates outside 8000..48000 count as 0", Identification(2, 96000, 128000), 2, "Stereo", 0, 128},
      {"below", Identification(2, 7999, 128000), 2, "Stereo", 0, 128},
      {"an unset nominal bitrate", Identification(2, 44100, -1), 2, "Stereo", 44100, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TOggVorbis ogg = Read(OggFile(c.id, kBasic, 1000, 0));
    EXPECT_TRUE(ogg.IsVorbis());
    EXPECT_EQ(ogg.ChannelModeID, c.mode);
    EXPECT_EQ(ogg.ChannelMode(), c.modeName);
    EXPECT_EQ(ogg.SampleRate, c.rate);
    EXPECT_EQ(ogg.BitRateNominal, c.nominal);
  }
}

TEST(OggVorbis, AnythingButAVorbisIdentificationIsNotRead) {
  Bytes notVorbis = OggFile(kStereo, kBasic, 1000, 44100);
  notVorbis[28 + 6] = 'z';  // "vorbiz"
  const TOggVorbis ogg = Read(notVorbis);
  EXPECT_FALSE(ogg.IsVorbis());
  EXPECT_EQ(ogg.Title, "");
  EXPECT_EQ(ogg.Samples, 0u);

  const Bytes shortFile = OggFile(kStereo, kBasic, 0, 0).substr(0, 57);
  MemoryByteSource source(test::AsBytes(shortFile));
  TOggVorbis tooShort;
  EXPECT_FALSE(tooShort.Read(source)) << "the identification packet is not all there";
}

TEST(OggVorbis, ReadsTheCommentsThePlayerShows) {
  struct {
    const char* what;
    Bytes comments;
    std::string title, artist, album, date, genre, comment, vendor;
    int track;
  } cases[] = {
      {"every field", kBasic, "Title", "Artist", "Album", "2004", "Genre", "Comment", "Vendor 1.0", 3},
      {"names in any case; a later comment replaces an earlier one",
       Comments("V", {"title=First", "Title=Second", "tracknumber=12"}), "Second", "", "", "", "", "", "V", 12},
      {"a value may hold \"=\"", Comments("V", {"TITLE=a=b"}), "a=b", "", "", "", "", "", "V", 0},
      {"a string without \"=\" is taken as the vendor", Comments("V", {"TITLE=T", "just text"}), "T", "", "", "", "",
       "", "just text", 0},
      {"other names are passed over", Comments("V", {"REPLAYGAIN=1", "TITLEX=no", "TITLE=yes"}), "yes", "", "", "", "",
       "", "V", 0},
      {"a track that is no number is 0", Comments("V", {"TRACKNUMBER=A1"}), "", "", "", "", "", "", "V", 0},
      {"a count larger than the list reads what is there", Bytes("\x03vorbis", 7) + String("V") + LittleEndian32(99) +
                                                               String("TITLE=T") + '\x01',
       "T", "", "", "", "", "", "V", 0},
      {"a string longer than the packet ends the list",
       Bytes("\x03vorbis", 7) + String("V") + LittleEndian32(2) + String("TITLE=T") + LittleEndian32(5000) + "ARTIST=A",
       "T", "", "", "", "", "", "V", 0},
      {"at most 250 bytes of a string are kept; reading goes on after it",
       Comments("V", {"COMMENT=" + Bytes(400, 'x'), "TITLE=After"}), "After", "", "", "", "", Bytes(242, 'x'),
       "V", 0},
      {"a cut never ends inside a UTF-8 sequence: the cut character goes",
       Comments("V", {"TITLE=" + Bytes(243, 'a') + "\xC3\xA9\xC3\xA9"}), Bytes(243, 'a'), "", "", "", "", "",
       "V", 0},
      {"a cut between characters keeps them all", Comments("V", {"TITLE=" + Bytes(242, 'a') + "\xC3\xA9\xC3\xA9"}),
       Bytes(242, 'a') + "\xE9", "", "", "", "", "", "V", 0},
      {"non-ANSI text is held marked", Comments("V", {"TITLE=\xD0\x96"}), "\x01\xD0\x96", "", "", "", "", "", "V", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TOggVorbis ogg = Read(OggFile(kStereo, c.comments, 1000, 0));
    EXPECT_EQ(ogg.Title, c.title);
    EXPECT_EQ(ogg.Artist, c.artist);
    EXPECT_EQ(ogg.Album, c.album);
    EXPECT_EQ(ogg.Date, c.date);
    EXPECT_EQ(ogg.Genre, c.genre);
    EXPECT_EQ(ogg.Comment, c.comment);
    EXPECT_EQ(ogg.Vendor, c.vendor);
    EXPECT_EQ(ogg.TrackNumber, c.track);
  }
}

TEST(OggVorbis, ACommentHeaderOverManyPagesIsReadAcrossThem) {
  const Bytes comments = Comments("V", {"COMMENT=" + Bytes(200000, 'x'), "TITLE=After 200 KB", "ARTIST=A"});
  // Pages of at most 40 segments, and a page of another stream among them.
  std::vector<Bytes> pages = Pages(kSerial, {comments, Bytes(40, 's')}, 40);
  pages.insert(pages.begin() + 3, test::OggPage(99, 0, {255, 10}, Bytes(265, 'o')));
  const Bytes file = test::OggPage(kSerial, 0, {30}, kStereo, 2) + Join(pages) + Bytes(5000, 'a') +
                     test::OggPage(kSerial, 441000, {10}, Bytes(10, 'e'));
  MemoryByteSource memory(test::AsBytes(file));
  test::CountingSource source(memory);
  TOggVorbis ogg;
  ASSERT_TRUE(ogg.Read(source));
  EXPECT_EQ(ogg.Title, "After 200 KB");
  EXPECT_EQ(ogg.Artist, "A");
  EXPECT_EQ(ogg.Samples, 441000u);
  EXPECT_LT(source.BytesRead(), 100000u) << "the long comment is passed over page by page, not read";
}

TEST(OggVorbis, OneBadCommentFailsTheReadButOnlyIfThePlayerKeepsIt) {
  const Bytes file = OggFile(kStereo, Comments("V", {"TITLE=Bad \xFF"}), 100, 0);
  MemoryByteSource bad(test::AsBytes(file));
  TOggVorbis ogg;
  try {
    ogg.Read(bad);
    ADD_FAILURE() << "read";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Invalid UTF8 string.");
  }
  EXPECT_EQ(Read(OggFile(kStereo, Comments("V", {"LYRICS=Bad \xFF", "TITLE=Fine"}), 100, 0)).Title, "Fine");
}

TEST(OggVorbis, TheLengthComesFromTheLastPage) {
  const Bytes file = OggFile(kStereo, kBasic, 30000, 44100 * 3);
  struct {
    const char* what;
    Bytes file;
    std::uint32_t samples;
  } cases[] = {
      {"the last page's granule position", file, 132300},
      {"its low 32 bits", OggFile(kStereo, kBasic, 30000, (1ull << 32) + 5), 5},
      {"a small file: the windows before its start are passed over", OggFile(kStereo, kBasic, 10, 44100), 44100},
      {"\"OggS\" too near the end to hold a granule is no page", file + Bytes(300, 'z') + Bytes("OggS\0\0\0\0", 8),
       132300},
      {"a page that ends no packet (granule -1) says nothing",
       file + Bytes(300, 'z') + test::OggPage(kSerial, ~0ull, {10}, Bytes(10, 'c')), 132300},
      {"no page in the last 12010 bytes", file + Bytes(12100, 'z'), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TOggVorbis ogg = Read(c.file);
    EXPECT_EQ(ogg.Samples, c.samples);
  }
}

TEST(OggVorbis, DurationAndBitrate) {
  const std::size_t pad = 12100;  // no page at the end: the length is estimated
  struct {
    const char* what;
    Bytes file;
    double duration;
  } cases[] = {
      {"samples over the rate", OggFile(kStereo, kBasic, 30000, 44100 * 3), 3.0},
      {"estimated from the nominal bitrate", OggFile(kStereo, kBasic, pad, 0) + Bytes(pad, 'z'), -1},
      {"which counts every channel: mono is not doubled",
       OggFile(Identification(1, 44100, 64000), kBasic, pad, 0) + Bytes(pad, 'z'), -1},
      {"a rate outside the range is estimated too", OggFile(Identification(2, 96000, 128000), kBasic, 30000, 288000),
       -1},
      {"nothing to go by", OggFile(Identification(0, 44100, 128000), kBasic, pad, 0) + Bytes(pad, 'z'), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TOggVorbis ogg = Read(c.file);
    const double expected = c.duration >= 0 ? c.duration : double(c.file.size()) / ogg.BitRateNominal / 125;
    EXPECT_NEAR(ogg.Duration(), expected, 1e-9);
    EXPECT_EQ(ogg.BitRate(), expected > 0 ? std::lround(c.file.size() / expected / 125) : 0);
  }
}

TEST(OggVorbis, ReadsTheStartAndTheEndOnce) {
  const Bytes file = OggFile(kStereo, kBasic, 100000, 44100);
  MemoryByteSource memory(test::AsBytes(file));
  test::CountingSource source(memory);
  TOggVorbis ogg;
  ASSERT_TRUE(ogg.Read(source));
  EXPECT_EQ(ogg.Title, "Title");
  EXPECT_EQ(ogg.Samples, 44100u);
  EXPECT_EQ(source.Reads(), 2);
}

}  // namespace
}  // namespace nv
