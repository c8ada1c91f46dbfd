#pragma once
// M3U playlists, in the system code page (".m3u") or in UTF-8 with a byte-order mark (".m3u8").
//
// Reading: a byte-order mark decides the encoding (UTF-8, UTF-16 little or big endian). Without one an ".m3u8" is
// UTF-8 (most are written without the mark), and an ".m3u" is UTF-8 when its bytes are valid UTF-8 beyond ASCII,
// else code-page text. The byte 0x01 starts UTF-8 to the end of its line, at the line's start or where an
// "#EXTINF" title begins. "#EXTM3U" on the first line is passed over. "#EXTINF:" lines give a length in seconds (the
// whole part of "3.5"; attributes may follow it) and a title after the first comma outside quotes: when the first
// line after the header is a "#" line they describe the path that follows them, otherwise the path before them
// (files written that way by hand). "#ASXREDIRECTED" marks an entry as coming from a Windows Media redirector the
// same way; "#EXTCUR:" names the current entry by its index. Malformed lines are passed over, and so is a line that
// does not decode (the reader is told: TPlayListReader::LineSkipped).
//
// Writing: "#EXTM3U", then for each item an "#EXTINF:" line (even one without length or title, so that a reader
// always finds the info lines before their paths), "#ASXREDIRECTED" when the item is marked, and its entry; then
// "#EXTCUR:" with the current index when asked. Every line ends with CR LF. In the system code page a line that the
// code page cannot hold is written whole as held text (0x01 and UTF-8), so that its reader decodes all of it.
#include <string>
#include <string_view>

#include "playlist/PlayListConstants.h"
#include "playlist/PlayListPaths.h"

namespace nv {

class TPlayListReader;
class TXPlayList;

void ReadM3U(TPlayListReader& reader, std::string_view bytes, TXPlayListFormat format, bool restoreCurrent);

std::string WriteM3U(TXPlayList& list, const TPlayListFolder& playList, bool utf8, bool saveCurrent);

}  // namespace nv
