#include "ui/win/PlayerTrayFm.h"

#include "app/AppConstants.h"
#include "app/PlayerPreferences.h"
#include "app/win/CommandLog.h"
#include "app/win/PlayerSkin.h"
#include "resources/StringIds.h"
#include "support/ui/win/Application.h"
#include "support/win/ApplicationRegIni.h"
#include "ui/win/ExpandedPlayerStandIn.h"

namespace nv {

namespace {

// A small strip at the right end of the taskbar; the strip's own layout places it once it docks.
constexpr int kStripWidth = 120;
// The working set is trimmed this long after playback stops.
constexpr unsigned kTrimAfterStopMs = 1000;

FormParams StripParams(HWND taskbar) {
  RECT bar{};
  GetClientRect(taskbar, &bar);
  return {.className = kPlayerWindowClass,
          .border = FormBorder::None,
          .child = true,
          .bounds = Rect::FromSize(bar.right - kStripWidth, 0, kStripWidth, bar.bottom - bar.top)};
}

}  // namespace

TPlayerTrayFm::TPlayerTrayFm(HWND taskbar, const MainPlayerSetup& setup)
    : TMainPlayerFm(setup, StripParams(taskbar)),
      modalExtraWindow_(App().AddModalExtraWindow(Handle())) {
  aShowFullPlayer = &NewAction("aShowFullPlayer", IDS_ACTION_SHOW_FULL_PLAYER, IDS_ACTION_SHOW_FULL_PLAYER, 0);
  aShowFullPlayer->OnUpdate = [this](Action& a) { a.SetChecked(ExpandedPlayerVisible()); };
  aShowFullPlayer->OnExecute = [this](Action&) {
    if (ExpandedPlayerVisible())
      expanded_->Hide();
    else
      ShowExpandedPlayer();
  };
  expanded_ = new ExpandedPlayerStandIn(*this);
  AfterConstruction();
}

TPlayerTrayFm::~TPlayerTrayFm() = default;

void TPlayerTrayFm::ExecuteCommand(unsigned code) {
  if (code == kCommandReloadSkin) {
    // Another instance installed a skin: every skinned window takes it.
    LogCommand("skin\t" + ReadCurrentSkin(ApplicationRegIni()));
    ReloadPlayerSkin();
    return;
  }
  TMainPlayerFm::ExecuteCommand(code);
}

std::string TPlayerTrayFm::SkinNotice() const { return PlayerSkin().Notice(); }

void TPlayerTrayFm::ShowExpandedPlayer() { expanded_->ShowNoActivate(); }

bool TPlayerTrayFm::ExpandedPlayerVisible() const { return IsWindowVisible(expanded_->Handle()) != FALSE; }

bool TPlayerTrayFm::ApplicationWindowHook(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // Windows is ending the session: the process may be ended as soon as this returns, so the state is saved now.
  if (message == WM_ENDSESSION && wParam) {
    aClose->Execute();
    result = 0;
    return true;
  }
  return TMainPlayerFm::ApplicationWindowHook(message, wParam, lParam, result);
}

void TPlayerTrayFm::PlayerEventHandled(TPlayerEventType event, void*) {
  if (event == peStateChanged && Player().State() == TXPlayerState::psStopped)
    SetTimer(kTrimWorkingSetTimer, kTrimAfterStopMs);
}

void TPlayerTrayFm::HandleDestroyed() {
  // Destroyed from outside: the taskbar that parents the window is gone.
  if (!DestroyingFromHere()) ExitProcess(0);
}

}  // namespace nv
