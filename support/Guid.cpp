#include "support/Guid.h"

namespace nv {

std::string FormatGuid(const Guid& guid) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  // The structure's byte for each pair of digits in text order.
  static constexpr std::array<std::size_t, 16> kToText = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
  std::string text = "{";
  for (std::size_t i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
    const std::uint8_t b = guid.bytes[kToText[i]];
    text += kDigits[b >> 4];
    text += kDigits[b & 0x0F];
  }
  text += '}';
  return text;
}

}  // namespace nv
