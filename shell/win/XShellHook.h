#pragma once
// The system-wide shell hook that forwards application commands (media keys) from any 64-bit program to the
// player's window. Its procedure runs in whichever process the system calls it in and finds the window in the
// shared block (XSharedMem.h).
#include <windows.h>

namespace nv {

// Installs the hook for `target` and `messageBase` (deregistering any first). False, with the block cleared, when
// there is no block, the base is not the player's, or the hook cannot be installed.
bool InstallShellHook(HWND target, UINT messageBase);
// Removes the hook, if any, and clears the block.
void RemoveShellHook();

// The hook procedure (exposed for the record; the system calls it).
LRESULT CALLBACK ShellHookProc(int code, WPARAM wParam, LPARAM lParam);

}  // namespace nv
