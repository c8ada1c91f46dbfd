// The text seam on Windows: the system's ANSI code page and the user's locale.
#include <windows.h>

#include <vector>

#include "support/SystemText.h"
#include "support/win/WideText.h"

namespace nv::platform {

bool Utf16ToAnsi(std::u16string_view text, std::string& ansi) {
  ansi.clear();
  if (text.empty()) return true;
  const std::wstring wide = ToWide(text);
  BOOL usedDefault = FALSE;
  // WC_NO_BEST_FIT_CHARS: a character without an exact equivalent becomes the default character and is reported,
  // instead of silently turning into a look-alike.
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, &usedDefault);
  ansi.resize(size > 0 ? size : 0);
  if (size > 0)
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), ansi.data(), size,
                        nullptr, &usedDefault);
  return size > 0 && !usedDefault;
}

std::u16string AnsiToUtf16(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(size > 0 ? size : 0, L'\0');
  if (size > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), size);
  return ToUtf16(wide);
}

namespace {
// The text as the system's functions take it, without a copy; never a null pointer, even for an empty text.
const wchar_t* WideData(std::u16string_view text) {
  return text.empty() ? L"" : reinterpret_cast<const wchar_t*>(text.data());
}
}  // namespace

int CompareTextIgnoreCase(std::u16string_view a, std::u16string_view b) {
  const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, WideData(a), static_cast<int>(a.size()),
                                    WideData(b), static_cast<int>(b.size()));
  return result - CSTR_EQUAL;  // CSTR_LESS_THAN, CSTR_EQUAL, CSTR_GREATER_THAN are 1, 2, 3
}

// The system's sort key with the comparison's flags, which compares (as bytes) as CompareStringW compares the texts.
// An empty text is passed as a terminated one: a length of 0 is refused.
void AppendSortKeyIgnoreCase(std::u16string_view text, std::string& key) {
  constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
  const int length = text.empty() ? -1 : static_cast<int>(text.size());
  alignas(8) char stack[1024];
  // For LCMAP_SORTKEY the destination is a byte buffer and its size is counted in bytes.
  int size = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, WideData(text), length, reinterpret_cast<LPWSTR>(stack),
                          sizeof stack);
  if (size > 0) {
    key.append(stack, size);
    return;
  }
  size = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, WideData(text), length, nullptr, 0);
  if (size <= 0) return;
  std::vector<char> heap(size);
  size = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, WideData(text), length, reinterpret_cast<LPWSTR>(heap.data()),
                      size);
  if (size > 0) key.append(heap.data(), size);
}

namespace {
std::u16string LocaleText(LCTYPE type, const char16_t* fallback) {
  wchar_t buffer[8] = {};
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 8);
  return length > 1 ? ToUtf16(std::wstring_view(buffer, length - 1)) : std::u16string(fallback);
}
}  // namespace

NumberSeparators UserNumberSeparators() {
  return {LocaleText(LOCALE_STHOUSAND, u","), LocaleText(LOCALE_SDECIMAL, u".")};
}

}  // namespace nv::platform
