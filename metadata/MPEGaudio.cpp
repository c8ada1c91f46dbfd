#include "metadata/MPEGaudio.h"

#include <algorithm>
#include <cmath>

#include "metadata/ByteFields.h"
#include "metadata/MetadataConstants.h"
#include "support/SourceRegion.h"

namespace nv {

namespace {

using bytes::Bytes;

enum Version : std::uint8_t { kMpeg25 = 0, kMpeg2 = 2, kMpeg1 = 3 };
enum Layer : std::uint8_t { kLayer3 = 1, kLayer2 = 2, kLayer1 = 3 };
constexpr std::uint8_t kMono = 3;

// kbit/s by [MPEG-1 or not][layer: I, II, III][index]; MPEG-2.5 uses the MPEG-2 rates.
constexpr int kBitRates[2][3][16] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}},
};
// Hz by [version ID][index].
constexpr int kSampleRates[4][3] = {{11025, 12000, 8000}, {0, 0, 0}, {22050, 24000, 16000}, {44100, 48000, 32000}};

// Four bytes that can start a frame: sync, and no reserved or forbidden value in the fields that matter.
bool IsValidHeader(const std::uint8_t* h) {
  return h[0] == 0xFF && h[1] > 0xDF && ((h[1] >> 3) & 3) != 1 && ((h[1] >> 1) & 3) != 0 && (h[2] >> 4) != 0 &&
         (h[2] >> 4) != 15 && ((h[2] >> 2) & 3) != 3 && (h[3] & 3) != 2;
}

TFrameData DecodeHeader(const std::uint8_t* h) {
  TFrameData f;
  std::copy(h, h + 4, f.Data);
  f.VersionID = (h[1] >> 3) & 3;
  f.LayerID = (h[1] >> 1) & 3;
  f.ProtectionBit = h[1] & 1;
  f.BitRateID = h[2] >> 4;
  f.SampleRateID = (h[2] >> 2) & 3;
  f.PaddingBit = (h[2] >> 1) & 1;
  f.PrivateBit = h[2] & 1;
  f.ModeID = h[3] >> 6;
  f.ModeExtensionID = (h[3] >> 4) & 3;
  f.CopyrightBit = (h[3] >> 3) & 1;
  f.OriginalBit = (h[3] >> 2) & 1;
  f.EmphasisID = h[3] & 3;
  return f;
}

int BitRateOf(const TFrameData& f) {
  if (f.LayerID < 1 || f.LayerID > 3 || f.BitRateID > 15) return 0;
  return kBitRates[f.VersionID == kMpeg1 ? 0 : 1][3 - f.LayerID][f.BitRateID];
}

int SampleRateOf(const TFrameData& f) {
  return f.VersionID < 4 && f.SampleRateID < 3 ? kSampleRates[f.VersionID][f.SampleRateID] : 0;
}

// Bytes per frame for each kbit/s per Hz: the samples in a frame divided by 8. Layer I frames hold 384 samples in
// every version, Layer II 1152, Layer III 1152 in MPEG-1 and 576 in MPEG-2 and 2.5.
int Coefficient(const TFrameData& f) {
  if (f.LayerID == kLayer1) return 48;
  if (f.LayerID == kLayer3 && f.VersionID != kMpeg1) return 72;
  return 144;
}

int PaddingOf(const TFrameData& f) { return f.PaddingBit ? (f.LayerID == kLayer1 ? 4 : 1) : 0; }

std::uint32_t FrameLength(const TFrameData& f) {
  const int rate = SampleRateOf(f);
  if (rate == 0) return 0;
  const std::int64_t bits = std::int64_t{BitRateOf(f)} * 1000;
  // Layer I counts in four-byte slots: the slot count is truncated before the padding slot is added.
  if (f.LayerID == kLayer1) return static_cast<std::uint32_t>((12 * bits / rate + (f.PaddingBit ? 1 : 0)) * 4);
  return static_cast<std::uint32_t>(Coefficient(f) * bits / rate + PaddingOf(f));
}

enum class Search { kFound, kNotFound, kNeedMore };

// The first position in [0, kMpegSearchPositions) of `block` where a valid header is followed, one frame length
// later, by another; both headers must lie in the bytes actually read. `complete` says the block holds every byte
// the search may look at; otherwise the search asks for more as soon as it would look beyond the block, so that it
// finds what it would find in the whole block.
Search FindFrame(Bytes block, bool complete, TFrameData& frame) {
  for (std::size_t p = 0; p < kMpegSearchPositions; ++p) {
    if (block.size() - std::min(p, block.size()) < kMpegHeaderSize)
      return complete ? Search::kNotFound : Search::kNeedMore;
    if (!IsValidHeader(block.data() + p)) continue;
    TFrameData candidate = DecodeHeader(block.data() + p);
    const std::uint32_t length = FrameLength(candidate);
    if (length == 0) continue;
    if (length > block.size() - p || block.size() - p - length < kMpegHeaderSize) {
      if (!complete) return Search::kNeedMore;
      continue;
    }
    if (!IsValidHeader(block.data() + p + length)) continue;
    candidate.Found = true;
    candidate.Position = static_cast<std::uint32_t>(p);
    candidate.Size = length;
    const Bytes after = block.subspan(p + kMpegHeaderSize, 6);
    candidate.Empty = std::all_of(after.begin(), after.end(), [](auto b) { return b == 0; });
    frame = candidate;
    return Search::kFound;
  }
  return Search::kNotFound;
}

std::uint32_t BigEndian32At(Bytes bytes, std::size_t offset) {
  return offset <= bytes.size() && bytes.size() - offset >= 4 ? bytes::BigEndian32(bytes.data() + offset) : 0;
}

// The VBR header of the first frame. Xing's follows the side information, whose size depends on the version and
// the channels; VBRI always sits 32 bytes after the frame header.
TVBRData FindVBRHeader(Bytes frame, const TFrameData& f) {
  TVBRData vbr;
  const bool mono = f.ModeID == kMono;
  const std::size_t xing = f.VersionID == kMpeg1 ? (mono ? 21 : 36) : (mono ? 13 : 21);
  if (bytes::HasText(frame, xing, "Xing")) {
    // "Xing" flags[4] frames[4] bytes[4] toc[100] scale[4]: the flags are not consulted.
    vbr.Found = true;
    vbr.ID = "Xing";
    vbr.Frames = BigEndian32At(frame, xing + 8);
    vbr.Bytes = BigEndian32At(frame, xing + 12);
    if (frame.size() > xing + 119) vbr.Scale = frame[xing + 119];
    if (frame.size() > xing + 120) {
      const std::string_view vendor = bytes::AsChars(frame.subspan(xing + 120).first(
          std::min<std::size_t>(8, frame.size() - xing - 120)));
      vbr.VendorID = std::string(vendor.substr(0, vendor.find('\0')));
    }
  } else if (constexpr std::size_t vbri = 36; bytes::HasText(frame, vbri, "VBRI")) {
    // "VBRI" version[2] delay[2] quality[2] bytes[4] frames[4] ...
    vbr.Found = true;
    vbr.ID = "VBRI";
    if (frame.size() > vbri + 9) vbr.Scale = frame[vbri + 9];
    vbr.Bytes = BigEndian32At(frame, vbri + 10);
    vbr.Frames = BigEndian32At(frame, vbri + 14);
  }
  return vbr;
}

// Encoders that leave their name in the padding of the last frames: searched backwards from the end of `block`
// over at most five frame lengths.
std::string FindEncoder(Bytes block, std::uint32_t frameLength) {
  const std::size_t reach = std::min<std::size_t>(block.size(), std::size_t{frameLength} * kMpegEncoderSearchFrames);
  const std::string_view text = bytes::AsChars(block.last(reach));
  for (std::size_t p = text.size() >= 4 ? text.size() - 3 : 0; p-- > 0;) {
    if (text[p] != 'L' && text[p] != 'G') continue;  // one test a byte: most bytes start neither name
    const std::string_view here = text.substr(p, 4);
    if (here == "LAME") {
      const std::string_view name = text.substr(p, 8);  // "LAME" and the four characters after it
      return std::string(name.substr(0, name.find('\0')));
    }
    if (here == "GOGO") return "GOGO";
  }
  return {};
}

// The bytes read for a block: every search position, and the longest frame after the last of them.
constexpr std::size_t kBlockRead = kMpegSearchPositions - 1 + kMpegMaxFrameLength + kMpegHeaderSize;

// "ID3" version[1] revision[1] flags[1] size[4, syncsafe]: the whole tag's size, with its header and footer.
std::uint64_t StatedTagSize(Bytes header) {
  return std::uint64_t{bytes::Syncsafe32(header.data() + 6)} + kID3v2HeaderSize +
         ((header[5] & 0x10) ? kID3v2FooterSize : 0);
}

// The bytes at `offset` in whichever of two regions holds more of them.
Bytes HeldAt(const SourceRegion& a, const SourceRegion& b, std::uint64_t offset, std::size_t length) {
  const Bytes first = a.At(offset, length);
  const Bytes second = b.At(offset, length);
  return second.size() > first.size() ? second : first;
}

}  // namespace

void TMPEGaudio::Reset() { *this = TMPEGaudio(); }

bool TMPEGaudio::Read(ByteSource& source) {
  Reset();
  const std::uint64_t size = source.Size();
  if (size < kID3v1TagSize) return false;

  // At most three reads for a file with tags: its start (with the first frame after the ID3v2 tag; a large tag is
  // read on together with the block after it), and its end.
  SourceRegion head;
  head.Read(source, 0, kHeadReadSize);
  if (!ID3v2.ReadFrom(source, head, kBlockRead)) return false;
  FileLength = size;

  // Taggers that put a new tag in front leave the old one behind it: every complete ID3v2 tag at the start is passed
  // over (the fields are the first tag's).
  SourceRegion blockRead;
  AudioStart = ID3v2.Size;
  for (;;) {
    Bytes tag = HeldAt(head, blockRead, AudioStart, kID3v2HeaderSize);
    if (tag.size() < kID3v2HeaderSize && size - AudioStart >= kID3v2HeaderSize) {
      blockRead.Read(source, AudioStart, kBlockRead);  // also the block searched when no tag is there
      tag = blockRead.At(AudioStart, kID3v2HeaderSize);
    }
    if (tag.size() < kID3v2HeaderSize || !bytes::HasText(tag, 0, "ID3")) break;
    const std::uint64_t tagSize = StatedTagSize(tag);
    if (tagSize > size - AudioStart) break;
    AudioStart += tagSize;
  }

  // The first frame: in the block after the tags, else (when that block was there whole) in the middle.
  const std::uint64_t blockStart = AudioStart;
  const std::size_t blockLength = static_cast<std::size_t>(std::min<std::uint64_t>(kBlockRead, size - blockStart));
  Bytes searched = HeldAt(head, blockRead, blockStart, blockLength);
  Search found = FindFrame(searched, searched.size() == blockLength, Frame);
  if (found == Search::kNeedMore) {
    blockRead.Read(source, blockStart, kBlockRead);
    searched = blockRead.Bytes();
    found = FindFrame(searched, true, Frame);
  }
  if (found == Search::kNotFound && searched.size() >= kMpegBlockSize) {
    blockRead.Read(source, (size - AudioStart) / 2, kBlockRead);
    searched = blockRead.Bytes();
    FindFrame(searched, true, Frame);
  }
  if (!Frame.Found) {
    Reset();
    return true;
  }
  VBR = FindVBRHeader(searched.subspan(Frame.Position), Frame);

  // The end: the ID3v1 tag, and before it the last frames, where some encoders leave their names; those are looked
  // for only without a VBR header.
  const std::size_t tailSize = kID3v1TagSize + (VBR.Found ? 0 : kMpegBlockSize);
  const std::uint64_t tailStart = size - std::min<std::uint64_t>(size, tailSize);
  SourceRegion tailRead;
  const SourceRegion* tail = &head;
  if (!head.Holds(tailStart, static_cast<std::size_t>(size - tailStart))) {
    tailRead.Read(source, tailStart, tailSize);
    tail = &tailRead;
  }
  if (!ID3v1.ReadFrom(*tail, size)) return false;
  if (!VBR.Found) {
    const std::uint64_t end = size - (ID3v1.Exists ? kID3v1TagSize : 0);
    const std::uint64_t start = end - std::min<std::uint64_t>(end, kMpegBlockSize);
    Encoder = FindEncoder(tail->At(start, static_cast<std::size_t>(end - start)), Frame.Size);
  }
  return true;
}

int TMPEGaudio::BitRate() const {
  if (!Frame.Found) return 0;
  if (VBR.Found && VBR.Frames > 0) {
    const double perFrame = double(VBR.Bytes) / VBR.Frames - PaddingOf(Frame);
    return std::max(0, static_cast<int>(std::lround(perFrame * SampleRateOf(Frame) / Coefficient(Frame) / 1000)));
  }
  return BitRateOf(Frame);
}

double TMPEGaudio::Duration() const {
  if (!Frame.Found) return 0;
  if (VBR.Found && VBR.Frames > 0) return double(Coefficient(Frame)) * VBR.Frames * 8 / SampleRateOf(Frame);
  const double audio = double(FileLength) - AudioStart - (ID3v1.Exists ? kID3v1TagSize : 0) - Frame.Position;
  return audio > 0 ? audio / BitRateOf(Frame) / 1000 * 8 : 0;
}

int TMPEGaudio::SampleRate() const { return Frame.Found ? SampleRateOf(Frame) : 0; }

int TMPEGaudio::Channels() const { return Frame.Found ? (Frame.ModeID == kMono ? 1 : 2) : 0; }

}  // namespace nv
