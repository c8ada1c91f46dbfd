#pragma once
// A stand-in for the taskbar strip's window until it exists: a window of class "TPlayerTrayFm" created as a child
// of the taskbar, where a second instance and the shell's context menu look for the running player. It routes
// WM_PLAYERCOMMAND and the WM_COPYDATA file hand-over to a command sink. When the taskbar that parents it goes
// away, the process ends at once.
// Like the main form it stands in for, it asks the tray extension for shell events — the media keys pressed in
// other programs arrive as player commands — and renews the registration every 10 seconds, which reconnects to a
// server that has gone; when even a fresh connection fails, the program ends (exit code 0). The real form renews
// only a registration that succeeded; the stand-in renews whatever the answer.
#include <windows.h>

#include <functional>
#include <string_view>

#include "app/PlayerCommandSink.h"
#include "support/ui/win/Form.h"

namespace nv {

class PlayerWindowStandIn final : public Form {
public:
  // `log` hears "tray extension reconnected" and "tray extension lost".
  PlayerWindowStandIn(HWND taskbar, PlayerCommandSink& sink, std::function<void(std::string_view)> log = {});
  ~PlayerWindowStandIn() override;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void HandleTimer(UINT_PTR id) override;
  void HandleDestroyed() override;

private:
  void HandOver(const COPYDATASTRUCT* data);
  // 1 when the application command was taken.
  LRESULT HandleMediaKey(unsigned command);
  void RenewShellHook();

  PlayerCommandSink& sink_;
  std::function<void(std::string_view)> log_;
};

}  // namespace nv
