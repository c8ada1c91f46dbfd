#pragma once
// Saving items into a playlist file from the user interface: the file is written, then the shell is told that it
// was created or updated, so that open Explorer windows show it at once.
#include <string_view>
#include <vector>

#include "playlist/PlayListFiles.h"

namespace nv {

// SavePlaylistFile, then the shell is told about the file written (its name as written, extension added).
TPlayListSave SavePlaylistFileAndNotify(std::string_view fileName, const std::vector<const TXPlayListItem*>& items,
                                        bool allowDuplicates, bool replace);

}  // namespace nv
