#pragma once
// CUE sheets (read only): each track of the sheet becomes a sub-range item of the file it lies in, from its
// "INDEX 01" (the pregap, "INDEX 00", is not part of it) to the next track's "INDEX 00" or "INDEX 01" in the same
// file; the last track of a file has no end. A track's title is its "TITLE", else "Track " and the number of its
// "TRACK" line; its artist its "PERFORMER", else the sheet's; its album the sheet's "TITLE".
//
// Keywords are recognised at the start of a line without regard to case. A value is the double-quoted text after
// the keyword ("" inside standing for one quote), or, unquoted, the rest of the line (for "FILE", without the file
// type after the name). The sheet is text in the system code page, or UTF-8 after a byte-order mark. A "FILE" is
// taken relative to the sheet's folder; a ".wav" that does not exist gives way to a ".flac" or ".mp3" of the same
// name beside it (a sheet ripped with its image, which was compressed afterwards). Tracks already in the list are
// not added again unless the list allows duplicates; a track whose start time is malformed is passed over.
#include <string_view>

namespace nv {

class TPlayListReader;

void ReadCueSheet(TPlayListReader& reader, std::string_view bytes);

}  // namespace nv
