#pragma once
// TPlayerTrayFm: the program's main window, the strip in the taskbar. It is a child of the taskbar window
// ("Shell_TrayWnd") of class "TPlayerTrayFm", where a second instance and the shell's context menu find the running
// player, and the main player form (TMainPlayerFm) behind it does the work. When the taskbar that parents it goes
// away the process ends at once, saving nothing.
//
// Until the strip lays itself out, docks and draws its skinned buttons, it is a plain strip at the right end of the
// taskbar; the expanded player is a plain stand-in window (ui/win/ExpandedPlayerStandIn.h).
#include <windows.h>

#include "app/win/MainPlayerFm.h"
#include "support/ui/Registration.h"

namespace nv {

class ExpandedPlayerStandIn;

class TPlayerTrayFm final : public TMainPlayerFm {
public:
  TPlayerTrayFm(HWND taskbar, const MainPlayerSetup& setup);
  ~TPlayerTrayFm() override;

  void ExecuteCommand(unsigned code) override;
  std::string SkinNotice() const override;
  bool ApplicationWindowHook(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  // Shows the expanded player (start-up does, unless asked not to).
  void ShowExpandedPlayer();
  bool ExpandedPlayerVisible() const;

protected:
  void HandleDestroyed() override;
  void PlayerEventHandled(TPlayerEventType event, void* param) override;

private:
  Action* aShowFullPlayer;
  ExpandedPlayerStandIn* expanded_;  // a child player window: the main form owns it
  Registration modalExtraWindow_;
};

}  // namespace nv
