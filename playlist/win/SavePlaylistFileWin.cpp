#include "playlist/win/SavePlaylistFileWin.h"

#include <windows.h>
#include <shlobj.h>

#include "support/win/WideText.h"

namespace nv {

TPlayListSave SavePlaylistFileAndNotify(std::string_view fileName, const std::vector<const TXPlayListItem*>& items,
                                        bool allowDuplicates, bool replace) {
  const TPlayListSave save = SavePlaylistFile(fileName, items, allowDuplicates, replace);
  if (save.Result == TPlayListFileResult::pfrDone) {
    const std::wstring path = MarkedToWide(save.FileName);
    SHChangeNotify(save.Created ? SHCNE_CREATE : SHCNE_UPDATEITEM, SHCNF_PATHW | SHCNF_FLUSH, path.c_str(), nullptr);
  }
  return save;
}

}  // namespace nv
