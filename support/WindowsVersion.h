#pragma once
// A Windows version number, for the defaults and behaviours that depend on it.
#include <compare>

namespace nv {

struct WindowsVersion {
  unsigned major = 0;
  unsigned minor = 0;
  auto operator<=>(const WindowsVersion&) const = default;
};

inline constexpr WindowsVersion kWindowsVista{6, 0};
inline constexpr WindowsVersion kWindows7{6, 1};

}  // namespace nv
