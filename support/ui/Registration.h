#pragma once
// What a registration gives back: undoing the registration is tied to this object's lifetime (an idle handler, a
// message filter, a hook). Moving it moves the duty; resetting it undoes the registration early.
#include <functional>
#include <utility>

namespace nv {

class Registration {
public:
  Registration() = default;
  explicit Registration(std::function<void()> undo) : undo_(std::move(undo)) {}
  Registration(Registration&& other) noexcept : undo_(std::exchange(other.undo_, nullptr)) {}
  Registration& operator=(Registration&& other) noexcept {
    if (this != &other) {
      Reset();
      undo_ = std::exchange(other.undo_, nullptr);
    }
    return *this;
  }
  Registration(const Registration&) = delete;
  Registration& operator=(const Registration&) = delete;
  ~Registration() { Reset(); }

  void Reset() {
    if (auto undo = std::exchange(undo_, nullptr)) undo();
  }

private:
  std::function<void()> undo_;
};

}  // namespace nv
