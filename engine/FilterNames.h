#pragma once
// The names graph building gives the filters it adds. A filter graph holds names of at most 127 characters.
#include <cstddef>
#include <string>
#include <string_view>

namespace nv {

inline constexpr std::size_t kMaxFilterNameLength = 127;

// The name of the filter that reads `fileName`: the whole name when it fits, else its last path component cut to
// fit (never between the two halves of a surrogate pair).
std::u16string SourceFilterName(std::u16string_view fileName);

// The name of the renderer of the `number`th of `pinCount` streams: `name` alone for a single stream, else `name`,
// a space and the number.
std::u16string NumberedFilterName(std::u16string_view name, std::size_t pinCount, int number);

}  // namespace nv
