// Files natively: POSIX descriptors and pread.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/FileSource.h"
#include "support/PosixPath.h"

namespace nv::platform {

namespace {

class PosixFileSource final : public ByteSource {
public:
  PosixFileSource(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
  ~PosixFileSource() override { ::close(fd_); }
  PosixFileSource(const PosixFileSource&) = delete;
  PosixFileSource& operator=(const PosixFileSource&) = delete;

  std::uint64_t Size() const override { return size_; }
  std::size_t ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count) override {
    std::size_t done = 0;
    while (done < count) {  // pread may return early on large requests
      const ssize_t n = ::pread(fd_, buffer + done, count - done, static_cast<off_t>(offset + done));
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    return done;
  }

private:
  int fd_;
  std::uint64_t size_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenFileSource(std::string_view path) {
  const int fd = ::open(PosixPath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<PosixFileSource>(fd, static_cast<std::uint64_t>(status.st_size));
}

std::optional<std::uint64_t> FileSizeOf(std::string_view path) {
  struct stat status {};
  if (::stat(PosixPath(path).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(status.st_size);
}

}  // namespace nv::platform
