#pragma once
// Initialisation-file text taken apart as the system's profile functions take it: the encoding from the byte-order
// mark (UTF-8, UTF-16 little or big endian, else the system code page); lines; blanks round a line, a section name,
// a key name and a value dropped; "[name]" up to the last "]" opening a section; "name=value" a key, where a value
// in a pair of equal quotes (' or ") loses them; a line without "=" a key without value. Lookups by name are the
// caller's: the profile functions compare names without regard to case, use the first section of a name and its
// first key of a name.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "playlist/PlayListText.h"

namespace nv {

enum class TProfileEncoding : std::uint8_t { peAnsi, peUtf8, peUtf16LE, peUtf16BE };

struct TProfileContent {
  TProfileEncoding Encoding = TProfileEncoding::peAnsi;
  std::string_view Narrow;  // ANSI or UTF-8 text after the byte-order mark
  std::u16string Wide;      // the text of the UTF-16 encodings
};
TProfileContent DecodeProfile(std::string_view bytes);

template <class Char>
struct TProfileLine {
  bool Section = false;
  std::basic_string_view<Char> Name;  // the section's or the key's name
  std::optional<std::basic_string_view<Char>> Value;
};

template <class Char>
TProfileLine<Char> ParseProfileLine(std::basic_string_view<Char> line) {
  TProfileLine<Char> parsed;
  line = TrimBlanks(line);
  if (!line.empty() && line.front() == Char('[')) {
    if (const std::size_t close = line.rfind(Char(']')); close != std::basic_string_view<Char>::npos) {
      parsed.Section = true;
      parsed.Name = TrimBlanks(line.substr(1, close - 1));
      return parsed;
    }
  }
  const std::size_t equals = line.find(Char('='));
  parsed.Name = TrimBlanks(line.substr(0, equals));
  if (equals == std::basic_string_view<Char>::npos) return parsed;
  std::basic_string_view<Char> value = TrimBlanks(line.substr(equals + 1));
  if (value.size() >= 2 && (value.front() == Char('"') || value.front() == Char('\'')) && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  parsed.Value = value;
  return parsed;
}

}  // namespace nv
