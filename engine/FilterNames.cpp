#include "engine/FilterNames.h"

#include "support/PathNames.h"

namespace nv {

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

std::u16string SourceFilterName(std::u16string_view fileName) {
  if (fileName.size() <= kMaxFilterNameLength) return std::u16string(fileName);
  std::u16string_view name = ExtractFileName(fileName);
  if (name.size() > kMaxFilterNameLength) {
    std::size_t length = kMaxFilterNameLength;
    if (IsHighSurrogate(name[length - 1])) --length;
    name = name.substr(0, length);
  }
  return std::u16string(name);
}

std::u16string NumberedFilterName(std::u16string_view name, std::size_t pinCount, int number) {
  std::u16string result(name);
  if (pinCount > 1) {
    result += u' ';
    for (char c : std::to_string(number)) result += static_cast<char16_t>(c);
  }
  return result;
}

}  // namespace nv
