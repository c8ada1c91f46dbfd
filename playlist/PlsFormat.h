#pragma once
// PLS playlists: the section "[playlist]" of an initialisation file, read and written as the system's profile
// functions read and write it (ProfileText.h), so that files the player writes read the same through them and
// files they wrote read the same here.
//
// Reading: for each number k from 1 that has a "File"+k key, in numeric order, the entry with "Title"+k, "Length"+k
// (seconds) and "ASXRedirected"+k ("1"). "NumberOfEntries" is not consulted: writers that leave it out or miscount
// would lose entries. Only the keys present are visited, so the entries cost no more than the file's own lines.
// "CurrentFile" (0 when absent) names the current entry. A value that starts with the byte 0xB6 is UTF-8 after it;
// an entry whose values do not decode is passed over (TPlayListReader::LineSkipped).
//
// Writing: the existing file's other sections stay as they are; its "[playlist]" section is replaced by one at
// the end holding "File"+k, "Title"+k (when the title is not empty), "Length"+k (when the length is known) and
// "ASXRedirected"+k=1 for each item, then "NumberOfEntries", "Version"=2 and, when asked, "CurrentFile". The file
// keeps its encoding; in the system code page a value the code page cannot hold is written as 0xB6 and its UTF-8.
#include <string>
#include <string_view>

#include "playlist/PlayListPaths.h"

namespace nv {

class TPlayListReader;
class TXPlayList;

void ReadPls(TPlayListReader& reader, std::string_view bytes, bool restoreCurrent);

// The new content of the file whose content is `existing` (empty for a new file).
std::string WritePls(TXPlayList& list, const TPlayListFolder& playList, std::string_view existing, bool saveCurrent);

}  // namespace nv
