#include "playlist/win/DropFiles.h"


#include "playlist/XPlayList.h"
#include "support/win/WideText.h"

namespace nv {

std::vector<std::string> DroppedFileNames(HDROP drop) {
  std::vector<std::string> names;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  names.reserve(count);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring name(length, L'\0');
    DragQueryFileW(drop, i, name.data(), length + 1);
    names.push_back(WideToMarked(name));
  }
  return names;
}

void AddDropFiles(TXPlayList& list, HDROP drop, bool clear, bool play) {
  list.AddDropFiles(DroppedFileNames(drop), clear, play);
}

}  // namespace nv
