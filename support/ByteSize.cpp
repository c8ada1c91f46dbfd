#include "support/ByteSize.h"

#include "support/MarkedText.h"
#include "support/SystemText.h"

namespace nv {

namespace {

ByteUnit AutomaticUnit(std::uint64_t bytes) {
  if (bytes < (1ull << 10)) return ByteUnit::Bytes;
  if (bytes < (1ull << 20)) return ByteUnit::KB;
  if (bytes < (1ull << 30)) return ByteUnit::MB;
  if (bytes < (1ull << 40)) return ByteUnit::GB;
  return ByteUnit::TB;
}

const char* UnitWord(ByteUnit unit) {
  switch (unit) {
    case ByteUnit::KB: return "KB";
    case ByteUnit::MB: return "MB";
    case ByteUnit::GB: return "GB";
    case ByteUnit::TB: return "TB";
    default: return "bytes";
  }
}

std::u16string Grouped(std::uint64_t whole, const std::u16string& separator) {
  const std::string digits = std::to_string(whole);
  std::u16string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
    out.push_back(static_cast<char16_t>(digits[i]));
  }
  return out;
}

}  // namespace

std::string FormatByteSize(std::uint64_t bytes, ByteUnit unit, bool roundedUp) {
  if (unit < ByteUnit::Bytes || unit > ByteUnit::TB) unit = AutomaticUnit(bytes);
  const std::uint64_t size = 1ull << (10 * (static_cast<int>(unit) - 1));
  const platform::NumberSeparators separators = platform::UserNumberSeparators();

  // Integer arithmetic throughout: the remainder is below 2^40, so remainder * 100 cannot overflow.
  std::uint64_t whole = bytes / size;
  const std::uint64_t remainder = bytes % size;
  std::u16string number;
  if (roundedUp || unit == ByteUnit::Bytes) {
    if (roundedUp && remainder != 0) ++whole;
    number = Grouped(whole, separators.thousands);
  } else {
    std::uint64_t hundredths = (remainder * 100 + size / 2) / size;  // "#.##" rounds half up
    if (hundredths == 100) ++whole, hundredths = 0;
    number = Grouped(whole, separators.thousands);
    if (hundredths != 0) {
      number += separators.decimal;
      number.push_back(static_cast<char16_t>(u'0' + hundredths / 10));
      if (hundredths % 10 != 0) number.push_back(static_cast<char16_t>(u'0' + hundredths % 10));
    }
  }
  number.push_back(u' ');
  for (const char* word = UnitWord(unit); *word; ++word) number.push_back(static_cast<char16_t>(*word));
  return Utf16ToMarked(number);
}

}  // namespace nv
