#include "support/FolderListing.h"

#include <vector>

#include "support/MarkedText.h"
#include "support/PathNames.h"

namespace nv {

std::string JoinHeldPath(std::string_view folder, std::string_view name) {
  // On the wide form: in a double-byte code page the second byte of a character can look like a "\".
  return Utf16ToMarked(JoinPath(MarkedToUtf16(folder), MarkedToUtf16(name)));
}

bool ListFolderFiles(FileSystem& files, std::string_view folder, int depth,
                     const std::function<bool(const std::string&)>& visit) {
  std::vector<FolderEntry> entries;
  if (!files.ListFolder(folder, entries)) return true;
  for (const FolderEntry& entry : entries) {
    if (entry.Folder) {
      if (depth != 0 && !entry.ReparsePoint && !ListFolderFiles(files, JoinHeldPath(folder, entry.Name), depth - 1, visit))
        return false;
    } else if (!entry.System) {
      if (!visit(JoinHeldPath(folder, entry.Name))) return false;
    }
  }
  return true;
}

}  // namespace nv
