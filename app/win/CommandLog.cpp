#include "app/win/CommandLog.h"

#include <windows.h>

#include <string>

#include "support/win/UniqueHandle.h"

namespace nv {

namespace {

std::wstring LogPath() {
  const DWORD length = GetEnvironmentVariableW(kCommandLogVariable, nullptr, 0);
  if (length == 0) return {};
  std::wstring value(length, L'\0');
  value.resize(GetEnvironmentVariableW(kCommandLogVariable, value.data(), length));
  return value;
}

}  // namespace

void LogCommand(std::string_view line) {
  const std::wstring path = LogPath();
  if (path.empty()) return;
  const UniqueHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  const std::string text = std::string(line) + '\n';
  DWORD written = 0;
  WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace nv
