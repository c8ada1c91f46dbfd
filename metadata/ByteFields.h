#pragma once
// Fixed-width fields of binary formats. Callers check that the bytes are there before reading them.
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace nv::bytes {

using Bytes = std::span<const std::uint8_t>;

inline std::uint32_t BigEndian32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}
inline std::uint32_t BigEndian24(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
}
inline std::uint32_t LittleEndian32(const std::uint8_t* p) {
  return (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
}
inline std::uint64_t LittleEndian64(const std::uint8_t* p) {
  return (std::uint64_t{LittleEndian32(p + 4)} << 32) | LittleEndian32(p);
}
// ID3v2 sizes: four bytes of seven bits each, most significant first.
inline std::uint32_t Syncsafe32(const std::uint8_t* p) {
  return (std::uint32_t{p[0] & 0x7Fu} << 21) | (std::uint32_t{p[1] & 0x7Fu} << 14) |
         (std::uint32_t{p[2] & 0x7Fu} << 7) | (p[3] & 0x7Fu);
}

// True when `bytes` holds `text` at `offset` (false when it would run past the end).
inline bool HasText(Bytes bytes, std::size_t offset, std::string_view text) {
  return offset <= bytes.size() && text.size() <= bytes.size() - offset &&
         std::memcmp(bytes.data() + offset, text.data(), text.size()) == 0;
}

inline std::string_view AsChars(Bytes bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace nv::bytes
