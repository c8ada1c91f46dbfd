#include "playlist/PlayListText.h"

#include <limits>
#include <string>

#include "support/ValueText.h"

namespace nv {

std::optional<std::int32_t> WholeNumber(std::u16string_view text) {
  text = TrimBlanks(text);
  std::string ascii;
  ascii.reserve(text.size());
  for (const char16_t c : text) {
    if (c > 0x7F) return std::nullopt;
    ascii.push_back(static_cast<char>(c));
  }
  return ParseInteger(ascii);
}

std::optional<std::int32_t> SecondsToMilliseconds(std::int32_t seconds) {
  const std::int64_t milliseconds = std::int64_t{seconds} * 1000;
  using Limits = std::numeric_limits<std::int32_t>;
  if (milliseconds > Limits::max() || milliseconds < Limits::min()) return std::nullopt;
  return static_cast<std::int32_t>(milliseconds);
}

}  // namespace nv
