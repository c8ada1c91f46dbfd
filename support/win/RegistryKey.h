#pragma once
// An open registry key, closed when it goes out of scope.
#include <windows.h>

#include <utility>

namespace nv {

class RegistryKey {
public:
  RegistryKey() = default;
  explicit RegistryKey(HKEY key) : key_(key) {}
  ~RegistryKey() { Close(); }
  RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  RegistryKey& operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
      Close();
      key_ = std::exchange(other.key_, nullptr);
    }
    return *this;
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  HKEY Get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }
  // For the functions that open a key into an HKEY*: closes what was held first.
  HKEY* Receive() {
    Close();
    return &key_;
  }

private:
  void Close() {
    if (key_) RegCloseKey(std::exchange(key_, nullptr));
  }
  HKEY key_ = nullptr;
};

}  // namespace nv
