#include "metadata/OggVorbis.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "metadata/ByteFields.h"
#include "metadata/MetadataConstants.h"
#include "metadata/OggPackets.h"
#include "metadata/TagText.h"
#include "support/MarkedText.h"
#include "support/SourceRegion.h"

namespace nv {

namespace {

using bytes::Bytes;

// Ogg page header: "OggS" version[1] type[1] granule[8] ...
constexpr std::size_t kGranuleOffset = 6;

// Vorbis comment lists: a 32-bit little-endian length before every string. At most `kOggCommentKept` bytes of a
// string are kept, never ending inside a UTF-8 sequence; reading goes on after the whole string. False when the
// string is not all there.
bool ReadCount(OggPacketReader& packet, std::uint32_t& count) {
  std::uint8_t raw[4];
  if (!packet.Read(raw, 4)) return false;
  count = bytes::LittleEndian32(raw);
  return true;
}

bool ReadString(OggPacketReader& packet, std::string& text) {
  std::uint32_t length;
  if (!ReadCount(packet, length)) return false;
  // One byte more than is kept tells whether the cut falls inside a character.
  const std::size_t read = std::min<std::size_t>(length, kOggCommentKept + 1);
  text.resize(read);
  if (!packet.Read(reinterpret_cast<std::uint8_t*>(text.data()), read) || !packet.Skip(length - read)) return false;
  if (read > kOggCommentKept) {
    std::size_t kept = kOggCommentKept;
    for (int i = 0; i < 3 && kept > 0 && (static_cast<std::uint8_t>(text[kept]) & 0xC0) == 0x80; ++i) --kept;
    text.resize(kept);
  }
  return true;
}

enum Field { fTitle, fArtist, fAlbum, fTrackNumber, fDate, fGenre, fComment, kCommentFieldCount };
constexpr std::array<std::string_view, kCommentFieldCount> kCommentNames = {
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
  SourceRegion tail;
  const SourceRegion* end = &head;
  for (int i = 1; i <= kOggEndWindows; ++i) {
    const std::uint64_t back = std::uint64_t{kOggEndWindowStep} * i + (kOggEndWindowSize - kOggEndWindowStep);
    if (back >= size + kOggEndWindowSize) break;  // the window lies wholly before the file
    const std::uint64_t windowStart = back > size ? 0 : size - back;
    if (!end->Holds(windowStart, static_cast<std::size_t>(size - windowStart))) {
      // The last few KB first; when the last page is not there, everything the windows reach.
      const std::uint64_t reach = end == &head ? std::max<std::uint64_t>(kOggTailFirstRead, back) : span;
      const std::uint64_t start = size - std::min(size, reach);
      tail.Read(source, start, static_cast<std::size_t>(size - start));
      end = &tail;
    }
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

  // Comment header (the second packet): 3 "vorbis" vendor count comment... The vendor is a string like the others:
  // a string without "=" is taken as the vendor.
  OggPacketReader packets(source, head);
  std::uint8_t kind[7];
  if (packets.NextPacket() && packets.NextPacket() && packets.Read(kind, 7) && kind[0] == 3 &&
      bytes::HasText(kind, 1, "vorbis")) {
    std::array<std::string, kCommentFieldCount> values{};
    std::string vendor, text;
    auto take = [&]() {
      const std::size_t equals = text.find('=');
      if (equals == std::string::npos) {
        vendor = text;
        return;
      }
      for (int f = 0; f < kCommentFieldCount; ++f)
        if (SameUpperCase(std::string_view(text).substr(0, equals), kCommentNames[f]))
          values[f] = text.substr(equals + 1);
    };
    std::uint32_t count = 0;
    if (ReadString(packets, text)) {
      take();
      if (ReadCount(packets, count))
        for (std::uint32_t i = 0; i < count && ReadString(packets, text); ++i) take();
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
