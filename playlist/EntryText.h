#pragma once
// Entry strings as readers and users hand them to a list: a path or URL, optionally followed by a sub-range of the
// file in milliseconds ("song.mp3<1000,2000>", "song.mp3<1000>"), and text that holds one path per line.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nv {

enum class TEntrySyntax : std::uint8_t { Plain, SubRange, BadSubRange };

struct TSubRange {
  std::string Path;        // held text
  std::int32_t Start = 0;  // milliseconds
  std::int32_t End = 0;    // 0: to the end of the file
};

// Sub-range syntax: the entry contains "<", ends with ">" and its extension is not ".<cda>" (a CD track path is
// plain). The path is the text before the first "<"; the range the text up to the final ">": a start, or a start,
// a comma and an end, each a whole number. BadSubRange when a number is not one.
TEntrySyntax ParseEntry(std::string_view entry, TSubRange& range);

// The lines of a text (CR, LF or CR LF end a line), each without blanks at its ends and without a pair of double
// quotes around it (as Explorer copies a path); empty lines are left out.
std::vector<std::string> TextLines(std::string_view text);

}  // namespace nv
