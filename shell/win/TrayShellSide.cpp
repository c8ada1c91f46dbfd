#include "shell/win/TrayShellSide.h"

#include "app/AppConstants.h"
#include "shell/win/SubclassUtils.h"
#include "shell/win/TraySubclass.h"

namespace nv {

namespace {

// The taskbar subclass in the shell's process, reached by window messages.
class ModuleShellSide final : public TrayShellSide {
public:
  void AttachTaskbar() override { RemoteSubclass(FindWindowW(kTaskbarWindowClass, nullptr), TraySubclassClass(), true); }
  void DetachTaskbar() override {
    RemoteSubclass(FindWindowW(kTaskbarWindowClass, nullptr), TraySubclassClass(), false);
  }
  // The shell hook is not installed yet: registration answers false.
  bool RegisterShellHook(HWND, UINT) override { return false; }
  void DeregisterShellHook() override {}
};

}  // namespace

TrayShellSide& ModuleTrayShellSide() {
  static ModuleShellSide side;
  return side;
}

}  // namespace nv
