#pragma once
// The private window messages of the user-interface layer.
#include <windows.h>

namespace nv {

// To the utility window (UtilityWindow.h).
inline constexpr UINT WM_REPAINTCONTROL = WM_USER + 1;  // wParam: the control's identifier
inline constexpr UINT WM_DEFERREDCALL = WM_USER + 2;    // wParam: the control's identifier or 0; lParam: the call

}  // namespace nv
