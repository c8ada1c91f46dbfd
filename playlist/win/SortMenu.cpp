#include "playlist/win/SortMenu.h"

#include "playlist/PlayListSort.h"
#include "playlist/XPlayList.h"
#include "support/win/Win32Error.h"
#include "support/win/WideText.h"

namespace nv {

// The new commands are appended before the old ones are deleted, as a menu being shown keeps an item throughout.
void FillSortMenu(HMENU menu, UINT firstCommand) {
  const int old = GetMenuItemCount(menu);
  for (int row = 0; row < kSortMenuRowCount; ++row) {
    const std::wstring caption = MarkedToWide(kSortMenuRows[row].Caption);
    Win32Check(AppendMenuW(menu, MF_STRING, firstCommand + row, caption.c_str()));
  }
  for (int i = 0; i < old; ++i) DeleteMenu(menu, 0, MF_BYPOSITION);
}

bool RunSortMenuCommand(TXPlayList& list, UINT command, UINT firstCommand) {
  if (command < firstCommand || command >= firstCommand + kSortMenuRowCount) return false;
  list.Sort(SortMenuKeys(kSortMenuRows[command - firstCommand]));
  return true;
}

}  // namespace nv
