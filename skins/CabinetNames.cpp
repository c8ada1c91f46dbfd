#include "skins/CabinetNames.h"

#include <algorithm>
#include <array>

#include "support/PathNames.h"
#include "support/TextCompare.h"

namespace nv {
namespace {

// `c` is `ascii`, or its lower-case form for a capital letter.
bool SameAsciiIgnoringCase(char16_t c, char ascii) {
  return c == ascii || (ascii >= 'A' && ascii <= 'Z' && c == ascii + ('a' - 'A'));
}

// "CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "COM1".."COM9" and "LPT1".."LPT9" (the superscript digits
// count too), before the first dot ("nul.txt" opens the device as well) and ignoring trailing blanks.
bool IsDeviceName(std::u16string_view part) {
  part = part.substr(0, part.find(u'.'));
  while (!part.empty() && part.back() == u' ') part.remove_suffix(1);
  auto is = [&](const char* name) {
    for (std::size_t i = 0; i < part.size(); ++i)
      if (name[i] == '\0' || !SameAsciiIgnoringCase(part[i], name[i])) return false;
    return name[part.size()] == '\0';
  };
  if (is("CON") || is("PRN") || is("AUX") || is("NUL") || is("CONIN$") || is("CONOUT$")) return true;
  const bool digit = part.size() == 4 && ((part[3] >= u'1' && part[3] <= u'9') || part[3] == u'\u00B9' ||
                                          part[3] == u'\u00B2' || part[3] == u'\u00B3');
  if (digit) {
    const std::u16string_view stem = part.substr(0, 3);
    auto stemIs = [&](const char* name) {
      return SameAsciiIgnoringCase(stem[0], name[0]) && SameAsciiIgnoringCase(stem[1], name[1]) &&
             SameAsciiIgnoringCase(stem[2], name[2]);
    };
    return stemIs("COM") || stemIs("LPT");
  }
  return false;
}

// The file system trims trailing dots and blanks from a name, so a part of only those is "." or "..".
bool IsOnlyDotsAndBlanks(std::u16string_view part) {
  return std::all_of(part.begin(), part.end(), [](char16_t c) { return c == u'.' || c == u' '; });
}

bool IsSafePart(std::u16string_view part) { return !part.empty() && !IsOnlyDotsAndBlanks(part) && !IsDeviceName(part); }

}  // namespace

bool IsSafeEntryName(std::u16string_view name) {
  if (name.empty() || IsPathDelimiter(name.front())) return false;
  if (std::any_of(name.begin(), name.end(), [](char16_t c) { return c < 0x20 || c == u':'; })) return false;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = name.find_first_of(u"\\/", start);
    const std::u16string_view part = name.substr(start, end == std::u16string_view::npos ? end : end - start);
    if (!IsSafePart(part)) return false;
    if (end == std::u16string_view::npos) return true;
    start = end + 1;
  }
}

bool IsPlainFileName(std::u16string_view name) {
  return IsSafeEntryName(name) && name.find_first_of(u"\\/") == std::u16string_view::npos;
}

std::u16string_view EntryBaseName(std::u16string_view name) {
  name = name.substr(name.find_last_of(u"\\/:") + 1);  // npos + 1 is 0
  const std::size_t dot = name.rfind(u'.');
  return dot == std::u16string_view::npos ? name : name.substr(0, dot);
}

namespace {
std::string FoldedKey(std::u16string_view path) {
  std::string key;
  UserLocaleCollation().AppendSortKey(path, key);
  return key;
}
}  // namespace

CabinetChain::CabinetChain(std::u16string_view firstPath) : current_(firstPath) {
  visited_.insert(FoldedKey(current_));
}

std::optional<std::u16string> CabinetChain::Next(std::u16string_view name) {
  if (!IsPlainFileName(name) || count_ >= kMaxCabinetsInSet) return std::nullopt;
  std::u16string next = JoinPath(ExtractFileDir(current_), name);
  if (!visited_.insert(FoldedKey(next)).second) return std::nullopt;
  ++count_;
  current_ = next;
  return next;
}

}  // namespace nv
