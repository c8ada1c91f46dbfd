#pragma once
// Test media written byte by byte: ID3 tags and frames, MPEG frame headers, Ogg pages. A std::string holds the
// bytes, so that tables of cases can write them as annotated literals and join them with "+".
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "support/ByteSource.h"

namespace nv::test {

using Bytes = std::string;

inline Bytes BigEndian32(std::uint32_t n) {
  return {char(n >> 24), char(n >> 16), char(n >> 8), char(n)};
}
inline Bytes Syncsafe32(std::uint32_t n) {
  return {char((n >> 21) & 0x7F), char((n >> 14) & 0x7F), char((n >> 7) & 0x7F), char(n & 0x7F)};
}
inline Bytes LittleEndian32(std::uint32_t n) {
  return {char(n), char(n >> 8), char(n >> 16), char(n >> 24)};
}
inline Bytes LittleEndian64(std::uint64_t n) { return LittleEndian32(std::uint32_t(n)) + LittleEndian32(n >> 32); }

// An ID3v2 frame: 2.2 has a three-byte size and no flags, 2.3 a big-endian size, 2.4 a syncsafe one.
inline Bytes Id3v2Frame(int version, std::string_view id, std::string_view content, std::uint16_t flags = 0) {
  if (version == 2) return Bytes(id) + BigEndian32(std::uint32_t(content.size())).substr(1) + Bytes(content);
  const auto length = std::uint32_t(content.size());
  const Bytes size = version == 4 ? Syncsafe32(length) : BigEndian32(length);
  return Bytes(id) + size + char(flags >> 8) + char(flags) + Bytes(content);
}

// A whole ID3v2 tag around `body` (frames, padding), its size stated as the body's unless given.
inline Bytes Id3v2Tag(int version, std::string_view body, std::uint8_t flags = 0, std::int64_t statedSize = -1) {
  const std::uint32_t size = statedSize >= 0 ? std::uint32_t(statedSize) : std::uint32_t(body.size());
  return Bytes("ID3") + char(version) + '\0' + char(flags) + Syncsafe32(size) + Bytes(body);
}

// ID3v2 unsynchronisation: a zero after every 0xFF (the writers' rule inserts it only where a sync could be read;
// readers undo every FF 00 alike).
inline Bytes Unsynchronised(std::string_view bytes) {
  Bytes out;
  for (char c : bytes) {
    out += c;
    if (c == '\xFF') out += '\0';
  }
  return out;
}

// The 128-byte ID3v1 tag from its fields, each padded with zeros to its width.
inline Bytes Id3v1Tag(std::string_view title, std::string_view artist, std::string_view album, std::string_view year,
                      std::string_view comment, std::uint8_t genre) {
  auto field = [](std::string_view text, std::size_t width) {
    Bytes f(text.substr(0, width));
    f.resize(width, '\0');
    return f;
  };
  return "TAG" + field(title, 30) + field(artist, 30) + field(album, 30) + field(year, 4) + field(comment, 30) +
         char(genre);
}

// `count` frames that start with `header` and are `length` bytes long, silent (zeros after the header).
inline Bytes MpegFrames(std::string_view header, std::size_t length, int count) {
  Bytes frame(header);
  frame.resize(length, '\0');
  Bytes out;
  for (int i = 0; i < count; ++i) out += frame;
  return out;
}

// An Ogg page; the checksum is left 0 (the readers do not check it).
inline Bytes OggPage(std::uint32_t serial, std::uint64_t granule, std::initializer_list<std::uint8_t> lacing,
                     std::string_view body, std::uint8_t type = 0) {
  Bytes page = Bytes("OggS") + '\0' + char(type) + LittleEndian64(granule) + LittleEndian32(serial) +
               LittleEndian32(0) + LittleEndian32(0) + char(lacing.size());
  for (std::uint8_t l : lacing) page += char(l);
  return page + Bytes(body);
}

inline std::span<const std::uint8_t> AsBytes(const Bytes& b) {
  return {reinterpret_cast<const std::uint8_t*>(b.data()), b.size()};
}

using CountingSource = CountingByteSource;

}  // namespace nv::test
