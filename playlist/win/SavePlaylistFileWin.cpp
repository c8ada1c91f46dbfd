#include "playlist/win/SavePlaylistFileWin.h"

#include <windows.h>
#include <shlobj.h>

#include "support/win/WideText.h"

namespace nv {

TPlayListFileResult SavePlaylistFile(std::string_view fileName, const std::vector<const TXPlayListItem*>& items,
                                     bool allowDuplicates, bool replace) {
  bool created = false;
  const TPlayListFileResult result = SavePlaylistFile(fileName, items, allowDuplicates, replace, created);
  if (result == TPlayListFileResult::pfrDone) {
    const std::wstring path = MarkedToWide(fileName);
    SHChangeNotify(created ? SHCNE_CREATE : SHCNE_UPDATEITEM, SHCNF_PATHW | SHCNF_FLUSH, path.c_str(), nullptr);
  }
  return result;
}

}  // namespace nv
