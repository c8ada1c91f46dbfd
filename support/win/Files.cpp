#include "support/win/Files.h"

#include <windows.h>

#include <filesystem>
#include <system_error>

#include "support/win/UniqueHandle.h"

namespace nv {

std::optional<std::string> ReadFileContent(const std::wstring& path, std::size_t limit) {
  const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 || static_cast<std::uint64_t>(size.QuadPart) > limit)
    return std::nullopt;
  std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!content.empty() && !ReadFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &read, nullptr))
    return std::nullopt;
  content.resize(read);
  return content;
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolders(const std::wstring& folder) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(folder), error);
  return std::filesystem::is_directory(std::filesystem::path(folder), error);
}

}  // namespace nv
