#pragma once
// A stand-in for the tray extension's client until the COM server exists: connecting is counted as the real
// client counts it and always succeeds; the first connect registers the two docking message numbers the
// extension hands out. The taskbar state query is the real one.
#include <windows.h>

namespace nv {

// With true: one more connection (the first one fetches the message numbers). With false: one fewer.
bool ConnectTrayExt(bool connect);
int TrayExtConnectionCount();
UINT TrayInsertMessage();
UINT TrayRemoveMessage();

// The taskbar's ABM_GETSTATE bits (ABS_AUTOHIDE 1, ABS_ALWAYSONTOP 2) for `window`, or for the taskbar when
// none is given; 0 without a taskbar.
UINT GetTaskbarState(HWND window = nullptr);

}  // namespace nv
