#pragma once
// What the tray extension does inside the shell, behind the object's methods: it makes the taskbar window take
// docked windows into its layout (a subclass living in the shell's process), and it installs the system-wide shell
// hook that forwards application commands to the player's window.
#include <windows.h>

namespace nv {

class TrayShellSide {
public:
  virtual ~TrayShellSide() = default;

  // While at least one tray extension object lives, the taskbar answers the docking requests.
  virtual void AttachTaskbar() = 0;
  virtual void DetachTaskbar() = 0;
  // Shell events go to `target` as `messageBase` + the hook code. True when the hook was installed; a new
  // registration replaces the previous one.
  virtual bool RegisterShellHook(HWND target, UINT messageBase) = 0;
  virtual void DeregisterShellHook() = 0;
};

// The module's shell side: the taskbar subclass (TraySubclass.h) in the shell's process and the shell hook
// (XShellHook.h).
TrayShellSide& ModuleTrayShellSide();

}  // namespace nv
