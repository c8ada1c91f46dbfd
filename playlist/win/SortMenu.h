#pragma once
// The sort submenu of a playlist: ten commands, from "File name" to "Bitrate".
#include <windows.h>

namespace nv {

class TXPlayList;

// Replaces the contents of `menu` with the ten sort commands, numbered from `firstCommand` on.
void FillSortMenu(HMENU menu, UINT firstCommand);

// Sorts `list` when `command` is one of the sort commands numbered from `firstCommand`; false otherwise.
bool RunSortMenuCommand(TXPlayList& list, UINT command, UINT firstCommand);

}  // namespace nv
