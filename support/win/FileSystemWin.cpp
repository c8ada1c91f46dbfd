// The file system on Windows: GetFileAttributesW, and FindFirstFileW with "*.*" for listings.
#include <windows.h>

#include "support/FileSystem.h"
#include "support/win/UniqueResource.h"
#include "support/win/WideText.h"

namespace nv {

namespace {

struct FindHandleTraits {
  using Handle = HANDLE;
  static HANDLE None() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(HANDLE handle) { return handle != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) { FindClose(handle); }
};
using UniqueFindHandle = UniqueResource<FindHandleTraits>;

class WindowsFileSystem final : public FileSystem {
public:
  PathKind KindOf(std::string_view path) override {
    if (path.empty()) return PathKind::None;
    const DWORD attributes = GetFileAttributesW(MarkedToWide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::None;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
  }

  bool ListFolder(std::string_view folder, std::vector<FolderEntry>& entries) override {
    std::wstring pattern = MarkedToWide(folder);
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern.push_back(L'\\');
    pattern += L"*.*";
    WIN32_FIND_DATAW data;
    const UniqueFindHandle find(FindFirstFileW(pattern.c_str(), &data));
    if (!find) return GetLastError() == ERROR_FILE_NOT_FOUND;  // an empty drive root
    do {
      const std::wstring_view name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const DWORD attributes = data.dwFileAttributes;
      entries.push_back({WideToMarked(name), (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                         (attributes & FILE_ATTRIBUTE_SYSTEM) != 0, (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (FindNextFileW(find.Get(), &data));
    return true;
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static WindowsFileSystem files;
  return files;
}

}  // namespace nv
