#pragma once
// A stand-in for the taskbar strip's window until it exists: a window of class "TPlayerTrayFm" created as a child
// of the taskbar, where a second instance and the shell's context menu look for the running player. It routes
// WM_PLAYERCOMMAND and the WM_COPYDATA file hand-over to a command sink. When the taskbar that parents it goes
// away, the process ends at once.
#include <windows.h>

#include "app/PlayerCommandSink.h"
#include "support/ui/win/Form.h"

namespace nv {

class PlayerWindowStandIn final : public Form {
public:
  PlayerWindowStandIn(HWND taskbar, PlayerCommandSink& sink);

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void HandleDestroyed() override;

private:
  void HandOver(const COPYDATASTRUCT* data);

  PlayerCommandSink& sink_;
};

}  // namespace nv
