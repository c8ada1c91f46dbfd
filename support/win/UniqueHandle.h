#pragma once
// A kernel handle (process, thread, token, file), closed when it goes out of scope. Both null and
// INVALID_HANDLE_VALUE mean "none".
#include <windows.h>

#include <utility>

namespace nv {

class UniqueHandle {
public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
  ~UniqueHandle() { Close(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  HANDLE Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  // For the functions that return a handle through a HANDLE*: closes what was held first.
  HANDLE* Receive() {
    Close();
    return &handle_;
  }

private:
  void Close() {
    if (*this) CloseHandle(handle_);
    handle_ = nullptr;
  }
  HANDLE handle_ = nullptr;
};

}  // namespace nv
