#pragma once
// Files dropped from the shell onto a playlist.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace nv {

class TXPlayList;

// The names a drop carries, in order, as held text (wide names that the code page cannot hold are marked).
std::vector<std::string> DroppedFileNames(HDROP drop);

// TXPlayList::AddDropFiles with the names of a drop.
void AddDropFiles(TXPlayList& list, HDROP drop, bool clear, bool play);

}  // namespace nv
