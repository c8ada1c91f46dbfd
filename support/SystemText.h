#pragma once
// The core's seam to the operating system's text services. The Windows build answers with the system's code page
// and locale; the native build with Windows-1252 and a simple case fold, so that the same tables of cases hold on
// both.
#include <string>
#include <string_view>

namespace nv::platform {

// UTF-16 to the ANSI code page without best-fit substitutes. False when some character had no exact equivalent
// (the text then has to be held marked); `ansi` holds the lossy conversion either way.
bool Utf16ToAnsi(std::u16string_view text, std::string& ansi);
std::u16string AnsiToUtf16(std::string_view ansi);

// Compares in the user's locale, ignoring case: negative, zero or positive.
int CompareTextIgnoreCase(std::u16string_view a, std::u16string_view b);
// Appends the sort key of that comparison: keys compare as unsigned bytes (a key that is the start of another first)
// exactly as their texts compare, and are equal exactly when their texts compare equal.
void AppendSortKeyIgnoreCase(std::u16string_view text, std::string& key);

// The user's digit grouping and decimal separators.
struct NumberSeparators {
  std::u16string thousands;
  std::u16string decimal;
};
NumberSeparators UserNumberSeparators();

}  // namespace nv::platform
