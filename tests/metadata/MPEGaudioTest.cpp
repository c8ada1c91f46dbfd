// MPEG audio: the frame-pair search, frame lengths of every version and layer, Xing and VBRI headers, the encoder
// search, duration and bitrate, and how few reads it takes.
#include <gtest/gtest.h>

#include "metadata/MPEGaudio.h"
#include "tests/metadata/MediaBytes.h"

namespace nv {
namespace {

using test::Bytes;
using test::MpegFrames;

// Frame headers: sync, version, layer, protection | bitrate, sample rate, padding | mode, ...
const Bytes kMpeg1L3("\xFF\xFB\x90\x00", 4);        // MPEG-1 Layer III, 128 kbit/s, 44.1 kHz, stereo: 417 bytes
const Bytes kMpeg1L3Padded("\xFF\xFB\x92\x00", 4);  // the same, padded: 418
const Bytes kMpeg1L3Mono("\xFF\xFB\x90\xC0", 4);
const Bytes kMpeg2L3("\xFF\xF3\x80\x00", 4);        // MPEG-2 Layer III, 64 kbit/s, 22.05 kHz: 208
const Bytes kMpeg2L3Mono("\xFF\xF3\x80\xC0", 4);
const Bytes kMpeg25L3("\xFF\xE3\x18\xC0", 4);       // MPEG-2.5 Layer III, 8 kbit/s, 8 kHz, mono: 72
const Bytes kMpeg1L2("\xFF\xFD\xE8\x00", 4);        // MPEG-1 Layer II, 384 kbit/s, 32 kHz: 1728
const Bytes kMpeg25L2Padded("\xFF\xE5\xEA\x00", 4);  // MPEG-2.5 Layer II, 160 kbit/s, 8 kHz, padded: 2881, the longest
const Bytes kMpeg1L1("\xFF\xFF\x10\x00", 4);        // MPEG-1 Layer I, 32 kbit/s, 44.1 kHz: 8 slots of 4 bytes
const Bytes kMpeg1L1Padded("\xFF\xFF\x12\x00", 4);  // the same and a padding slot: 36
const Bytes kMpeg2L1("\xFF\xF7\x40\x00", 4);        // MPEG-2 Layer I, 64 kbit/s, 22.05 kHz: 34 slots, 136 bytes

TMPEGaudio Read(const Bytes& file, bool expected = true) {
  MemoryByteSource source(test::AsBytes(file));
  TMPEGaudio mpeg;
  EXPECT_EQ(mpeg.Read(source), expected);
  return mpeg;
}

TEST(MPEGaudio, FindsFramesOfEveryVersionAndLayer) {
  struct {
    const char* what;
    Bytes header;
    std::uint32_t length;
    int version, layer, bitrate, sampleRate, channels;
  } cases[] = {
      {"MPEG-1 Layer III", kMpeg1L3, 417, 3, 1, 128, 44100, 2},
      {"padded", kMpeg1L3Padded, 418, 3, 1, 128, 44100, 2},
      {"MPEG-2 Layer III: 576 samples a frame", kMpeg2L3, 208, 2, 1, 64, 22050, 2},
      {"MPEG-2.5 Layer III", kMpeg25L3, 72, 0, 1, 8, 8000, 1},
      {"MPEG-1 Layer II", kMpeg1L2, 1728, 3, 2, 384, 32000, 2},
      {"the longest frame", kMpeg25L2Padded, 2881, 0, 2, 160, 8000, 2},
      {"Layer I counts four-byte slots", kMpeg1L1, 32, 3, 3, 32, 44100, 2},
      {"a Layer I padding slot is four bytes", kMpeg1L1Padded, 36, 3, 3, 32, 44100, 2},
      {"Layer I holds 384 samples in MPEG-2 too", kMpeg2L1, 136, 2, 3, 64, 22050, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TMPEGaudio mpeg = Read(MpegFrames(c.header, c.length, 12));
    ASSERT_TRUE(mpeg.Frame.Found);
    EXPECT_EQ(mpeg.Frame.Position, 0u);
    EXPECT_EQ(mpeg.Frame.Size, c.length);
    EXPECT_EQ(mpeg.Frame.VersionID, c.version);
    EXPECT_EQ(mpeg.Frame.LayerID, c.layer);
    EXPECT_EQ(mpeg.BitRate(), c.bitrate);
    EXPECT_EQ(mpeg.SampleRate(), c.sampleRate);
    EXPECT_EQ(mpeg.Channels(), c.channels);
    EXPECT_TRUE(mpeg.Frame.Empty);
  }
}

TEST(MPEGaudio, AFrameIsAValidHeaderWithAnotherOneFrameLater) {
  const Bytes frames = MpegFrames(kMpeg1L3, 417, 10);
  struct {
    const char* what;
    Bytes file;
    bool found;
    std::uint32_t position;
  } cases[] = {
      {"after other bytes", Bytes(100, 'x') + frames, true, 100},
      {"a lone header is passed over", kMpeg1L3 + Bytes(300, 'x') + frames, true, 304},
      {"the last position searched", Bytes(1729, 'x') + MpegFrames(kMpeg1L3, 417, 2), true, 1729},
      {"one beyond it (and the file is too short for a second search)", Bytes(1730, 'x') + MpegFrames(kMpeg1L3, 417, 2),
       false, 0},
      {"version bits 01 are reserved", MpegFrames(Bytes("\xFF\xEB\x90\x00", 4), 417, 10), false, 0},
      {"layer bits 00 are reserved", MpegFrames(Bytes("\xFF\xF9\x90\x00", 4), 417, 10), false, 0},
      {"bitrate index 0 (free format)", MpegFrames(Bytes("\xFF\xFB\x00\x00", 4), 417, 10), false, 0},
      {"bitrate index 15", MpegFrames(Bytes("\xFF\xFB\xF0\x00", 4), 417, 10), false, 0},
      {"sample-rate index 3", MpegFrames(Bytes("\xFF\xFB\x9C\x00", 4), 417, 10), false, 0},
      {"emphasis 2 is reserved", MpegFrames(Bytes("\xFF\xFB\x90\x02", 4), 417, 10), false, 0},
      {"eleven sync bits", MpegFrames(Bytes("\xFF\xDB\x90\x00", 4), 417, 10), false, 0},
      {"a second header one byte off", kMpeg1L3 + Bytes(414, 'x') + MpegFrames(kMpeg1L3, 417, 1), false, 0},
      {"a short file: frames are found in what there is", MpegFrames(kMpeg1L3, 417, 3), true, 0},
      {"the second header would lie past the end", Bytes(200, 'x') + kMpeg1L3 + Bytes(500, 'x'), false, 0},
      {"the longest frame as the last candidate: its partner is read too",
       Bytes(1729, 'x') + MpegFrames(kMpeg25L2Padded, 2881, 2), true, 1729},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TMPEGaudio mpeg = Read(c.file);
    EXPECT_EQ(mpeg.Frame.Found, c.found);
    if (c.found) {
      EXPECT_EQ(mpeg.Frame.Position, c.position);
    }
  }
}

// A first frame holding a VBR header at `offset`.
Bytes WithHeaderAt(const Bytes& header, std::uint32_t length, std::size_t offset, const Bytes& vbr) {
  Bytes frame = header + Bytes(offset - 4, '\0') + vbr;
  frame.resize(length, '\0');
  return frame;
}

Bytes Xing(std::uint32_t frames, std::uint32_t bytes, std::uint8_t scale = 0, std::string_view vendor = "") {
  Bytes x = "Xing" + test::BigEndian32(15) + test::BigEndian32(frames) + test::BigEndian32(bytes) + Bytes(100, '\0');
  x.resize(119, '\0');
  return x + char(scale) + Bytes(vendor);
}

Bytes Vbri(std::uint32_t frames, std::uint32_t bytes, std::uint8_t quality = 75) {
  return Bytes("VBRI\0\x01\x02\x40\0", 9) + char(quality) + test::BigEndian32(bytes) + test::BigEndian32(frames);
}

TEST(MPEGaudio, VBRHeadersGiveDurationAndBitrate) {
  struct {
    const char* what;
    Bytes file;
    const char* kind;
    std::uint32_t frames, bytes;
    int bitrate;
    double duration;
  } cases[] = {
      {"Xing in MPEG-1 stereo, after 32 bytes of side information",
       WithHeaderAt(kMpeg1L3, 417, 36, Xing(1000, 417000, 78, "LAME3.99r")) + MpegFrames(kMpeg1L3, 417, 5), "Xing",
       1000, 417000, 128, 1000 * 1152 / 44100.0},
      {"Xing in MPEG-1 mono, after 17", WithHeaderAt(kMpeg1L3Mono, 417, 21, Xing(500, 100000)) +
                                            MpegFrames(kMpeg1L3Mono, 417, 5),
       "Xing", 500, 100000, 61, 500 * 1152 / 44100.0},
      {"Xing in MPEG-2 stereo, after 17: 576 samples a frame",
       WithHeaderAt(kMpeg2L3, 208, 21, Xing(2000, 416000)) + MpegFrames(kMpeg2L3, 208, 5), "Xing", 2000, 416000, 64,
       2000 * 576 / 22050.0},
      {"Xing in MPEG-2 mono, after 9", WithHeaderAt(kMpeg2L3Mono, 208, 13, Xing(100, 10000)) +
                                           MpegFrames(kMpeg2L3Mono, 208, 5),
       "Xing", 100, 10000, 31, 100 * 576 / 22050.0},
      {"a padded first frame: its padding byte is not counted",
       WithHeaderAt(kMpeg1L3Padded, 418, 36, Xing(1000, 419000)) + MpegFrames(kMpeg1L3, 417, 5), "Xing", 1000, 419000,
       128, 1000 * 1152 / 44100.0},
      {"VBRI, 32 bytes after the header", WithHeaderAt(kMpeg1L3, 417, 36, Vbri(2000, 500000)) +
                                              MpegFrames(kMpeg1L3, 417, 5),
       "VBRI", 2000, 500000, 77, 2000 * 1152 / 44100.0},
      {"VBRI sits there in mono frames too", WithHeaderAt(kMpeg1L3Mono, 417, 36, Vbri(300, 90000)) +
                                                 MpegFrames(kMpeg1L3Mono, 417, 5),
       "VBRI", 300, 90000, 92, 300 * 1152 / 44100.0},
      {"a header without frames: the frame's own rate, the length from the size",
       WithHeaderAt(kMpeg1L3, 417, 36, Xing(0, 0)) + MpegFrames(kMpeg1L3, 417, 99), "Xing", 0, 0, 128,
       100 * 417 * 8 / 128000.0},
      {"Xing where a mono frame would not have it is not found",
       WithHeaderAt(kMpeg1L3Mono, 417, 36, Xing(500, 100000)) + MpegFrames(kMpeg1L3Mono, 417, 5), "", 0, 0, 128,
       6 * 417 * 8 / 128000.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TMPEGaudio mpeg = Read(c.file);
    ASSERT_TRUE(mpeg.Frame.Found);
    EXPECT_EQ(mpeg.VBR.Found, *c.kind != '\0');
    EXPECT_EQ(mpeg.VBR.ID, c.kind);
    EXPECT_EQ(mpeg.VBR.Frames, c.frames);
    EXPECT_EQ(mpeg.VBR.Bytes, c.bytes);
    EXPECT_EQ(mpeg.BitRate(), c.bitrate);
    EXPECT_NEAR(mpeg.Duration(), c.duration, 1e-9);
  }
  const TMPEGaudio xing = Read(WithHeaderAt(kMpeg1L3, 417, 36, Xing(1000, 417000, 78, "LAME3.99r")) +
                               MpegFrames(kMpeg1L3, 417, 5));
  EXPECT_EQ(xing.VBR.Scale, 78);
  EXPECT_EQ(xing.VBR.VendorID, "LAME3.99");
  EXPECT_EQ(Read(WithHeaderAt(kMpeg1L3, 417, 36, Vbri(1, 1, 60)) + MpegFrames(kMpeg1L3, 417, 5)).VBR.Scale, 60);
}

TEST(MPEGaudio, WithoutAVBRHeaderTheDurationComesFromTheAudioBytes) {
  const Bytes tag2 = test::Id3v2Tag(3, test::Id3v2Frame(3, "TIT2", Bytes("\0Title", 6)));
  const Bytes tag1 = test::Id3v1Tag("Old", "", "", "", "", 0);
  const Bytes audio = MpegFrames(kMpeg1L3, 417, 100);
  struct {
    const char* what;
    Bytes file;
    double audioBytes;
  } cases[] = {
      {"no tags", audio, 41700},
      {"the ID3v2 tag is left out", tag2 + audio, 41700},
      {"so is the ID3v1 tag", tag2 + audio + tag1, 41700},
      {"bytes before the first frame count as audio", tag2 + Bytes(50, 'x') + audio, 41750 - 50},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TMPEGaudio mpeg = Read(c.file);
    EXPECT_EQ(mpeg.FileLength, c.file.size());
    EXPECT_NEAR(mpeg.Duration(), c.audioBytes * 8 / 128000, 1e-9);
  }
}

TEST(MPEGaudio, EveryCompleteTagAtTheStartIsPassedOverAndTheFirstGivesTheFields) {
  // A tagger that put a new tag in front of an old one: the old tag is no audio, however large.
  const Bytes first = test::Id3v2Tag(3, test::Id3v2Frame(3, "TIT2", Bytes("\0New", 4)));
  const Bytes second = test::Id3v2Tag(3, test::Id3v2Frame(3, "TIT2", Bytes("\0Old", 4)));
  const Bytes large = test::Id3v2Tag(4, test::Id3v2Frame(4, "APIC", Bytes(20000, 'p')) + Bytes(100, '\0'), 0x10) +
                      "3DI" + Bytes(7, '\0');  // with a footer
  const Bytes audio = MpegFrames(kMpeg1L3, 417, 100);
  struct {
    const char* what;
    Bytes file;
    std::size_t audioStart;
  } cases[] = {
      {"a small second tag", first + second + audio, first.size() + second.size()},
      {"a second tag beyond the reach of the frame search", first + large + audio, first.size() + large.size()},
      {"three tags", first + large + second + audio, first.size() + large.size() + second.size()},
      {"a header whose tag would run past the end is not a tag (its bytes before the first frame are no audio)",
       first + Bytes("ID3\3\0\0\x7F\x7F\x7F\x7F", 10) + audio, first.size()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TMPEGaudio mpeg = Read(c.file);
    ASSERT_TRUE(mpeg.Frame.Found);
    EXPECT_EQ(mpeg.ID3v2.Title, u"New");
    EXPECT_EQ(mpeg.ID3v2.Size, first.size());
    EXPECT_EQ(mpeg.AudioStart, c.audioStart);
    EXPECT_NEAR(mpeg.Duration(), 41700.0 * 8 / 128000, 1e-9);
    EXPECT_EQ(mpeg.BitRate(), 128);
  }
}

TEST(MPEGaudio, WhenTheBlockAfterTheTagHoldsNoFrameTheMiddleIsSearched) {
  const Bytes tag = test::Id3v2Tag(3, test::Id3v2Frame(3, "TIT2", Bytes("\0Title", 6)));
  const Bytes file = tag + Bytes(6000, 'x') + MpegFrames(kMpeg1L3, 417, 40);
  const TMPEGaudio mpeg = Read(file);
  ASSERT_TRUE(mpeg.Frame.Found);
  EXPECT_EQ(mpeg.ID3v2.Title, u"Title");
  // The middle block starts at (length - tag) / 2, inside the frames; the position is within that block.
  const std::size_t middle = (file.size() - tag.size()) / 2;
  EXPECT_EQ(mpeg.Frame.Position, (417 - (middle - tag.size() - 6000) % 417) % 417);
}

TEST(MPEGaudio, AFileWithoutFramesReadsWithEverythingReset) {
  const Bytes file = test::Id3v2Tag(3, test::Id3v2Frame(3, "TIT2", Bytes("\0Title", 6))) + Bytes(20000, 'x') +
                     test::Id3v1Tag("Old", "", "", "", "", 0);
  const TMPEGaudio mpeg = Read(file);
  EXPECT_FALSE(mpeg.Frame.Found);
  EXPECT_FALSE(mpeg.ID3v2.Exists);
  EXPECT_FALSE(mpeg.ID3v1.Exists);
  EXPECT_EQ(mpeg.ID3v2.Title, u"");
  EXPECT_EQ(mpeg.FileLength, 0u);
  EXPECT_EQ(mpeg.Frame.VersionID, 1) << "the reset values no real header has";
  EXPECT_EQ(mpeg.Frame.SampleRateID, 3);
  EXPECT_EQ(mpeg.Frame.ModeID, 4);
  EXPECT_EQ(mpeg.Frame.ModeExtensionID, 4);
  EXPECT_EQ(mpeg.Frame.EmphasisID, 2);
  EXPECT_EQ(mpeg.BitRate(), 0);
  EXPECT_EQ(mpeg.Duration(), 0);
}

TEST(MPEGaudio, AFileShorterThanAnID3v1TagCannotBeRead) {
  const TMPEGaudio mpeg = Read(MpegFrames(kMpeg25L3, 72, 1), false);
  EXPECT_FALSE(mpeg.Frame.Found);
}

TEST(MPEGaudio, TheEncoderIsLookedForInTheLastFiveFrames) {
  Bytes lame = MpegFrames(kMpeg1L3, 417, 20);
  lame.replace(lame.size() - 100, 9, "LAME3.100");
  Bytes gogo = MpegFrames(kMpeg1L3, 417, 20);
  gogo.replace(gogo.size() - 300, 4, "GOGO");
  Bytes early = MpegFrames(kMpeg1L3, 417, 20);
  early.replace(early.size() - 6 * 417, 9, "LAME3.100");
  Bytes both = lame;
  both.replace(both.size() - 50, 4, "GOGO");
  struct {
    const char* what;
    Bytes file;
    const char* encoder;
  } cases[] = {
      {"LAME and four characters", lame, "LAME3.10"},
      {"before an ID3v1 tag", lame + test::Id3v1Tag("T", "", "", "", "", 0), "LAME3.10"},
      {"GOGO", gogo, "GOGO"},
      {"the one nearest the end", both, "GOGO"},
      {"six frames from the end is too far", early, ""},
      {"not looked for when there is a VBR header",
       WithHeaderAt(kMpeg1L3, 417, 36, Xing(10, 4170)) + lame, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Read(c.file).Encoder, c.encoder);
  }
}

TEST(MPEGaudio, ATaggedFileTakesAtMostThreeReads) {
  const Bytes small = test::Id3v2Tag(3, test::Id3v2Frame(3, "TIT2", Bytes("\0Title", 6)) + Bytes(1000, '\0'));
  const Bytes large = test::Id3v2Tag(3, test::Id3v2Frame(3, "APIC", Bytes(300000, 'p')));
  const Bytes cbr = MpegFrames(kMpeg1L3, 417, 500);
  const Bytes vbr = WithHeaderAt(kMpeg1L3, 417, 36, Xing(500, 208500)) + MpegFrames(kMpeg1L3, 417, 499);
  const Bytes tag1 = test::Id3v1Tag("T", "", "", "", "", 0);
  struct {
    const char* what;
    Bytes file;
    int reads;
    std::uint64_t bytes;
  } cases[] = {
      {"a small file is read at once", small + MpegFrames(kMpeg1L3, 417, 10) + tag1, 1, 8192},
      {"the start, and the end with the last frames", small + cbr + tag1, 2, 8192 + 128 + 3458},
      {"with a VBR header, the end is just the ID3v1 tag", small + vbr + tag1, 2, 8192 + 128},
      {"a large tag: a window after its picture holds the block too", large + cbr + tag1, 3, 32 << 10},
      {"a second tag in the first read costs nothing", small + small + cbr + tag1, 2, 8192 + 128 + 3458},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MemoryByteSource memory(test::AsBytes(c.file));
    test::CountingSource source(memory);
    TMPEGaudio mpeg;
    ASSERT_TRUE(mpeg.Read(source));
    EXPECT_TRUE(mpeg.Frame.Found);
    EXPECT_TRUE(mpeg.ID3v1.Exists);
    EXPECT_EQ(source.Reads(), c.reads);
    EXPECT_LE(source.BytesRead(), c.bytes);
  }
}

TEST(MPEGaudio, AFrameBeyondTheFirstReadIsFoundAsInTheWholeBlock) {
  // The first read ends inside the block; the candidate whose partner lies beyond it must not be passed over for a
  // later one.
  const Bytes tag =
      test::Id3v2Tag(3, test::Id3v2Frame(3, "TIT2", Bytes("\0T", 2)) + Bytes(8192 - 10 - 12 - 1000, '\0'));
  const Bytes file = tag + Bytes(600, 'x') + MpegFrames(kMpeg25L2Padded, 2881, 3);
  const TMPEGaudio mpeg = Read(file);
  ASSERT_TRUE(mpeg.Frame.Found);
  EXPECT_EQ(mpeg.Frame.Position, 600u);
  EXPECT_EQ(mpeg.Frame.Size, 2881u);
}

}  // namespace
}  // namespace nv
