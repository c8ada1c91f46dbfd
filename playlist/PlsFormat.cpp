#include "playlist/PlsFormat.h"

#include <algorithm>
#include <limits>
#include <unordered_map>
#include <vector>

#include "playlist/PlayListFileConstants.h"
#include "playlist/PlayListReading.h"
#include "playlist/PlayListWriting.h"
#include "playlist/ProfileText.h"
#include "playlist/XPlayList.h"
#include "support/Errors.h"
#include "support/MarkedText.h"
#include "support/SystemText.h"

namespace nv {

namespace {

// ---- Values ----

// The marker byte as a UTF-16 file holds it: what the system code page makes of it.
const std::u16string& WideMarker() {
  static const std::u16string marker = platform::AnsiToUtf16(std::string(1, kPlsUnicodeMarker));
  return marker;
}

// In a Unicode file a marked value is the marker character and the UTF-8 bytes as the code page shows them.
std::u16string ValueText(std::u16string_view value, TProfileEncoding) {
  const std::u16string& marker = WideMarker();
  if (!value.starts_with(marker)) return std::u16string(value);
  std::string bytes;
  if (!platform::Utf16ToAnsi(value.substr(marker.size()), bytes)) return std::u16string(value);
  return Utf8ToUtf16(bytes);
}

std::u16string ValueText(std::string_view value, TProfileEncoding encoding) {
  if (encoding == TProfileEncoding::peAnsi) {
    if (!value.empty() && value.front() == kPlsUnicodeMarker) return Utf8ToUtf16(value.substr(1));
    return platform::AnsiToUtf16(value);
  }
  std::u16string wide;
  // The profile functions take what is not UTF-8 in a UTF-8 file as they can; so does the player.
  if (!TryUtf8ToUtf16(value, wide)) wide = platform::AnsiToUtf16(value);
  return ValueText(std::u16string_view(wide), encoding);
}

// ---- Reading ----

template <class Char>
struct PlsKeys {
  using View = std::basic_string_view<Char>;
  struct Entry {
    std::optional<View> file, title, length, redirected;
  };
  std::optional<View> current;
  std::unordered_map<std::int32_t, Entry> entries;  // by number
};

template <class Char>
void KeepFirst(std::optional<std::basic_string_view<Char>>& slot, std::basic_string_view<Char> value) {
  if (!slot) slot = value;
}

// `name` is `key` followed by a number from 1 written as the profile functions are asked for it.
template <class Char>
bool NumberedKey(std::basic_string_view<Char> name, std::string_view key, std::int32_t& number) {
  if (!StartsWithKeyword(name, key)) return false;
  name.remove_prefix(key.size());
  if (name.empty() || name.size() > 10 || name.front() == Char('0')) return false;
  std::int64_t value = 0;
  for (const Char c : name) {
    if (c < Char('0') || c > Char('9')) return false;
    value = value * 10 + (c - Char('0'));
  }
  if (value > std::numeric_limits<std::int32_t>::max()) return false;
  number = static_cast<std::int32_t>(value);
  return true;
}

// The keys of the first "[playlist]" section, the first of each name.
template <class Char>
PlsKeys<Char> CollectKeys(std::basic_string_view<Char> text) {
  PlsKeys<Char> keys;
  bool inside = false, seen = false;
  for (const std::basic_string_view<Char> line : SplitLines(text)) {
    const TProfileLine<Char> parsed = ParseProfileLine(line);
    if (parsed.Section) {
      inside = !seen && IsKeyword(parsed.Name, kPlsSection);
      seen = seen || inside;
      continue;
    }
    if (!inside || parsed.Name.empty()) continue;
    const std::basic_string_view<Char> value = parsed.Value.value_or(std::basic_string_view<Char>());
    std::int32_t number = 0;
    if (IsKeyword(parsed.Name, kPlsCurrentKey)) KeepFirst(keys.current, value);
    else if (NumberedKey(parsed.Name, kPlsFileKey, number)) KeepFirst(keys.entries[number].file, value);
    else if (NumberedKey(parsed.Name, kPlsTitleKey, number)) KeepFirst(keys.entries[number].title, value);
    else if (NumberedKey(parsed.Name, kPlsLengthKey, number)) KeepFirst(keys.entries[number].length, value);
    else if (NumberedKey(parsed.Name, kPlsRedirectedKey, number)) KeepFirst(keys.entries[number].redirected, value);
  }
  return keys;
}

template <class Char>
std::u16string NumberText(const std::optional<std::basic_string_view<Char>>& value) {
  std::u16string text;
  if (value)
    for (const Char c : *value) text.push_back(static_cast<char16_t>(static_cast<std::make_unsigned_t<Char>>(c)));
  return text;
}

// Every "FileN" the file holds, in the order of N: "NumberOfEntries" is not trusted (a writer that miscounts, or
// leaves it out, would otherwise lose entries), and the entries are only the lines there are. An entry whose value
// does not decode is passed over.
template <class Char>
void AddEntries(TPlayListReader& reader, const PlsKeys<Char>& keys, TProfileEncoding encoding, bool restoreCurrent) {
  std::vector<std::int32_t> numbers;
  for (const auto& [number, entry] : keys.entries)
    if (entry.file) numbers.push_back(number);
  std::sort(numbers.begin(), numbers.end());
  for (const std::int32_t number : numbers) {
    const typename PlsKeys<Char>::Entry& entry = keys.entries.at(number);
    std::u16string file, title;
    try {
      file = TrimBlanks(std::u16string_view(ValueText(*entry.file, encoding)));
      if (entry.title) title = TrimBlanks(std::u16string_view(ValueText(*entry.title, encoding)));
    } catch (const EConvertError&) {
      reader.LineSkipped();
      continue;
    }
    if (file.empty()) continue;
    std::optional<std::int32_t> duration;
    if (const std::optional<std::int32_t> length = WholeNumber(NumberText(entry.length)); length && *length > 0)
      duration = SecondsToMilliseconds(*length);
    TXPlayListItem* item = reader.AddEntry(reader.Resolve(file), title, duration);
    if (item && NumberText(entry.redirected) == u"1") item->ASXRedirected = true;
  }
  TXPlayList& list = reader.List();
  const std::int32_t current = WholeNumber(NumberText(keys.current)).value_or(0);
  if (restoreCurrent && current >= 0 && current < list.Count())
    list.Items(current).Activate(false, TSetCurrentMode::smNormal);
}

// ---- Writing ----

// A value in a pair of equal quotes would lose them when read: another pair keeps them.
template <class Text>
void AppendValue(Text& out, const Text& value) {
  const bool quoted =
      value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
  if (quoted) out.push_back('"');
  out += value;
  if (quoted) out.push_back('"');
}

// The section's keys and values in the order they are written, each handed to `write`(key, value).
template <class Write>
void ForEachValue(TXPlayList& list, const TPlayListFolder& playList, bool saveCurrent, Write write) {
  const auto number = [](std::int64_t n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
  };
  std::string key;
  const auto numbered = [&key](const char* name, int k) -> std::string_view {
    key = name;
    key += std::to_string(k);
    return key;
  };
  for (int i = 0; i < list.Count(); ++i) {
    const TXPlayListItem& item = list.Items(i);
    write(numbered(kPlsFileKey, i + 1), WrittenEntry(item, playList));
    if (const std::u16string title = WrittenTitle(item, list.TitleFormat); !title.empty())
      write(numbered(kPlsTitleKey, i + 1), title);
    if (const std::optional<std::u16string> length = WrittenLength(item))
      write(numbered(kPlsLengthKey, i + 1), *length);
    if (item.ASXRedirected) write(numbered(kPlsRedirectedKey, i + 1), u"1");
  }
  write(kPlsCountKey, number(list.Count()));
  write(kPlsVersionKey, number(kPlsVersion));
  if (saveCurrent)
    if (const int current = list.CurrentIndex(); current >= 0) write(kPlsCurrentKey, number(current));
}

// Every line of the text but those of its "[playlist]" sections, each with CR LF.
template <class Char>
std::basic_string<Char> KeptLines(std::basic_string_view<Char> text) {
  std::basic_string<Char> kept;
  bool dropping = false;
  for (const std::basic_string_view<Char> line : SplitLines(text)) {
    const TProfileLine<Char> parsed = ParseProfileLine(line);
    if (parsed.Section) dropping = IsKeyword(parsed.Name, kPlsSection);
    if (dropping) continue;
    kept += line;
    kept += Char('\r');
    kept += Char('\n');
  }
  return kept;
}

// The value in the file's encoding, as it will be read: without the blanks round it, which reading drops before it
// looks for the marker. In the code page, 0xB6 and its UTF-8 when the code page cannot hold it (or when it starts
// with that byte itself); in a Unicode file, only a value that starts with the marker is marked.
std::string AnsiValue(std::u16string_view value) {
  value = TrimBlanks(value);
  std::string ansi;
  if (platform::Utf16ToAnsi(value, ansi) && !ansi.starts_with(kPlsUnicodeMarker)) return ansi;
  return kPlsUnicodeMarker + Utf16ToUtf8(value);
}
std::u16string UnicodeValue(std::u16string_view value) {
  value = TrimBlanks(value);
  if (!value.starts_with(WideMarker())) return std::u16string(value);
  return platform::AnsiToUtf16(kPlsUnicodeMarker + Utf16ToUtf8(value));
}

}  // namespace

void ReadPls(TPlayListReader& reader, std::string_view bytes, bool restoreCurrent) {
  const TProfileContent content = DecodeProfile(bytes);
  if (content.Encoding == TProfileEncoding::peUtf16LE || content.Encoding == TProfileEncoding::peUtf16BE)
    AddEntries(reader, CollectKeys(std::u16string_view(content.Wide)), content.Encoding, restoreCurrent);
  else
    AddEntries(reader, CollectKeys(content.Narrow), content.Encoding, restoreCurrent);
}

std::string WritePls(TXPlayList& list, const TPlayListFolder& playList, std::string_view existing, bool saveCurrent) {
  const TProfileContent content = DecodeProfile(existing);
  const std::string header = std::string("[") + kPlsSection + "]";
  // Room for the usual entry's four lines, so that a long list is not copied as it grows.
  constexpr std::size_t kTypicalEntrySize = 160;
  if (content.Encoding == TProfileEncoding::peAnsi || content.Encoding == TProfileEncoding::peUtf8) {
    const bool utf8 = content.Encoding == TProfileEncoding::peUtf8;
    std::string out = utf8 ? kUtf8ByteOrderMark : "";
    out.reserve(existing.size() + list.Count() * kTypicalEntrySize);
    out += KeptLines(content.Narrow);
    out += header + "\r\n";
    ForEachValue(list, playList, saveCurrent, [&](std::string_view key, std::u16string_view value) {
      out += key;
      out += '=';
      AppendValue(out, utf8 ? Utf16ToUtf8(UnicodeValue(value)) : AnsiValue(value));
      out += "\r\n";
    });
    return out;
  }
  std::u16string text = KeptLines(std::u16string_view(content.Wide));
  const auto widen = [](std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); };
  text += widen(header) + u"\r\n";
  ForEachValue(list, playList, saveCurrent, [&](std::string_view key, std::u16string_view value) {
    text += widen(key) + u'=';
    AppendValue(text, UnicodeValue(value));
    text += u"\r\n";
  });
  const bool little = content.Encoding == TProfileEncoding::peUtf16LE;
  std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
  out.reserve(2 + text.size() * 2);
  for (const char16_t c : text) {
    const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
    out += little ? low : high;
    out += little ? high : low;
  }
  return out;
}

}  // namespace nv
