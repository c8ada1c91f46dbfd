#pragma once
// Text as tags carry it: single-byte text that may be UTF-8, trimming, and the track numbers written as "3/12".
#include <span>
#include <string>
#include <string_view>

namespace nv {

// Removes characters up to the blank (controls and blanks) at both ends.
std::u16string TrimBlanks(std::u16string text);

// Bytes up to the first zero byte: UTF-8 when they form valid UTF-8, otherwise the system code page.
std::u16string DecodeSingleByteText(std::span<const std::uint8_t> bytes);

// The text as a whole number (an optional sign and decimal digits, blanks around allowed); 0 when it is none or
// does not fit 32 bits.
int WholeNumberOrZero(std::u16string_view text);

// A track number as tags write it: the text before the first "/" (all of it when there is none).
int TrackNumberOf(std::u16string_view text);

}  // namespace nv
