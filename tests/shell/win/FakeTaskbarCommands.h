#pragma once
// The commands fake-taskbar.exe takes, sent to its "Shell_TrayWnd" window.
#include <windows.h>

inline constexpr UINT kFakeTaskbarReport = WM_APP + 1;   // log the children's rectangles
inline constexpr UINT kFakeTaskbarMove = WM_APP + 2;     // wParam x | y << 16, lParam width | height << 16
inline constexpr UINT kFakeTaskbarDestroy = WM_APP + 3;  // destroy the window and end
inline constexpr UINT kFakeTaskbarExit = WM_APP + 4;     // end the process at once
