#pragma once
// The shape of every handle wrapper: owns one handle of a kind, closes it when it goes out of scope, moves but
// never copies. `Traits` names the kind: `Handle`, `None()`, `IsValid(h)` and `Close(h)`.
#include <utility>

namespace nv {

template <class Traits>
class UniqueResource {
public:
  using Handle = typename Traits::Handle;

  UniqueResource() = default;
  explicit UniqueResource(Handle handle) : handle_(handle) {}
  ~UniqueResource() { Close(); }
  UniqueResource(UniqueResource&& other) noexcept : handle_(std::exchange(other.handle_, Traits::None())) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, Traits::None());
    }
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return Traits::IsValid(handle_); }
  // Gives the handle up to whoever takes it over (the system, for a window region), without closing it.
  Handle Release() { return std::exchange(handle_, Traits::None()); }
  // For the functions that return a handle through a pointer: closes what was held first.
  Handle* Receive() {
    Close();
    return &handle_;
  }

private:
  void Close() {
    if (Traits::IsValid(handle_)) Traits::Close(handle_);
    handle_ = Traits::None();
  }
  Handle handle_ = Traits::None();
};

}  // namespace nv
