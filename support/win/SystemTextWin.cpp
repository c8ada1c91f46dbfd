// The text seam on Windows: the system's ANSI code page and the user's locale.
#include <windows.h>

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

int CompareTextIgnoreCase(std::u16string_view a, std::u16string_view b) {
  const std::wstring x = ToWide(a), y = ToWide(b);
  const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, x.data(), static_cast<int>(x.size()),
                                    y.data(), static_cast<int>(y.size()));
  return result - CSTR_EQUAL;  // CSTR_LESS_THAN, CSTR_EQUAL, CSTR_GREATER_THAN are 1, 2, 3
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
