// The file system natively: POSIX calls on the UTF-8 form of the path. A "\" separates folders as on Windows, so
// that the core's Windows-style paths work on a real tree here too; files whose names start with "." are hidden
// files, nothing is a system file, and a symbolic link is a reparse point.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "support/FileSystem.h"
#include "support/MarkedText.h"
#include "support/PosixPath.h"

namespace nv {

namespace {

class PosixFileSystem final : public FileSystem {
public:
  PathKind KindOf(std::string_view path) override {
    struct stat status {};
    if (path.empty() || ::stat(platform::PosixPath(path).c_str(), &status) != 0) return PathKind::None;
    if (S_ISDIR(status.st_mode)) return PathKind::Folder;
    return S_ISREG(status.st_mode) ? PathKind::File : PathKind::None;
  }

  bool ListFolder(std::string_view folder, std::vector<FolderEntry>& entries) override {
    const std::string native = platform::PosixPath(folder);
    DIR* dir = ::opendir(native.c_str());
    if (!dir) return false;
    while (const dirent* entry = ::readdir(dir)) {
      const std::string_view name = entry->d_name;
      if (name == "." || name == "..") continue;
      const std::string full = native + "/" + std::string(name);
      struct stat link {}, target {};
      if (::lstat(full.c_str(), &link) != 0) continue;
      const bool isLink = S_ISLNK(link.st_mode);
      if (isLink && ::stat(full.c_str(), &target) != 0) continue;  // a dangling link
      const struct stat& status = isLink ? target : link;
      if (!S_ISDIR(status.st_mode) && !S_ISREG(status.st_mode)) continue;
      entries.push_back({Utf8ToMarked(name), S_ISDIR(status.st_mode), false, isLink});
    }
    ::closedir(dir);
    return true;
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static PosixFileSystem files;
  return files;
}

}  // namespace nv
