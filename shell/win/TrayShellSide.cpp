#include "shell/win/TrayShellSide.h"

#include "app/AppConstants.h"
#include "shell/win/SubclassUtils.h"
#include "shell/win/TraySubclass.h"
#include "shell/win/XShellHook.h"

namespace nv {

namespace {

// The taskbar subclass in the shell's process, reached by window messages, and the shell hook of this process.
class ModuleShellSide final : public TrayShellSide {
public:
  void AttachTaskbar() override { RemoteSubclass(FindWindowW(kTaskbarWindowClass, nullptr), TraySubclassClass(), true); }
  void DetachTaskbar() override {
    RemoteSubclass(FindWindowW(kTaskbarWindowClass, nullptr), TraySubclassClass(), false);
  }
  bool RegisterShellHook(HWND target, UINT messageBase) override { return InstallShellHook(target, messageBase); }
  void DeregisterShellHook() override { RemoveShellHook(); }
};

}  // namespace

TrayShellSide& ModuleTrayShellSide() {
  static ModuleShellSide side;
  return side;
}

}  // namespace nv
