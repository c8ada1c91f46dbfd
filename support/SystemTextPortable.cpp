// The text seam for native builds: Windows-1252 as the ANSI code page and a simple case fold, enough for the
// core's tests to expect what Windows gives in an English locale.
#include <array>

#include "support/SystemText.h"

namespace nv::platform {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five bytes Windows leaves undefined map to the C1 code with their value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool ToCp1252(char16_t c, char& byte) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    byte = static_cast<char>(c);
    return true;
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) {
      byte = static_cast<char>(0x80 + i);
      return true;
    }
  }
  byte = '?';
  return false;
}

char16_t Fold(char16_t c) {
  if (c >= u'A' && c <= u'Z') return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;              // Latin-1
  if (c >= 0x100 && c <= 0x17F) {                                         // Latin Extended-A
    if (c == 0x178) return 0xFF;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c + 1 : c;
    if (c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) return c | 1;
  }
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;            // Greek
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;                          // Cyrillic
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

}  // namespace

bool Utf16ToAnsi(std::u16string_view text, std::string& ansi) {
  ansi.clear();
  ansi.reserve(text.size());
  bool exact = true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char byte;
    if (!ToCp1252(text[i], byte)) exact = false;
    // A surrogate pair is one character and becomes one default character, as on Windows.
    if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF)
      ++i;
    ansi.push_back(byte);
  }
  return exact;
}

std::u16string AnsiToUtf16(std::string_view ansi) {
  std::u16string out;
  out.reserve(ansi.size());
  for (char ch : ansi) {
    const auto byte = static_cast<unsigned char>(ch);
    out.push_back(byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : static_cast<char16_t>(byte));
  }
  return out;
}

int CompareTextIgnoreCase(std::u16string_view a, std::u16string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t x = Fold(a[i]), y = Fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// The folded code units, each in the UTF-8 manner (one to three bytes), which keeps their order: ASCII paths have
// keys as long as themselves.
void AppendSortKeyIgnoreCase(std::u16string_view text, std::string& key) {
  for (char16_t c : text) {
    const unsigned u = Fold(c);
    if (u < 0x80) {
      key.push_back(static_cast<char>(u));
    } else if (u < 0x800) {
      key.push_back(static_cast<char>(0xC0 | (u >> 6)));
      key.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    } else {
      key.push_back(static_cast<char>(0xE0 | (u >> 12)));
      key.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
      key.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    }
  }
}

NumberSeparators UserNumberSeparators() { return {u",", u"."}; }

}  // namespace nv::platform
