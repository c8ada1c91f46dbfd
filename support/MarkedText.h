#pragma once
// Marked text: the program's one string convention.
//
// Text is held as 8-bit strings in the system's ANSI code page. A text the code page cannot hold without loss is
// held instead as the byte 0x01 followed by its UTF-8 encoding: a "marked" string. Paths, titles, captions, list
// entries, command-line parameters and messages may all be marked; whatever shows them converts to UTF-16 first.
#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

namespace nv {

inline constexpr char kUnicodeMarker = '\x01';

// Marked means longer than one byte with the marker first: a lone 0x01 byte is plain text.
bool IsMarked(std::string_view text) noexcept;

// UTF-8 and UTF-16. Decoding raises EConvertError("Invalid UTF8 string.") at the first malformed sequence
// (truncated, overlong, a surrogate, beyond U+10FFFF); four-byte sequences become surrogate pairs.
// Encoding drops unpaired surrogates.
std::u16string Utf8ToUtf16(std::string_view utf8);
// The same without raising: false (and `out` unspecified) at the first malformed sequence.
bool TryUtf8ToUtf16(std::string_view utf8, std::u16string& out);
// True when the text holds no malformed sequence (ASCII is valid UTF-8).
bool IsValidUtf8(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// Held text (ANSI or marked) to UTF-16, and UTF-16 to held text: the ANSI form when the code page loses nothing
// (and the text does not start with the marker character), otherwise the marked form.
std::u16string MarkedToUtf16(std::string_view text);
std::string Utf16ToMarked(std::u16string_view text);

// Held text as UTF-8 and back, for files and protocols that carry UTF-8.
std::string MarkedToUtf8(std::string_view text);
std::string Utf8ToMarked(std::string_view utf8);

// True when the ANSI code page holds the text exactly.
bool FitsAnsiCodePage(std::u16string_view text);

// Removes blanks and control characters (bytes up to ' ') at the ends; a leading marker stays in front.
std::string TrimText(std::string_view text);
std::string TrimLeftText(std::string_view text);
std::string TrimRightText(std::string_view text);

// One argument of FormatText: a held text or a number.
class FormatArg {
public:
  FormatArg(std::string_view text) : kind_(Kind::Text), text_(text) {}
  FormatArg(const char* text) : kind_(Kind::Text), text_(text) {}
  FormatArg(const std::string& text) : kind_(Kind::Text), text_(text) {}
  template <std::integral T>
  FormatArg(T n) : kind_(std::is_signed_v<T> ? Kind::Signed : Kind::Unsigned) {
    if constexpr (std::is_signed_v<T>) signed_ = n; else unsigned_ = n;
  }

  enum class Kind { Text, Signed, Unsigned };
  Kind GetKind() const { return kind_; }
  std::string_view Text() const { return text_; }
  std::int64_t Signed() const { return kind_ == Kind::Unsigned ? static_cast<std::int64_t>(unsigned_) : signed_; }
  std::uint64_t Unsigned() const { return kind_ == Kind::Signed ? static_cast<std::uint64_t>(signed_) : unsigned_; }

private:
  Kind kind_;
  std::string_view text_;
  std::int64_t signed_ = 0;
  std::uint64_t unsigned_ = 0;
};

// Formats "%s", "%d", "%u", "%x" and "%%", each optionally "%<index>:" and "%-<width>" as in "%0:-8s".
// When the format or a text argument is marked, every text is taken as UTF-8 and the result is marked.
// A directive without an argument is left out; text after an unknown directive is copied as it stands.
std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args);

}  // namespace nv
