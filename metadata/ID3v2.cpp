#include "metadata/ID3v2.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/ByteFields.h"
#include "metadata/ID3v1.h"
#include "metadata/MetadataConstants.h"
#include "metadata/TagText.h"
#include "support/Inflate.h"

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
// The comments of a tag: the one without a description is the comment. Taggers keep data of their own in comments
// with a description after it: such a comment stands in only when there is none without, and iTunes' ("iTunNORM",
// "iTunSMPB", "iTunPGAP", ...: numbers, never meant to be read) never does.
struct Comments {
  std::optional<std::u16string> plain;
  std::u16string described;

  void Add(Bytes content) {
    if (content.size() < 4) return;
    const std::uint8_t encoding = content[0];
    const Bytes afterLanguage = content.subspan(4);
    const Bytes text = AfterDescription(encoding, afterLanguage);
    const std::u16string description =
        DecodeText(encoding, afterLanguage.first(afterLanguage.size() - text.size()));
    if (description.empty())
      plain = DecodeText(encoding, text);
    else if (!description.starts_with(u"iTun"))
      described = DecodeText(encoding, text);
  }
  std::u16string Comment() && { return plain ? std::move(*plain) : std::move(described); }
};

// TCON: genres of the ID3v1 list are referred to by number in brackets, "(17)", and 2.4 writes the bare number,
// "17"; text after the last reference refines it ("(17)Rock" is "Rock"), and a reference alone is that genre's name.
std::u16string GenreOf(std::u16string text) {
  const std::size_t close = text.rfind(u')');
  std::u16string_view number = text;
  if (close != std::u16string::npos) {
    if (close + 1 < text.size()) return text.substr(close + 1);
    const std::size_t open = text.rfind(u'(', close);
    number = open == std::u16string::npos ? std::u16string_view() : number.substr(open + 1, close - open - 1);
  }
  const bool digits = !number.empty() && number.size() <= 3 &&
                      std::all_of(number.begin(), number.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
  const std::string_view name = digits ? ID3v1GenreName(WholeNumberOrZero(number)) : std::string_view();
  if (!name.empty()) return std::u16string(name.begin(), name.end());
  return close == std::u16string::npos ? text : std::u16string();
}

// WXXX: encoding, description, URL. The URL itself is always single-byte text, whatever the description's encoding.
std::u16string LinkOf(Bytes content) {
  if (content.empty()) return {};
  return TrimBlanks(DecodeSingleByteText(AfterDescription(content[0], content.subspan(1))));
}

// ID3v2 unsynchronisation inserted a zero after every 0xFF that could read as a sync: each FF 00 becomes FF again.
std::vector<std::uint8_t> Resynchronised(Bytes bytes) {
  std::vector<std::uint8_t> out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    out.push_back(bytes[i]);
    if (bytes[i] == 0xFF && i + 1 < bytes.size() && bytes[i + 1] == 0) ++i;
  }
  return out;
}

// How a frame's content is stored, from its format flags: what was added to the frame header before the content
// and what was done to the content itself.
struct FrameFormat {
  std::size_t added = 0;  // bytes between the frame header and the content
  bool compressed = false;
  bool encrypted = false;
  bool unsynchronised = false;
  std::optional<std::size_t> addedSizeAt;  // where among the added bytes the content's size before compression is
  bool syncsafeSize = false;
};

FrameFormat FormatOf(std::uint8_t version, std::uint8_t flags, bool tagUnsynchronised) {
  FrameFormat format;
  if (version == 3) {
    // 2.3: compression (a big-endian size before compression follows the header), encryption (a method byte),
    // grouping (a group byte), in that order. Unsynchronisation was undone for the whole tag.
    if (flags & 0x80) {
      format.compressed = true;
      format.addedSizeAt = format.added;
      format.added += 4;
    }
    if (flags & 0x40) format.encrypted = true, format.added += 1;
    if (flags & 0x20) format.added += 1;
  } else if (version == 4) {
    // 2.4: grouping (a group byte), compression, encryption (a method byte), unsynchronisation of this frame, and
    // a data length indicator (the syncsafe size before both), added to the header in that order. A tag whose
    // header says it is unsynchronised has every frame unsynchronised.
    if (flags & 0x40) format.added += 1;
    format.compressed = flags & 0x08;
    if (flags & 0x04) format.encrypted = true, format.added += 1;
    format.unsynchronised = (flags & 0x02) || tagUnsynchronised;
    if (flags & 0x01) {
      format.addedSizeAt = format.added;
      format.syncsafeSize = true;
      format.added += 4;
    }
  }
  return format;
}

// How many bytes of a frame the player reads for the content it keeps: unsynchronised content may take twice the
// room, and compressed content has to be read whole (the frame walk never goes past the tag cap).
std::uint64_t BytesToRead(const FrameFormat& format, std::uint64_t frameSize) {
  const std::uint64_t kept = kID3v2FrameContentKept;
  if (format.compressed) return std::min<std::uint64_t>(frameSize, kMaxTagRegion);
  return std::min<std::uint64_t>(frameSize, format.added + (format.unsynchronised ? 2 * kept : kept));
}

// The content the player reads of a frame, at most kID3v2FrameContentKept bytes of it: the additions to the header
// skipped, unsynchronisation undone and compression inflated (up to the size the frame states for it). Empty when
// it cannot be read.
std::vector<std::uint8_t> ContentOf(Bytes stored, const FrameFormat& format) {
  if (format.encrypted || stored.size() < format.added) return {};
  std::size_t limit = kID3v2FrameContentKept;
  if (format.addedSizeAt) {
    const std::uint8_t* size = stored.data() + *format.addedSizeAt;
    limit = std::min<std::size_t>(limit, format.syncsafeSize ? bytes::Syncsafe32(size) : bytes::BigEndian32(size));
  }
  Bytes content = stored.subspan(format.added);
  std::vector<std::uint8_t> resynchronised;
  if (format.unsynchronised) {
    resynchronised = Resynchronised(content);
    content = resynchronised;
  }
  if (!format.compressed) {
    content = content.first(std::min<std::size_t>(content.size(), kID3v2FrameContentKept));
    return {content.begin(), content.end()};
  }
  std::vector<std::uint8_t> inflated;
  if (!InflateZlib(content, limit, inflated)) return {};
  return inflated;
}

// The bytes of a tag as the frame walk asks for them: read from the source when the region does not hold them, in a
// window that starts there and reaches to what the caller wants after the tag when that is near.
class TagReader {
public:
  TagReader(ByteSource& source, SourceRegion& region, std::uint64_t tagSize, std::size_t following)
      : source_(source), region_(region), tagSize_(tagSize), following_(following) {}
  std::uint64_t TagSize() const { return tagSize_; }
  // Valid until the next call.
  Bytes At(std::uint64_t offset, std::size_t length) {
    if (!region_.Holds(offset, length)) {
      const std::uint64_t rest = tagSize_ + std::uint64_t{following_} - offset;
      const auto window = static_cast<std::size_t>(std::min<std::uint64_t>(rest, kTagWindowSize));
      region_.Read(source_, offset, std::max(length, window));
    }
    return region_.At(offset, length);
  }

private:
  ByteSource& source_;
  SourceRegion& region_;
  std::uint64_t tagSize_;
  std::size_t following_;
};

using SlotTexts = std::array<std::u16string, kSlotCount>;

// Walks the frames from the end of the header, decoding the text of each slot as its frame is met (a later frame of
// the same ID replaces an earlier one), and the comments.
void ReadFrames(TagReader& tag, std::uint8_t version, std::uint8_t flags, SlotTexts& texts, Comments& comments) {
  std::uint64_t pos = kID3v2HeaderSize;
  // The extended header (2.3: its size excludes the four size bytes; 2.4: a syncsafe size that includes them).
  if ((flags & 0x40) && version >= 3) {
    const Bytes p = tag.At(pos, 4);
    if (p.size() == 4)
      pos += version == 3 ? std::uint64_t{bytes::BigEndian32(p.data())} + 4 : bytes::Syncsafe32(p.data());
  }
  const bool tagUnsynchronised = flags & 0x80;
  const std::size_t frameHeaderSize = version == 2 ? 6 : 10;
  // Frames beyond the cap are not read, whatever the tag's size.
  const std::uint64_t end = std::min<std::uint64_t>(tag.TagSize(), kMaxTagRegion);
  while (pos + frameHeaderSize <= end) {
    const Bytes p = tag.At(pos, frameHeaderSize);
    if (p.size() < frameHeaderSize || p[0] < 'A' || p[0] > 'Z') break;  // padding, or the end of the file
    // 2.2: id[3] size[3]; 2.3: id[4] size[4] flags[2]; 2.4: the same with a syncsafe size.
    char idBytes[4];
    std::memcpy(idBytes, p.data(), 4);  // the window may move before the ID is looked up
    const std::string_view id(idBytes, version == 2 ? 3 : 4);
    const std::uint64_t frameSize = version == 2   ? bytes::BigEndian24(p.data() + 3)
                                    : version == 3 ? bytes::BigEndian32(p.data() + 4)
                                                   : bytes::Syncsafe32(p.data() + 4);
    const std::uint8_t formatFlags = version == 2 ? 0 : p[9];
    const std::uint64_t contentStart = pos + frameHeaderSize;
    if (frameSize > tag.TagSize() - contentStart) break;  // runs past the tag
    pos = contentStart + frameSize;
    if (frameSize == 0) continue;
    const std::optional<int> slot = SlotOf(id, version);
    if (!slot) continue;
    const FrameFormat format = FormatOf(version, formatFlags, tagUnsynchronised);
    const auto stored = static_cast<std::size_t>(BytesToRead(format, frameSize));
    const std::vector<std::uint8_t> content = ContentOf(tag.At(contentStart, stored), format);
    if (!HasTextEncoding(content)) continue;
    if (*slot == sComment)
      comments.Add(content);
    else
      texts[*slot] = *slot == sLink ? LinkOf(content) : TextOf(content);
  }
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

  SlotTexts texts{};
  Comments comments;
  if ((flags & 0x80) && VersionID < 4) {
    // 2.2 and 2.3: the whole tag after its header was unsynchronised, and its frame sizes count the bytes before
    // that. It is read (up to the cap, with what the caller wants after it) and undone at once.
    std::vector<std::uint8_t> whole(header.begin(), header.end());
    const auto tagBytes = static_cast<std::size_t>(std::min<std::uint64_t>(Size, kMaxTagRegion));
    const std::size_t wanted = tagBytes + (Size <= kMaxTagRegion ? following : 0);
    if (head.Offset() == 0)
      head.Extend(source, wanted);
    else
      head.Read(source, 0, wanted);
    const std::vector<std::uint8_t> frames = Resynchronised(head.At(kID3v2HeaderSize, tagBytes - kID3v2HeaderSize));
    whole.insert(whole.end(), frames.begin(), frames.end());
    MemoryByteSource decoded(whole);
    SourceRegion region;
    TagReader tag(decoded, region, whole.size(), 0);
    ReadFrames(tag, VersionID, flags, texts, comments);
  } else {
    TagReader tag(source, head, Size, following);
    ReadFrames(tag, VersionID, flags, texts, comments);
  }

  auto either = [&](int slot, int fallback) { return std::move(texts[texts[slot].empty() ? fallback : slot]); };
  Title = either(sTitle, sTitleFallback);
  Artist = either(sArtist, sArtistFallback);
  Album = either(sAlbum, sAlbumFallback);
  TrackString = std::move(texts[sTrack]);
  Track = TrackNumberOf(TrackString);
  Year = std::move(texts[sYear]);
  if (Year.empty()) Year = texts[sYearFallback].substr(0, 4);
  Genre = GenreOf(std::move(texts[sGenre]));
  Comment = std::move(comments).Comment();
  Composer = std::move(texts[sComposer]);
  Encoder = std::move(texts[sEncoder]);
  Copyright = std::move(texts[sCopyright]);
  Language = std::move(texts[sLanguage]);
  Link = std::move(texts[sLink]);
  return true;
}

}  // namespace nv

