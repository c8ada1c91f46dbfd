#include "playlist/EntryText.h"

#include <charconv>

#include "support/MarkedText.h"
#include "support/TextCompare.h"

namespace nv {

namespace {

bool IsBlank(char16_t c) { return c <= u' '; }

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool ParseMilliseconds(std::u16string_view text, std::int32_t& value) {
  text = Trim(text);
  std::string ascii;
  for (char16_t c : text) {
    if (c > 0x7F) return false;
    ascii.push_back(static_cast<char>(c));
  }
  const char* first = ascii.data();
  const char* last = first + ascii.size();
  if (first != last && *first == '+') ++first;
  const auto [end, error] = std::from_chars(first, last, value);
  return first != last && error == std::errc() && end == last;
}

// The extension as the sub-range rule sees it: from the last ".", "\", "/" or ":" when that one is a ".".
std::u16string_view RangeRuleExtension(std::u16string_view entry) {
  const std::size_t last = entry.find_last_of(u".\\/:");
  return last != std::u16string_view::npos && entry[last] == u'.' ? entry.substr(last) : std::u16string_view();
}

}  // namespace

TEntrySyntax ParseEntry(std::string_view entry, TSubRange& range) {
  // "<" and ">" never occur as the second byte of a double-byte character, so the bytes may be asked first.
  if (entry.find('<') == std::string_view::npos || entry.empty() || entry.back() != '>') return TEntrySyntax::Plain;
  const std::u16string wide = MarkedToUtf16(entry);
  if (LocaleCompare(RangeRuleExtension(wide), u".<cda>") == 0) return TEntrySyntax::Plain;
  const std::size_t open = wide.find(u'<');
  const std::u16string_view text = std::u16string_view(wide).substr(open + 1, wide.size() - open - 2);
  range = {};
  range.Path = Utf16ToMarked(std::u16string_view(wide).substr(0, open));
  if (const std::size_t comma = text.find(u','); comma != std::u16string_view::npos) {
    if (!ParseMilliseconds(text.substr(comma + 1), range.End) || !ParseMilliseconds(text.substr(0, comma), range.Start))
      return TEntrySyntax::BadSubRange;
  } else if (!ParseMilliseconds(text, range.Start)) {
    return TEntrySyntax::BadSubRange;
  }
  return TEntrySyntax::SubRange;
}

std::vector<std::string> TextLines(std::string_view text) {
  // On the wide form, so that every line of a marked text is marked on its own.
  const std::u16string wide = MarkedToUtf16(text);
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= wide.size()) {
    std::size_t end = wide.find_first_of(u"\r\n", start);
    if (end == std::u16string::npos) end = wide.size();
    std::u16string_view line = Trim(std::u16string_view(wide).substr(start, end - start));
    if (line.size() >= 2 && line.front() == u'"' && line.back() == u'"') line = Trim(line.substr(1, line.size() - 2));
    if (!line.empty()) lines.push_back(Utf16ToMarked(line));
    start = end + 1;
    if (end + 1 < wide.size() && wide[end] == u'\r' && wide[end + 1] == u'\n') ++start;
  }
  return lines;
}

}  // namespace nv
