#include "shell/win/TrayShellSide.h"

namespace nv {

namespace {

class NoTrayShellSide final : public TrayShellSide {
public:
  void AttachTaskbar() override {}
  void DetachTaskbar() override {}
  bool RegisterShellHook(HWND, UINT) override { return false; }
  void DeregisterShellHook() override {}
};

}  // namespace

TrayShellSide& ModuleTrayShellSide() {
  static NoTrayShellSide side;
  return side;
}

}  // namespace nv
