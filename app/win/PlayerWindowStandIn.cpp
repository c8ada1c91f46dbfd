#include "app/win/PlayerWindowStandIn.h"

#include "app/AppConstants.h"
#include "app/HandOverText.h"
#include "app/win/TrayExtClient.h"
#include "shell/TrayExtProtocol.h"

namespace nv {

namespace {
// A small strip at the right end of the taskbar; the real strip docks itself through the tray extension.
constexpr int kStripWidth = 120;

Rect StripBounds(HWND taskbar) {
  RECT bar{};
  GetClientRect(taskbar, &bar);
  return Rect::FromSize(bar.right - kStripWidth, 0, kStripWidth, bar.bottom - bar.top);
}
}  // namespace

PlayerWindowStandIn::PlayerWindowStandIn(HWND taskbar, PlayerCommandSink& sink,
                                         std::function<void(std::string_view)> log)
    : Form({.className = kPlayerWindowClass,
            .border = FormBorder::None,
            .owner = taskbar,
            .child = true,
            .toolWindow = true,
            .bounds = StripBounds(taskbar)}),
      sink_(sink),
      log_(std::move(log)) {
  RegisterTrayShellHook(Handle(), kShellHookMessageBase);
  SetTimer(kShellHookRenewTimer, kShellHookRenewIntervalMs);
}

PlayerWindowStandIn::~PlayerWindowStandIn() {
  KillTimer(kShellHookRenewTimer);
  DeregisterTrayShellHook();
  Destroy();
}

LRESULT PlayerWindowStandIn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PLAYERCOMMAND:
      UpdateWindow(Handle());  // finish pending painting first: the command may take a while
      sink_.ExecuteCommand(static_cast<unsigned>(wParam));
      return 0;
    case WM_COPYDATA:
      HandOver(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
      return TRUE;
    case kShellHookMessageBase + HSHELL_APPCOMMAND:
      return HandleMediaKey(GET_APPCOMMAND_LPARAM(lParam));
    default:
      return Form::WindowProc(message, wParam, lParam);
  }
}

LRESULT PlayerWindowStandIn::HandleMediaKey(unsigned command) {
  // A media key pressed in another program, forwarded by the shell hook, which waits only briefly for the answer:
  // the command runs after it has been told the key was taken. Keys the player has no command for go on.
  switch (command) {
    case kCommandMute:
    case kCommandVolumeDown:
    case kCommandVolumeUp:
    case kCommandNextTrack:
    case kCommandPreviousTrack:
    case kCommandStop:
    case kCommandPlayPause:
    case kCommandPlay:
    case kCommandPause:
      PostMessageW(Handle(), WM_PLAYERCOMMAND, command, 0);
      return 1;
    default:
      return 0;
  }
}

void PlayerWindowStandIn::HandOver(const COPYDATASTRUCT* data) {
  // Any process may send this: nothing is read beyond cbData, and an empty text changes nothing.
  if (data == nullptr || data->cbData == 0 || data->lpData == nullptr) return;
  const std::vector<std::string> files =
      HandOverLines(std::string_view(static_cast<const char*>(data->lpData), data->cbData));
  if (files.empty()) return;
  const bool clear = data->dwData == kHandOverReplace;
  sink_.AddFiles(files, clear);
  if (clear) PostMessageW(Handle(), WM_PLAYERCOMMAND, kCommandPlay, 0);
}

void PlayerWindowStandIn::HandleTimer(UINT_PTR id) {
  if (id == kShellHookRenewTimer) RenewShellHook();
  else Form::HandleTimer(id);
}

void PlayerWindowStandIn::RenewShellHook() {
  const int reconnections = TrayExtReconnections();
  const ShellHookRegistration outcome = RegisterTrayShellHook(Handle(), kShellHookMessageBase);
  if (TrayExtReconnections() != reconnections && log_) log_("tray extension reconnected");
  if (outcome != ShellHookRegistration::ServerLost) return;
  // Gone for good: the program ends as if closed, and shuts down in order.
  KillTimer(kShellHookRenewTimer);
  if (log_) log_("tray extension lost");
  PostQuitMessage(0);
}

void PlayerWindowStandIn::HandleDestroyed() {
  // Destroyed from outside: the taskbar that parents the window is gone. Nothing is saved.
  if (!DestroyingFromHere()) ExitProcess(0);
}

}  // namespace nv
