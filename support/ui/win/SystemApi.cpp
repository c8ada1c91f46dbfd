#include "support/ui/win/SystemApi.h"

namespace nv {

#define NV_BIND(library, api, name) api.name = library.Find<decltype(api.name)>(#name)

const UxThemeApi& UxTheme() {
  static const UxThemeApi api = [] {
    static const RuntimeLibrary library(L"uxtheme.dll");
    UxThemeApi bound;
    NV_BIND(library, bound, IsThemeActive);
    NV_BIND(library, bound, IsAppThemed);
    NV_BIND(library, bound, OpenThemeData);
    NV_BIND(library, bound, CloseThemeData);
    NV_BIND(library, bound, DrawThemeBackground);
    NV_BIND(library, bound, DrawThemeParentBackground);
    NV_BIND(library, bound, GetThemePartSize);
    NV_BIND(library, bound, SetWindowTheme);
    NV_BIND(library, bound, BufferedPaintInit);
    NV_BIND(library, bound, BufferedPaintUnInit);
    NV_BIND(library, bound, BeginBufferedPaint);
    NV_BIND(library, bound, EndBufferedPaint);
    NV_BIND(library, bound, BufferedPaintSetAlpha);
    NV_BIND(library, bound, BufferedPaintClear);
    return bound;
  }();
  return api;
}

const DwmApi& Dwm() {
  static const DwmApi api = [] {
    static const RuntimeLibrary library(L"dwmapi.dll");
    DwmApi bound;
    bound.IsCompositionEnabled = library.Find<decltype(bound.IsCompositionEnabled)>("DwmIsCompositionEnabled");
    bound.ExtendFrameIntoClientArea =
        library.Find<decltype(bound.ExtendFrameIntoClientArea)>("DwmExtendFrameIntoClientArea");
    bound.SetWindowAttribute = library.Find<decltype(bound.SetWindowAttribute)>("DwmSetWindowAttribute");
    bound.GetWindowAttribute = library.Find<decltype(bound.GetWindowAttribute)>("DwmGetWindowAttribute");
    return bound;
  }();
  return api;
}

const UserApi& User() {
  static const UserApi api = [] {
    static const RuntimeLibrary library(L"user32.dll");
    UserApi bound;
    NV_BIND(library, bound, SetLayeredWindowAttributes);
    NV_BIND(library, bound, GetLayeredWindowAttributes);
    NV_BIND(library, bound, UpdateLayeredWindow);
    NV_BIND(library, bound, RegisterShellHookWindow);
    NV_BIND(library, bound, DeregisterShellHookWindow);
    return bound;
  }();
  return api;
}

#undef NV_BIND

bool ThemesActive() {
  const UxThemeApi& api = UxTheme();
  return api.IsThemeActive && api.IsAppThemed && api.IsThemeActive() && api.IsAppThemed();
}

bool CompositionEnabled() {
  BOOL enabled = FALSE;
  return Dwm().IsCompositionEnabled && SUCCEEDED(Dwm().IsCompositionEnabled(&enabled)) && enabled;
}

}  // namespace nv
