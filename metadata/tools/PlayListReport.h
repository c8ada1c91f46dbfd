#pragma once
// What nvinfo --playlist reports of a playlist file: the entries the player would load from it, one JSON object
// each, so that any playlist can be checked without the player. Each names the file as shown ("playlist") and the
// entry's number from 1 ("entry"), then the resolved "path", the "title", the "duration_ms" the file gives, the
// "start_ms" and "end_ms" of a sub-range (null for a whole file, and "end_ms" for a range to the end of the file),
// whether it came from a Windows Media redirector ("redirected"), and its "alternatives". A file that cannot be
// read as a playlist adds one object with "error" after the entries read before the fault.
#include <string>
#include <string_view>
#include <vector>

namespace nv {

// Reads through the installed playlist formats (PlayListFiles.h).
std::vector<std::string> PlayListEntriesJson(std::string_view path, std::string_view shownPath);

}  // namespace nv
