#pragma once
// Entry points of the system that not every Windows has — visual styles and buffered painting (uxtheme), desktop
// composition (dwmapi), layered windows and shell-hook windows (user32) — bound at run time on first use. A library
// or function that is missing leaves its pointer null; that is never an error, and callers fall back.
//
//   if (const auto& themes = UxTheme(); themes.OpenThemeData) { ... }
//   if (CompositionEnabled()) ...
#include <windows.h>
#include <dwmapi.h>
#include <uxtheme.h>

namespace nv {

// A system library loaded for the process's lifetime (or not at all).
class RuntimeLibrary {
public:
  explicit RuntimeLibrary(const wchar_t* name) : module_(LoadLibraryW(name)) {}
  RuntimeLibrary(const RuntimeLibrary&) = delete;
  RuntimeLibrary& operator=(const RuntimeLibrary&) = delete;

  bool Loaded() const { return module_ != nullptr; }
  // The function of that name, or null.
  template <class Function>
  Function Find(const char* name) const {
    return module_ ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name))) : nullptr;
  }

private:
  HMODULE module_;
};

struct UxThemeApi {
  decltype(&::IsThemeActive) IsThemeActive = nullptr;
  decltype(&::IsAppThemed) IsAppThemed = nullptr;
  decltype(&::OpenThemeData) OpenThemeData = nullptr;
  decltype(&::CloseThemeData) CloseThemeData = nullptr;
  decltype(&::DrawThemeBackground) DrawThemeBackground = nullptr;
  decltype(&::DrawThemeParentBackground) DrawThemeParentBackground = nullptr;
  decltype(&::GetThemePartSize) GetThemePartSize = nullptr;
  decltype(&::SetWindowTheme) SetWindowTheme = nullptr;
  decltype(&::BufferedPaintInit) BufferedPaintInit = nullptr;
  decltype(&::BufferedPaintUnInit) BufferedPaintUnInit = nullptr;
  decltype(&::BeginBufferedPaint) BeginBufferedPaint = nullptr;
  decltype(&::EndBufferedPaint) EndBufferedPaint = nullptr;
  decltype(&::BufferedPaintSetAlpha) BufferedPaintSetAlpha = nullptr;
  decltype(&::BufferedPaintClear) BufferedPaintClear = nullptr;
};
const UxThemeApi& UxTheme();

struct DwmApi {
  decltype(&::DwmIsCompositionEnabled) IsCompositionEnabled = nullptr;
  decltype(&::DwmExtendFrameIntoClientArea) ExtendFrameIntoClientArea = nullptr;
  decltype(&::DwmSetWindowAttribute) SetWindowAttribute = nullptr;
  decltype(&::DwmGetWindowAttribute) GetWindowAttribute = nullptr;
};
const DwmApi& Dwm();

struct UserApi {
  decltype(&::SetLayeredWindowAttributes) SetLayeredWindowAttributes = nullptr;
  decltype(&::GetLayeredWindowAttributes) GetLayeredWindowAttributes = nullptr;
  decltype(&::UpdateLayeredWindow) UpdateLayeredWindow = nullptr;
  decltype(&::RegisterShellHookWindow) RegisterShellHookWindow = nullptr;
  decltype(&::DeregisterShellHookWindow) DeregisterShellHookWindow = nullptr;
};
const UserApi& User();

// Visual styles are on for this program (false without uxtheme).
bool ThemesActive();
// Desktop composition is on (false without dwmapi).
bool CompositionEnabled();

}  // namespace nv
