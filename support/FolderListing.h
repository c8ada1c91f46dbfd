#pragma once
// The ordinary listing of a folder's media candidates: the files matching "*.*" that are not system files (normal,
// read-only, hidden and archive files), in the order the file system gives them. While `depth` is not 0 each
// subfolder is listed in place, depth-first, with depth - 1, so -1 means all levels. A folder that is a reparse
// point (a junction or a symbolic link) is not entered: a junction pointing back up the tree would never end.
#include <functional>
#include <string>
#include <string_view>

#include "support/FileSystem.h"

namespace nv {

// Calls `visit` with each file's full path (held text); `visit` returns false to stop the listing, and so does
// ListFolderFiles then. An unreadable folder or subfolder lists nothing.
bool ListFolderFiles(FileSystem& files, std::string_view folder, int depth,
                     const std::function<bool(const std::string&)>& visit);

// `folder` + "\" + `name` in held text.
std::string JoinHeldPath(std::string_view folder, std::string_view name);

}  // namespace nv
