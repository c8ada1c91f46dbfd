#include "metadata/TagText.h"

#include <algorithm>
#include <cstdint>

#include "support/MarkedText.h"
#include "support/SystemText.h"

namespace nv {

std::u16string TrimBlanks(std::u16string text) {
  std::size_t end = text.size();
  while (end > 0 && text[end - 1] <= u' ') --end;
  std::size_t start = 0;
  while (start < end && text[start] <= u' ') ++start;
  text.resize(end);
  text.erase(0, start);
  return text;
}

std::u16string DecodeSingleByteText(std::span<const std::uint8_t> bytes) {
  const auto zero = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), zero - bytes.begin());
  std::u16string wide;
  if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return std::u16string(text.begin(), text.end());  // ASCII: the same in UTF-8 and every code page
  if (TryUtf8ToUtf16(text, wide)) return wide;
  return platform::AnsiToUtf16(text);
}

int WholeNumberOrZero(std::u16string_view text) {
  const std::u16string trimmed = TrimBlanks(std::u16string(text));
  std::u16string_view digits = trimmed;
  bool negative = false;
  if (!digits.empty() && (digits.front() == u'+' || digits.front() == u'-')) {
    negative = digits.front() == u'-';
    digits.remove_prefix(1);
  }
  if (digits.empty()) return 0;
  std::int64_t value = 0;
  for (char16_t c : digits) {
    if (c < u'0' || c > u'9') return 0;
    value = value * 10 + (c - u'0');
    if (value > 0x80000000LL) return 0;
  }
  if (negative) value = -value;
  return value > 0x7FFFFFFF ? 0 : static_cast<int>(value);
}

int TrackNumberOf(std::u16string_view text) {
  return WholeNumberOrZero(text.substr(0, text.find(u'/')));
}

}  // namespace nv
