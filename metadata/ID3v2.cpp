#include "metadata/ID3v2.h"

#include <algorithm>
#include <array>
#include <optional>
#include <cstring>
#include <string>
#include <string_view>

#include "metadata/ByteFields.h"
#include "metadata/MetadataConstants.h"
#include "metadata/TagText.h"

namespace nv {

namespace {

using bytes::Bytes;

// The frames read, by slot: the ID in versions 3 and 4, and in version 2.
struct FrameSlot {
  std::string_view id34, id2;
};
enum Slot {
  sTitle, sArtist, sAlbum, sTrack, sYear, sGenre, sComment, sComposer, sEncoder, sCopyright, sLanguage, sLink,
  sYearFallback, sArtistFallback, sTitleFallback, sAlbumFallback, kSlotCount
};
constexpr std::array<FrameSlot, kSlotCount> kSlots = {{
    {"TIT2", "TT2"}, {"TPE1", "TP1"}, {"TALB", "TAL"}, {"TRCK", "TRK"}, {"TYER", "TYE"}, {"TCON", "TCO"},
    {"COMM", "COM"}, {"TCOM", "TCM"}, {"TENC", "TEN"}, {"TCOP", "TCR"}, {"TLAN", "TLA"}, {"WXXX", "WXX"},
    {"TDRC", "TOR"}, {"TOPE", "TOA"}, {"TIT1", "TT1"}, {"TOAL", "TOT"},
}};

std::optional<int> SlotOf(std::string_view id, std::uint8_t version) {
  for (int i = 0; i < kSlotCount; ++i)
    if (id == (version == 2 ? kSlots[i].id2 : kSlots[i].id34)) return i;
  return std::nullopt;
}

bool IsUtf16(std::uint8_t encoding) { return encoding == 1 || encoding == 2; }

// Text in one of the ID3v2 encodings, up to its terminator. 1 and 2 are UTF-16: a byte-order mark decides the byte
// order, without one encoding 1 is little-endian and 2 big-endian. Anything else is single-byte text.
std::u16string DecodeText(std::uint8_t encoding, Bytes text) {
  if (!IsUtf16(encoding)) return TrimBlanks(DecodeSingleByteText(text));
  bool bigEndian = encoding == 2;
  if (text.size() >= 2 && text[0] == 0xFF && text[1] == 0xFE) {
    bigEndian = false;
    text = text.subspan(2);
  } else if (text.size() >= 2 && text[0] == 0xFE && text[1] == 0xFF) {
    bigEndian = true;
    text = text.subspan(2);
  }
  std::u16string out;
  out.reserve(text.size() / 2);
  for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
    const char16_t c = bigEndian ? char16_t(text[i] << 8 | text[i + 1]) : char16_t(text[i + 1] << 8 | text[i]);
    if (c == 0) break;
    out.push_back(c);
  }
  return TrimBlanks(std::move(out));
}

// Skips a terminated description: one zero byte ends single-byte text, a zero UTF-16 unit (two zero bytes on a
// unit boundary) ends UTF-16 text. Empty when there is no terminator.
Bytes AfterDescription(std::uint8_t encoding, Bytes text) {
  if (IsUtf16(encoding)) {
    for (std::size_t i = 0; i + 1 < text.size(); i += 2)
      if (text[i] == 0 && text[i + 1] == 0) return text.subspan(i + 2);
  } else {
    for (std::size_t i = 0; i < text.size(); ++i)
      if (text[i] == 0) return text.subspan(i + 1);
  }
  return {};
}

// The frame's content is kept only when its text encoding byte is one of the four defined.
bool HasTextEncoding(Bytes content) { return !content.empty() && content[0] <= 3; }

std::u16string TextOf(Bytes content) {
  return content.empty() ? std::u16string() : DecodeText(content[0], content.subspan(1));
}

// COMM: encoding, language[3], description, text.
std::u16string CommentOf(Bytes content) {
  if (content.size() < 4) return {};
  return DecodeText(content[0], AfterDescription(content[0], content.subspan(4)));
}

// WXXX: encoding, description, URL. The URL itself is always single-byte text, whatever the description's encoding.
std::u16string LinkOf(Bytes content) {
  if (content.empty()) return {};
  return TrimBlanks(DecodeSingleByteText(AfterDescription(content[0], content.subspan(1))));
}

// Frame flags that make the content unreadable as text: compression and encryption. Version 2.3 keeps them in
// the top bits of the second flag byte, version 2.4 moved them to its low bits.
bool IsEncoded(std::uint8_t version, std::uint8_t formatFlags) {
  if (version == 3) return (formatFlags & 0xC0) != 0;
  if (version == 4) return (formatFlags & 0x0C) != 0;
  return false;
}

}  // namespace

void TID3v2::Reset() { *this = TID3v2(); }

bool TID3v2::Read(ByteSource& source) {
  SourceRegion head;
  head.Read(source, 0, kHeadReadSize);
  return ReadFrom(source, head);
}

bool TID3v2::ReadFrom(ByteSource& source, SourceRegion& head, std::size_t following) {
  Reset();
  const Bytes header = head.At(0, kID3v2HeaderSize);
  if (header.size() < kID3v2HeaderSize) return false;
  // "ID3" version[1] revision[1] flags[1] size[4, syncsafe]
  if (!bytes::HasText(header, 0, "ID3")) return true;
  Exists = true;
  VersionID = header[3];
  const std::uint8_t flags = header[5];
  std::uint64_t size = std::uint64_t{bytes::Syncsafe32(header.data() + 6)} + kID3v2HeaderSize;
  if (flags & 0x10) size += kID3v2FooterSize;
  Size = size > source.Size() ? 0 : static_cast<std::uint32_t>(size);
  if (VersionID < 2 || VersionID > 4 || Size == 0) return true;

  // The bytes at `offset`, read when the region does not hold them: a window that starts there and reaches to what
  // the caller wants after the tag, when that is near. Valid until the next call.
  SourceRegion& region = head;
  auto bytesAt = [&](std::uint64_t offset, std::size_t length) {
    if (!region.Holds(offset, length)) {
      const std::uint64_t rest = Size + std::uint64_t{following} - offset;
      const auto window = static_cast<std::size_t>(std::min<std::uint64_t>(rest, kTagWindowSize));
      region.Read(source, offset, std::max(length, window));
    }
    return region.At(offset, length);
  };

  // The text of each slot, decoded as its frame is met (a later frame of the same ID replaces an earlier one).
  std::array<std::u16string, kSlotCount> texts{};
  std::uint64_t pos = kID3v2HeaderSize;
  // The extended header (2.3: its size excludes the four size bytes; 2.4: a syncsafe size that includes them).
  if ((flags & 0x40) && VersionID >= 3) {
    const Bytes p = bytesAt(pos, 4);
    if (p.size() == 4)
      pos += VersionID == 3 ? std::uint64_t{bytes::BigEndian32(p.data())} + 4 : bytes::Syncsafe32(p.data());
  }
  const std::size_t frameHeaderSize = VersionID == 2 ? 6 : 10;
  // Frames beyond the cap are not read, whatever the tag's size.
  const std::uint64_t end = std::min<std::uint64_t>(Size, kMaxTagRegion);
  while (pos + frameHeaderSize <= end) {
    const Bytes p = bytesAt(pos, frameHeaderSize);
    if (p.size() < frameHeaderSize || p[0] < 'A' || p[0] > 'Z') break;  // padding, or the end of the file
    // 2.2: id[3] size[3]; 2.3: id[4] size[4] flags[2]; 2.4: the same with a syncsafe size.
    char idBytes[4];
    std::memcpy(idBytes, p.data(), 4);  // the window may move before the ID is looked up
    const std::string_view id(idBytes, VersionID == 2 ? 3 : 4);
    const std::uint64_t frameSize = VersionID == 2   ? bytes::BigEndian24(p.data() + 3)
                                    : VersionID == 3 ? bytes::BigEndian32(p.data() + 4)
                                                     : bytes::Syncsafe32(p.data() + 4);
    const std::uint8_t formatFlags = VersionID == 2 ? 0 : p[9];
    const std::uint64_t contentStart = pos + frameHeaderSize;
    if (frameSize > Size - contentStart) break;  // runs past the tag
    pos = contentStart + frameSize;
    if (frameSize == 0 || IsEncoded(VersionID, formatFlags)) continue;
    const std::optional<int> slot = SlotOf(id, VersionID);
    if (!slot) continue;
    const auto kept = static_cast<std::size_t>(std::min<std::uint64_t>(frameSize, kID3v2FrameContentKept));
    Bytes content = bytesAt(contentStart, kept);
    // 2.4: a data length indicator (four syncsafe bytes) comes before the content.
    if (VersionID == 4 && (formatFlags & 0x01)) content = content.subspan(std::min<std::size_t>(4, content.size()));
    if (HasTextEncoding(content))
      texts[*slot] = *slot == sComment ? CommentOf(content) : *slot == sLink ? LinkOf(content) : TextOf(content);
  }

  auto either = [&](int slot, int fallback) { return std::move(texts[texts[slot].empty() ? fallback : slot]); };
  Title = either(sTitle, sTitleFallback);
  Artist = either(sArtist, sArtistFallback);
  Album = either(sAlbum, sAlbumFallback);
  TrackString = std::move(texts[sTrack]);
  Track = TrackNumberOf(TrackString);
  Year = std::move(texts[sYear]);
  if (Year.empty()) Year = texts[sYearFallback].substr(0, 4);
  Genre = std::move(texts[sGenre]);
  if (const std::size_t close = Genre.rfind(u')'); close != std::u16string::npos) Genre.erase(0, close + 1);
  Comment = std::move(texts[sComment]);
  Composer = std::move(texts[sComposer]);
  Encoder = std::move(texts[sEncoder]);
  Copyright = std::move(texts[sCopyright]);
  Language = std::move(texts[sLanguage]);
  Link = std::move(texts[sLink]);
  return true;
}

}  // namespace nv

