// Files on Windows: a handle opened with shared read and write access, positioned reads through OVERLAPPED.
#include <windows.h>

#include <algorithm>

#include "support/FileSource.h"
#include "support/win/WideText.h"

namespace nv::platform {

namespace {

class WinFileSource final : public ByteSource {
public:
  WinFileSource(HANDLE file, std::uint64_t size) : file_(file), size_(size) {}
  ~WinFileSource() override { CloseHandle(file_); }
  WinFileSource(const WinFileSource&) = delete;
  WinFileSource& operator=(const WinFileSource&) = delete;

  std::uint64_t Size() const override { return size_; }
  std::size_t ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count) override {
    std::size_t done = 0;
    while (done < count) {
      // On a synchronous handle OVERLAPPED only carries the position; ReadFile still waits for the data.
      OVERLAPPED at{};
      at.Offset = static_cast<DWORD>(offset + done);
      at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
      DWORD read = 0;
      if (!ReadFile(file_, buffer + done, chunk, &read, &at) || read == 0) break;
      done += read;
    }
    return done;
  }

private:
  HANDLE file_;
  std::uint64_t size_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenFileSource(std::string_view path) {
  const std::wstring wide = MarkedToWide(path);
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) {
    CloseHandle(file);
    return nullptr;
  }
  return std::make_unique<WinFileSource>(file, static_cast<std::uint64_t>(size.QuadPart));
}

std::optional<std::uint64_t> FileSizeOf(std::string_view path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(MarkedToWide(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace nv::platform
