#pragma once
// A set of named flags held as text: "[" + the names of the flags present, in bit order, joined by "," + "]".
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace nv {

// `names[i]` names bit i.
std::string SetToText(std::uint32_t bits, std::span<const std::string_view> names);

// Accepts the text with or without the brackets and blanks around the names; names compare ignoring case.
// Nothing when a name is not one of `names`.
std::optional<std::uint32_t> TextToSet(std::string_view text, std::span<const std::string_view> names);

}  // namespace nv
