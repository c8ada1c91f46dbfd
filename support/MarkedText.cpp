#include "support/MarkedText.h"

#include <type_traits>
#include <vector>

#include "support/Errors.h"
#include "support/SystemText.h"

namespace nv {

bool IsMarked(std::string_view text) noexcept {
  return text.size() > 1 && text.front() == kUnicodeMarker;
}

namespace {

// The code point of the UTF-8 sequence at `p` and its length; a length of 0 for a malformed sequence (truncated,
// overlong, a surrogate, beyond U+10FFFF).
int DecodeUtf8Sequence(const unsigned char* p, const unsigned char* end, char32_t& code) {
  const unsigned lead = *p;
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  int length;
  char32_t minimum;  // the smallest code point that needs this length; anything below is an overlong form
  if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (end - p < length) return 0;
  for (int i = 1; i < length; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
    code = (code << 6) | (p[i] & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

bool TryUtf8ToUtf16(std::string_view utf8, std::u16string& out) {
  out.clear();
  out.reserve(utf8.size());
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* end = p + utf8.size();
  while (p < end) {
    char32_t code;
    const int length = DecodeUtf8Sequence(p, end, code);
    if (length == 0) return false;
    if (code >= 0x10000) {
      code -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
    p += length;
  }
  return true;
}

bool IsValidUtf8(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  for (char32_t code; p < end;) {
    const int length = DecodeUtf8Sequence(p, end, code);
    if (length == 0) return false;
    p += length;
  }
  return true;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  if (!TryUtf8ToUtf16(utf8, out)) throw EConvertError(kInvalidUtf8Message);
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3 / 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t code = text[i];
    if (code >= 0xD800 && code <= 0xDBFF) {
      if (i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
        ++i;
      } else {
        continue;  // unpaired high surrogate
      }
    } else if (code >= 0xDC00 && code <= 0xDFFF) {
      continue;  // unpaired low surrogate
    }
    if (code < 0x80) {
      out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (code >> 6)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (code >> 12)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (code >> 18)));
      out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }
  return out;
}

namespace {

// ASCII is the same in every ANSI code page and in UTF-8: it needs no conversion, which is what most tag text and
// most paths are.
template <class Char>
bool IsAscii(std::basic_string_view<Char> text) {
  for (Char c : text)
    if (static_cast<std::make_unsigned_t<Char>>(c) >= 0x80) return false;
  return true;
}

template <class To, class From>
To Widened(std::basic_string_view<From> text) {
  To out(text.size(), 0);
  for (std::size_t i = 0; i < text.size(); ++i) out[i] = static_cast<typename To::value_type>(text[i]);
  return out;
}

// ASCII needs no conversion, unless it starts with the marker character: then only the marked form reads back.
template <class Char>
bool IsPlainAscii(std::basic_string_view<Char> text) {
  return IsAscii(text) && !(text.size() > 1 && text.front() == Char(kUnicodeMarker));
}

}  // namespace

std::u16string MarkedToUtf16(std::string_view text) {
  if (IsMarked(text)) return Utf8ToUtf16(text.substr(1));
  if (IsAscii(text)) return Widened<std::u16string>(text);
  return platform::AnsiToUtf16(text);
}

std::string Utf16ToMarked(std::u16string_view text) {
  if (IsPlainAscii(text)) return Widened<std::string>(text);
  std::string ansi;
  // A text that starts with the marker character would read back as marked; it is held marked instead.
  if (platform::Utf16ToAnsi(text, ansi) && !IsMarked(ansi)) return ansi;
  return kUnicodeMarker + Utf16ToUtf8(text);
}

std::string MarkedToUtf8(std::string_view text) {
  if (IsMarked(text)) return std::string(text.substr(1));
  if (IsAscii(text)) return std::string(text);
  return Utf16ToUtf8(platform::AnsiToUtf16(text));
}

std::string Utf8ToMarked(std::string_view utf8) {
  if (IsPlainAscii(utf8)) return std::string(utf8);
  return Utf16ToMarked(Utf8ToUtf16(utf8));
}

bool FitsAnsiCodePage(std::u16string_view text) {
  std::string ansi;
  return platform::Utf16ToAnsi(text, ansi);
}

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Trims the body of a text; a marked text keeps its marker in front of the trimmed body.
template <bool Left, bool Right>
std::string Trim(std::string_view text) {
  const bool marked = IsMarked(text);
  std::string_view body = marked ? text.substr(1) : text;
  if constexpr (Left) {
    while (!body.empty() && IsBlank(body.front())) body.remove_prefix(1);
  }
  if constexpr (Right) {
    while (!body.empty() && IsBlank(body.back())) body.remove_suffix(1);
  }
  if (!marked || body.empty()) return std::string(body);
  return kUnicodeMarker + std::string(body);
}

}  // namespace

std::string TrimText(std::string_view text) { return Trim<true, true>(text); }
std::string TrimLeftText(std::string_view text) { return Trim<true, false>(text); }
std::string TrimRightText(std::string_view text) { return Trim<false, true>(text); }

namespace {

void Pad(std::string& out, std::string_view value, int width, bool leftAlign, bool utf8) {
  // Width counts characters; in UTF-8 those are the bytes that do not continue a sequence.
  int length = 0;
  for (char c : value)
    if (!utf8 || (static_cast<unsigned char>(c) & 0xC0) != 0x80) ++length;
  const std::string padding(width > length ? width - length : 0, ' ');
  if (!leftAlign) out += padding;
  out += value;
  if (leftAlign) out += padding;
}

}  // namespace

std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args) {
  bool utf8 = IsMarked(format);
  for (const FormatArg& arg : args)
    if (arg.GetKind() == FormatArg::Kind::Text && IsMarked(arg.Text())) utf8 = true;

  const std::vector<FormatArg> list(args);
  const std::string fmt = utf8 ? MarkedToUtf8(format) : std::string(format);
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < fmt.size(); ++i) {
    if (fmt[i] != '%') {
      out.push_back(fmt[i]);
      continue;
    }
    std::size_t j = i + 1;
    if (j < fmt.size() && fmt[j] == '%') {
      out.push_back('%');
      i = j;
      continue;
    }
    // "%" [index ":"] ["-"] [width] type
    std::size_t index = next;
    std::size_t digitsStart = j;
    while (j < fmt.size() && fmt[j] >= '0' && fmt[j] <= '9') ++j;
    if (j < fmt.size() && fmt[j] == ':' && j > digitsStart) {
      index = std::stoul(fmt.substr(digitsStart, j - digitsStart));
      ++j;
    } else {
      j = digitsStart;
    }
    const bool leftAlign = j < fmt.size() && fmt[j] == '-';
    if (leftAlign) ++j;
    int width = 0;
    while (j < fmt.size() && fmt[j] >= '0' && fmt[j] <= '9' && width < 10000) width = width * 10 + (fmt[j++] - '0');
    if (j >= fmt.size()) {
      out.append(fmt, i, std::string::npos);
      break;
    }
    const char type = static_cast<char>(fmt[j] | 0x20);
    if (type != 's' && type != 'd' && type != 'u' && type != 'x') {
      out.append(fmt, i, j + 1 - i);
      i = j;
      continue;
    }
    i = j;
    next = index + 1;
    if (index >= list.size()) continue;
    const FormatArg& arg = list[index];
    std::string value;
    if (arg.GetKind() == FormatArg::Kind::Text) {
      value = utf8 ? MarkedToUtf8(arg.Text()) : std::string(arg.Text());
    } else if (type == 'x') {
      static const char kHex[] = "0123456789ABCDEF";
      std::uint64_t n = arg.Unsigned();
      do value.insert(value.begin(), kHex[n & 15]); while (n >>= 4);
    } else if (type == 'u') {
      value = std::to_string(arg.Unsigned());
    } else {
      value = std::to_string(arg.Signed());
    }
    Pad(out, value, width, leftAlign, utf8);
  }
  return utf8 ? kUnicodeMarker + out : out;
}

}  // namespace nv
