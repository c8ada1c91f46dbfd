#pragma once
// Layered-window opacity and colour keys, through the system's entry points looked up at run time (SystemApi.h):
// without them opacity is not applied and fades degrade to showing and hiding at once.
#include <windows.h>

namespace nv {

bool IsLayeredSupported();
// 100 (or more) makes the window an ordinary one again; below that it is layered with alpha = percent x 255 / 100.
// False when the system offers no layered windows or refuses.
bool SetWindowTransparency(HWND window, int percent);
// Makes `colour` transparent in the window (it becomes layered).
bool SetWindowColorKey(HWND window, COLORREF colour);
// The opacity applied, in percent: 100 for a window without an alpha attribute.
int GetWindowTransparency(HWND window);

}  // namespace nv
