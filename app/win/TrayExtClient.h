#pragma once
// The player's client of the tray extension, process-wide: connecting (counted), docking and undocking a window in
// the taskbar, the shell hook registration, and the taskbar's state. Every call comes from the user-interface
// thread, in the COM apartment the application initialised.
//
// The extension is created in process or out of process (CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER): the 32-bit
// player, the build users run, can only reach the 64-bit server through the COM surrogate. Tests of the 64-bit
// build set NORVALE_TRAYEXT_OUT_OF_PROCESS=1 to take that path too (CLSCTX_LOCAL_SERVER only).
#include <windows.h>

#include <cstdint>

#include "app/TrayExtConnection.h"

namespace nv {

inline constexpr wchar_t kTrayExtOutOfProcessVariable[] = L"NORVALE_TRAYEXT_OUT_OF_PROCESS";

// With true: one more connection (the first creates the object and fetches the message numbers); false when the
// object cannot be created. With false: one fewer.
bool ConnectTrayExt(bool connect);
int TrayExtConnectionCount();
UINT TrayInsertMessage();
UINT TrayRemoveMessage();
int TrayExtReconnections();

// Asks the taskbar window to take `window` into its layout with a docking mode (shell/DockingMode.h), or to give
// it up; true when it did. False without a taskbar.
bool DockWindow(std::uint32_t mode, HWND window);
bool UndockWindow(HWND window);

// Shell events for `window` as `messageBase` + the hook code. ServerLost: the server could not be reached even
// after connecting anew, and the program should end.
ShellHookRegistration RegisterTrayShellHook(HWND window, UINT messageBase);
void DeregisterTrayShellHook();

// The taskbar's ABM_GETSTATE bits (ABS_AUTOHIDE 1, ABS_ALWAYSONTOP 2) for `window`, or for the taskbar when
// none is given; 0 without a taskbar.
UINT GetTaskbarState(HWND window = nullptr);

}  // namespace nv
