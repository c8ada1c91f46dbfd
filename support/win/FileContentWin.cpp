// Whole files on Windows: read through a handle shared with other readers and writers; written to the temporary
// file, flushed with FlushFileBuffers and moved over the old file with MoveFileExW (replace, write through).
#include <windows.h>

#include <algorithm>

#include "support/FileContent.h"
#include "support/win/UniqueHandle.h"
#include "support/win/WideText.h"
#include "support/win/Win32Error.h"

namespace nv::platform {

namespace {
constexpr DWORD kLargestTransfer = 1u << 30;
}  // namespace

std::string ReadFileBytes(std::string_view path) {
  const UniqueHandle file(CreateFileW(MarkedToWide(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) RaiseLastWin32Error();
  LARGE_INTEGER size{};
  Win32Check(GetFileSizeEx(file.Get(), &size));
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kLargestTransfer));
    Win32Check(ReadFile(file.Get(), bytes.data() + done, chunk, &read, nullptr));
    if (read == 0) break;  // the file became shorter meanwhile
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

void WriteFileReplacing(std::string_view path, std::string_view bytes, const std::function<void()>& written) {
  const std::wstring target = MarkedToWide(path);
  const std::wstring temporary = MarkedToWide(ReplacementFileName(path));
  try {
    {
      const UniqueHandle file(
          CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!file) RaiseLastWin32Error();
      while (!bytes.empty()) {
        DWORD done = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kLargestTransfer));
        Win32Check(WriteFile(file.Get(), bytes.data(), chunk, &done, nullptr));
        bytes.remove_prefix(done);
      }
      Win32Check(FlushFileBuffers(file.Get()));
    }
    if (written) written();
    Win32Check(MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
  } catch (...) {
    DeleteFileW(temporary.c_str());
    throw;
  }
}

}  // namespace nv::platform
