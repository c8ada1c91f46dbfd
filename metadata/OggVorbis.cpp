#include "metadata/OggVorbis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "metadata/ByteFields.h"
#include "metadata/MetadataConstants.h"
#include "metadata/TagText.h"
#include "support/MarkedText.h"
#include "support/SourceRegion.h"

namespace nv {

namespace {

using bytes::Bytes;

// Ogg page header: "OggS" version[1] type[1] granule[8] serial[4] sequence[4] crc[4] segments[1] lacing[segments]
constexpr std::size_t kPageHeaderSize = 27;
constexpr std::size_t kGranuleOffset = 6;
constexpr std::size_t kSerialOffset = 14;
constexpr std::size_t kSegmentCountOffset = 26;

// The second packet of the first logical stream (the comment header), gathered from as many pages as it spans.
// `region` starts at the file's first byte and grows as the pages are walked; the packet is cut at the cap.
std::vector<std::uint8_t> SecondPacket(ByteSource& source, SourceRegion& region) {
  std::vector<std::uint8_t> packet;
  constexpr std::uint64_t kLimit = kMaxTagRegion + kHeadReadSize;  // a packet at the cap, and its page headers
  auto available = [&](std::uint64_t offset, std::size_t length) {
    if (!region.Holds(offset, length) && offset + length <= kLimit)
      region.Extend(source, static_cast<std::size_t>(
                                std::min(std::max<std::uint64_t>(offset + length, 2 * region.Size()), kLimit)));
    return region.Holds(offset, length);
  };
  std::uint64_t pos = 0;
  std::uint32_t serial = 0;
  int packetIndex = 0;
  while (available(pos, kPageHeaderSize)) {
    const Bytes page = region.At(pos, kPageHeaderSize);
    if (!bytes::HasText(page, 0, "OggS")) break;
    const std::size_t segments = page[kSegmentCountOffset];
    const std::uint32_t pageSerial = bytes::LittleEndian32(page.data() + kSerialOffset);
    if (!available(pos + kPageHeaderSize, segments)) break;
    // Copied: the region may grow (and move) while the segments are gathered.
    std::array<std::uint8_t, 255> lacing{};
    const Bytes lacingBytes = region.At(pos + kPageHeaderSize, segments);
    std::copy(lacingBytes.begin(), lacingBytes.end(), lacing.begin());
    if (pos == 0) serial = pageSerial;
    std::uint64_t data = pos + kPageHeaderSize + segments;
    for (const std::uint8_t length : std::span(lacing).first(segments)) {
      if (pageSerial == serial && packetIndex == 1 && packet.size() < kMaxTagRegion) {
        if (!available(data, length)) return packet;
        const Bytes segment = region.At(data, length);
        packet.insert(packet.end(), segment.begin(), segment.end());
      }
      data += length;
      if (pageSerial == serial && length < 255 && ++packetIndex == 2) return packet;  // a short segment ends a packet
    }
    pos = data;
  }
  return packet;
}

// Vorbis comment lists: a 32-bit little-endian length before every string.
class CommentReader {
public:
  explicit CommentReader(Bytes packet) : packet_(packet) {}
  bool ReadCount(std::uint32_t& count) {
    if (packet_.size() - pos_ < 4) return false;
    count = bytes::LittleEndian32(packet_.data() + pos_);
    pos_ += 4;
    return true;
  }
  // At most `kOggCommentKept` bytes of a string are kept, never ending inside a UTF-8 sequence; reading goes on
  // after the whole string. False when the string is not all there.
  bool ReadString(std::string_view& text) {
    std::uint32_t length;
    if (!ReadCount(length) || length > packet_.size() - pos_) return false;
    const Bytes string = packet_.subspan(pos_, length);
    pos_ += length;
    std::size_t kept = std::min(string.size(), kOggCommentKept);
    if (kept < string.size())
      for (int i = 0; i < 3 && kept > 0 && (string[kept] & 0xC0) == 0x80; ++i) --kept;
    text = bytes::AsChars(string.first(kept));
    return true;
  }

private:
  Bytes packet_;
  std::size_t pos_ = 0;
};

enum Field { fTitle, fArtist, fAlbum, fTrackNumber, fDate, fGenre, fComment, kFieldCount };
constexpr std::array<std::string_view, kFieldCount> kFieldNames = {
    "TITLE", "ARTIST", "ALBUM", "TRACKNUMBER", "DATE", "GENRE", "COMMENT"};

bool SameUpperCase(std::string_view name, std::string_view upper) {
  return name.size() == upper.size() &&
         std::equal(name.begin(), name.end(), upper.begin(), [](char a, char b) {
           return (a >= 'a' && a <= 'z' ? char(a - 32) : a) == b;
         });
}

// The granule position of the last page, looked for in 250-byte windows stepping back from the end of the file;
// the first "OggS" in the latest window that holds one counts. A page that ends no packet (granule -1) says
// nothing about the length, and a capture pattern too close to the end to hold a granule is no page.
std::uint32_t LastGranule(ByteSource& source, const SourceRegion& head) {
  const std::uint64_t size = source.Size();
  const std::uint64_t span = kOggEndWindowStep * kOggEndWindows + (kOggEndWindowSize - kOggEndWindowStep);
  const std::uint64_t start = size - std::min(size, span);
  SourceRegion tail;
  const SourceRegion* end = &head;
  if (!head.Holds(start, size - start)) {
    tail.Read(source, start, static_cast<std::size_t>(size - start));
    end = &tail;
  }
  for (int i = 1; i <= kOggEndWindows; ++i) {
    const std::uint64_t back = std::uint64_t{kOggEndWindowStep} * i + (kOggEndWindowSize - kOggEndWindowStep);
    if (back >= size + kOggEndWindowSize) break;  // the window lies wholly before the file
    const std::uint64_t windowStart = back > size ? 0 : size - back;
    const std::string_view window = bytes::AsChars(end->At(windowStart, size + kOggEndWindowSize - back - windowStart));
    for (std::size_t q = window.find("OggS"); q != std::string_view::npos; q = window.find("OggS", q + 1)) {
      const Bytes page = end->At(windowStart + q, kGranuleOffset + 8);
      if (page.size() < kGranuleOffset + 8) continue;
      const std::uint64_t granule = bytes::LittleEndian64(page.data() + kGranuleOffset);
      if (granule == ~std::uint64_t{0}) continue;
      return static_cast<std::uint32_t>(granule);
    }
  }
  return 0;
}

}  // namespace

void TOggVorbis::Reset() { *this = TOggVorbis(); }

bool TOggVorbis::Read(ByteSource& source) {
  Reset();
  const std::uint64_t size = source.Size();
  SourceRegion head;
  // A small file is read whole; otherwise its start now and its end when the length is looked for.
  head.Read(source, 0, size <= 2 * kHeadReadSize ? static_cast<std::size_t>(size) : kHeadReadSize);

  // Identification header: 1 "vorbis" version[4] channels[1] rate[4] maximum[4] nominal[4] minimum[4] ...
  const Bytes id = head.At(kOggIdentificationOffset, kOggIdentificationSize);
  if (id.size() < kOggIdentificationSize) return false;
  if (id[0] != 1 || !bytes::HasText(id, 1, "vorbis")) return true;
  FileSize = size;
  ChannelModeID = id[11] == 1 || id[11] == 2 ? id[11] : 0;
  const std::uint32_t rate = bytes::LittleEndian32(id.data() + 12);
  SampleRate = rate >= kOggMinSampleRate && rate <= kOggMaxSampleRate ? static_cast<std::uint16_t>(rate) : 0;
  const auto nominal = static_cast<std::int32_t>(bytes::LittleEndian32(id.data() + 20));
  BitRateNominal = nominal > 0 ? nominal / 1000 : 0;

  // Comment header: 3 "vorbis" vendor count comment... (the vendor is a string like the others: without "=" a
  // string is taken as the vendor).
  const std::vector<std::uint8_t> packet = SecondPacket(source, head);
  if (packet.size() >= 7 && packet[0] == 3 && bytes::HasText(packet, 1, "vorbis")) {
    std::array<std::string_view, kFieldCount> values{};
    std::string_view vendor;
    CommentReader reader(Bytes(packet).subspan(7));
    auto take = [&](std::string_view text) {
      const std::size_t equals = text.find('=');
      if (equals == std::string_view::npos) {
        vendor = text;
        return;
      }
      for (int f = 0; f < kFieldCount; ++f)
        if (SameUpperCase(text.substr(0, equals), kFieldNames[f])) values[f] = text.substr(equals + 1);
    };
    std::string_view text;
    std::uint32_t count = 0;
    if (reader.ReadString(text)) {
      take(text);
      if (reader.ReadCount(count))
        for (std::uint32_t i = 0; i < count && reader.ReadString(text); ++i) take(text);
    }
    Title = Utf8ToMarked(values[fTitle]);
    Artist = Utf8ToMarked(values[fArtist]);
    Album = Utf8ToMarked(values[fAlbum]);
    Date = Utf8ToMarked(values[fDate]);
    Genre = Utf8ToMarked(values[fGenre]);
    Comment = Utf8ToMarked(values[fComment]);
    Vendor = Utf8ToMarked(vendor);
    TrackNumber = TrackNumberOf(Utf8ToUtf16(values[fTrackNumber]));
  }

  Samples = LastGranule(source, head);
  return true;
}

std::string_view TOggVorbis::ChannelMode() const {
  switch (ChannelModeID) {
    case 1: return "Mono";
    case 2: return "Stereo";
    default: return "Unknown";
  }
}

double TOggVorbis::Duration() const {
  if (Samples > 0 && SampleRate > 0) return double(Samples) / SampleRate;
  // Estimated from the nominal bitrate, which counts all channels together.
  if (BitRateNominal > 0 && ChannelModeID > 0) return double(FileSize) / BitRateNominal / 125;
  return 0;
}

int TOggVorbis::BitRate() const {
  const double duration = Duration();
  return duration > 0 ? static_cast<int>(std::lround(FileSize / duration / 125)) : 0;
}

}  // namespace nv
