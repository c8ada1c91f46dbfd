#include "app/win/SkinFiles.h"

#include <windows.h>

#include "support/win/Files.h"
#include "support/win/WideText.h"

namespace nv {

std::u16string WindowsSkinFiles::FullPath(std::u16string_view path) {
  const std::wstring wide = ToWide(path);
  const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return std::u16string(path);
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  full.resize(length < size ? length : 0);
  return full.empty() ? std::u16string(path) : ToUtf16(full);
}

bool WindowsSkinFiles::FileExists(std::u16string_view path) { return nv::FileExists(ToWide(path)); }

void WindowsSkinFiles::ClearReadOnly(std::u16string_view path) {
  const std::wstring wide = ToWide(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesW(wide.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

void WindowsSkinFiles::CreateFolder(std::u16string_view path) { CreateFolders(ToWide(path)); }

void WindowsSkinFiles::Copy(std::u16string_view source, std::u16string_view target) {
  CopyFileW(ToWide(source).c_str(), ToWide(target).c_str(), FALSE);
}

}  // namespace nv
