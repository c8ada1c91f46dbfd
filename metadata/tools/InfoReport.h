#pragma once
// What nvinfo reports of one media file: every field the player would show (from the file's media information),
// and the stream facts the readers found (sample rate, channels, VBR header, encoder).
#include <string>
#include <string_view>

namespace nv {

// One JSON object for the file at `path` (held text); `shownPath` is how the file is named in it (UTF-8). When
// reading raises, the object carries "error" with the message instead of the fields.
std::string FileInfoJson(std::string_view path, std::string_view shownPath);

}  // namespace nv
