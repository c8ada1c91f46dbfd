#pragma once
// The Windows layer speaks wchar_t; the core speaks char16_t. On Windows both are UTF-16 code units.
#include <string>
#include <string_view>

#include "support/MarkedText.h"

namespace nv {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wchar_t is a UTF-16 code unit");

inline std::wstring ToWide(std::u16string_view text) {
  return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}
inline std::u16string ToUtf16(std::wstring_view text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}
inline std::wstring MarkedToWide(std::string_view text) { return ToWide(MarkedToUtf16(text)); }
inline std::string WideToMarked(std::wstring_view text) { return Utf16ToMarked(ToUtf16(text)); }

}  // namespace nv
