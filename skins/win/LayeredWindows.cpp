#include "skins/win/LayeredWindows.h"

#include "skins/Fade.h"
#include "support/ui/win/SystemApi.h"

namespace nv {

namespace {

void SetLayered(HWND window, bool layered) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
  const LONG_PTR wanted = layered ? style | WS_EX_LAYERED : style & ~static_cast<LONG_PTR>(WS_EX_LAYERED);
  if (wanted != style) SetWindowLongPtrW(window, GWL_EXSTYLE, wanted);
}

}  // namespace

bool IsLayeredSupported() { return User().SetLayeredWindowAttributes != nullptr; }

bool SetWindowTransparency(HWND window, int percent) {
  const auto set = User().SetLayeredWindowAttributes;
  if (!set || !window) return false;
  if (percent >= 100) {
    SetLayered(window, false);
    return true;
  }
  SetLayered(window, true);
  return set(window, 0, static_cast<BYTE>(AlphaOfPercent(percent)), LWA_ALPHA) != FALSE;
}

bool SetWindowColorKey(HWND window, COLORREF colour) {
  const auto set = User().SetLayeredWindowAttributes;
  if (!set || !window) return false;
  SetLayered(window, true);
  return set(window, colour, 0, LWA_COLORKEY) != FALSE;
}

int GetWindowTransparency(HWND window) {
  const auto get = User().GetLayeredWindowAttributes;
  if (!get || !(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED)) return 100;
  COLORREF key = 0;
  BYTE alpha = 255;
  DWORD flags = 0;
  if (!get(window, &key, &alpha, &flags) || !(flags & LWA_ALPHA)) return 100;
  return PercentOfAlpha(alpha);
}

}  // namespace nv
