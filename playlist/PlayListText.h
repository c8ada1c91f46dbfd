#pragma once
// The small text rules the playlist file formats share: lines ended by CR, LF or CR LF; blanks (every character up
// to the space) trimmed; keywords compared without regard to (ASCII) case; whole decimal numbers.
#include <cstdint>
#include <optional>
#include <string_view>
#include <type_traits>
#include <vector>

namespace nv {

// The lines of a text, without their ends; a last line without an end is a line too, an empty text has none.
template <class Char>
std::vector<std::basic_string_view<Char>> SplitLines(std::basic_string_view<Char> text) {
  std::vector<std::basic_string_view<Char>> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != Char('\r') && text[i] != Char('\n')) continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n')) ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

template <class Char>
std::basic_string_view<Char> TrimBlanks(std::basic_string_view<Char> text) {
  while (!text.empty() && static_cast<std::make_unsigned_t<Char>>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<std::make_unsigned_t<Char>>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

// `text` starts with `keyword` (ASCII), letters compared without regard to case.
template <class Char>
bool StartsWithKeyword(std::basic_string_view<Char> text, std::string_view keyword) {
  if (text.size() < keyword.size()) return false;
  const auto fold = [](unsigned c) { return c >= 'A' && c <= 'Z' ? c + 0x20 : c; };
  for (std::size_t i = 0; i < keyword.size(); ++i)
    if (fold(static_cast<std::make_unsigned_t<Char>>(text[i])) != fold(static_cast<unsigned char>(keyword[i])))
      return false;
  return true;
}

template <class Char>
bool IsKeyword(std::basic_string_view<Char> text, std::string_view keyword) {
  return text.size() == keyword.size() && StartsWithKeyword(text, keyword);
}

// A whole decimal number with an optional sign, blanks around it allowed; nothing for anything else, including
// numbers beyond 32 bits.
std::optional<std::int32_t> WholeNumber(std::u16string_view text);

// Seconds as the milliseconds a "Duration" holds; nothing when they do not fit.
std::optional<std::int32_t> SecondsToMilliseconds(std::int32_t seconds);

}  // namespace nv
