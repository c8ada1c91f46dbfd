// Whole files natively: POSIX calls on the UTF-8 form of the path, with "\" taken as a folder separator as the
// native file system does; fsync before rename, and the folder synced after it so that the rename itself lasts.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "support/Errors.h"
#include "support/FileContent.h"
#include "support/PosixPath.h"

namespace nv::platform {

namespace {

[[noreturn]] void RaiseErrno() {
  const int code = errno;
  throw EWin32Error(static_cast<std::uint32_t>(code), std::strerror(code));
}

class Descriptor {
public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

private:
  int fd_;
};

void WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) RaiseErrno();
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

}  // namespace

std::string ReadFileBytes(std::string_view path) {
  const Descriptor file(::open(PosixPath(path).c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) RaiseErrno();
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0) RaiseErrno();
  if (!S_ISREG(status.st_mode)) {
    errno = EISDIR;
    RaiseErrno();
  }
  std::string bytes(static_cast<std::size_t>(status.st_size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(file.Get(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) RaiseErrno();
    if (n == 0) break;  // the file became shorter meanwhile
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return bytes;
}

void WriteFileReplacing(std::string_view path, std::string_view bytes, const std::function<void()>& written) {
  const std::string target = PosixPath(path);
  const std::string temporary = PosixPath(ReplacementFileName(path));
  try {
    Descriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (file.Get() < 0) RaiseErrno();
    WriteAll(file.Get(), bytes);
    if (::fsync(file.Get()) != 0 || !file.Close()) RaiseErrno();
    if (written) written();
    if (::rename(temporary.c_str(), target.c_str()) != 0) RaiseErrno();
  } catch (...) {
    ::unlink(temporary.c_str());
    throw;
  }
  const std::size_t slash = target.find_last_of('/');
  const std::string parent = slash == std::string::npos ? "." : target.substr(0, std::max<std::size_t>(slash, 1));
  const Descriptor folder(::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Get() >= 0) ::fsync(folder.Get());
}

}  // namespace nv::platform
