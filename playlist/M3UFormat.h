#pragma once
// M3U playlists, in the system code page (".m3u") or in UTF-8 with a byte-order mark (".m3u8").
//
// Reading: the byte-order mark, not the extension, decides the encoding; without it each line is held text (a line
// that starts with the byte 0x01 is UTF-8 after it). "#EXTM3U" on the first line is passed over. "#EXTINF:" lines
// give a length in seconds and a title: when the first line after the header is a "#" line they describe the path
// that follows them, otherwise the path before them (files written that way by hand). "#ASXREDIRECTED" marks an
// entry as coming from a Windows Media redirector the same way; "#EXTCUR:" names the current entry by its index.
// Malformed lines are passed over; an invalid UTF-8 sequence raises EConvertError.
//
// Writing: "#EXTM3U", then for each item an "#EXTINF:" line (even one without length or title, so that a reader
// always finds the info lines before their paths), "#ASXREDIRECTED" when the item is marked, and its entry; then
// "#EXTCUR:" with the current index when asked. Every line ends with CR LF. In the system code page a line that the
// code page cannot hold is written whole as held text (0x01 and UTF-8), so that its reader decodes all of it.
#include <string>
#include <string_view>

#include "playlist/PlayListPaths.h"

namespace nv {

class TPlayListReader;
class TXPlayList;

void ReadM3U(TPlayListReader& reader, std::string_view bytes, bool restoreCurrent);

std::string WriteM3U(TXPlayList& list, const TPlayListFolder& playList, bool utf8, bool saveCurrent);

}  // namespace nv
