#pragma once
// A GUID (class, interface or format identifier) as a value the portable core can hold, compare and write as text.
// The bytes are in the memory layout of the Windows GUID structure (the first three fields little-endian), so the
// Windows layer converts by copying.
#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nv {

struct Guid {
  std::array<std::uint8_t, 16> bytes{};

  constexpr bool IsNull() const {
    for (std::uint8_t b : bytes)
      if (b != 0) return false;
    return true;
  }
  constexpr auto operator<=>(const Guid&) const = default;
};

namespace guid_detail {
constexpr int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
// The braced registry form "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", hex digits in either case, nothing around it.
constexpr std::optional<Guid> Parse(std::string_view text) {
  constexpr std::string_view kPattern = "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}";
  if (text.size() != kPattern.size()) return std::nullopt;
  std::array<std::uint8_t, 16> digits{};  // the 16 bytes in text order
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (kPattern[i] != 'x') {
      if (text[i] != kPattern[i]) return std::nullopt;
      continue;
    }
    const int value = HexValue(text[i]);
    if (value < 0) return std::nullopt;
    digits[n / 2] = static_cast<std::uint8_t>(digits[n / 2] << 4 | value);
    ++n;
  }
  // Text order is big-endian; the structure holds Data1 (4 bytes), Data2 and Data3 (2 bytes each) little-endian.
  Guid guid;
  constexpr std::array<std::size_t, 16> kFromText = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
  for (std::size_t i = 0; i < 16; ++i) guid.bytes[i] = digits[kFromText[i]];
  return guid;
}
}  // namespace guid_detail

// The GUID written in its braced registry form; nothing when the text is anything else.
constexpr std::optional<Guid> ParseGuid(std::string_view text) { return guid_detail::Parse(text); }

// A GUID named in the source: "{79376820-07D0-11CF-A24D-0020AFD79767}"_guid does not compile when mistyped.
consteval Guid operator""_guid(const char* text, std::size_t size) {
  const std::optional<Guid> guid = guid_detail::Parse(std::string_view(text, size));
  if (!guid) throw "not a GUID in braced form";
  return *guid;
}

// The braced form in upper case, as the system writes GUIDs: 38 characters.
std::string FormatGuid(const Guid& guid);

}  // namespace nv
