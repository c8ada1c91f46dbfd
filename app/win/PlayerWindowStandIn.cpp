#include "app/win/PlayerWindowStandIn.h"

#include "app/AppConstants.h"
#include "app/HandOverText.h"
#include "app/win/TrayExtClient.h"
#include "shell/TrayExtProtocol.h"

namespace nv {

PlayerWindowStandIn::PlayerWindowStandIn(HWND taskbar, PlayerCommandSink& sink,
                                         std::function<void(std::string_view)> log)
    : sink_(sink), log_(std::move(log)) {
  RECT bar{};
  GetClientRect(taskbar, &bar);
  // A small strip at the right end of the taskbar; the real strip docks itself through the tray extension.
  const int width = 120, height = bar.bottom - bar.top;
  Create(kPlayerWindowClass, {0, GetSysColorBrush(COLOR_BTNFACE)}, WS_EX_TOOLWINDOW,
         WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, L"", bar.right - width, 0, width, height, taskbar);
  RegisterTrayShellHook(Handle(), kShellHookMessageBase);
  SetTimer(Handle(), kShellHookRenewTimer, kShellHookRenewIntervalMs, nullptr);
}

PlayerWindowStandIn::~PlayerWindowStandIn() {
  closing_ = true;
  KillTimer(Handle(), kShellHookRenewTimer);
  DeregisterTrayShellHook();
  Destroy();
}

void PlayerWindowStandIn::Show() { ShowWindow(Handle(), SW_SHOWNA); }

LRESULT PlayerWindowStandIn::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PLAYERCOMMAND:
      UpdateWindow(Handle());  // finish pending painting first: the command may take a while
      sink_.ExecuteCommand(static_cast<unsigned>(wParam));
      return 0;
    case WM_COPYDATA:
      HandOver(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
      return TRUE;
    case WM_TIMER:
      if (wParam != kShellHookRenewTimer) return Window::HandleMessage(message, wParam, lParam);
      RenewShellHook();
      return 0;
    case kShellHookMessageBase + HSHELL_APPCOMMAND:
      return HandleMediaKey(GET_APPCOMMAND_LPARAM(lParam));
    default:
      return Window::HandleMessage(message, wParam, lParam);
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

void PlayerWindowStandIn::RenewShellHook() {
  const int reconnections = TrayExtReconnections();
  const ShellHookRegistration outcome = RegisterTrayShellHook(Handle(), kShellHookMessageBase);
  if (TrayExtReconnections() != reconnections && log_) log_("tray extension reconnected");
  if (outcome != ShellHookRegistration::ServerLost) return;
  // Gone for good: the program ends as if closed, and shuts down in order.
  KillTimer(Handle(), kShellHookRenewTimer);
  if (log_) log_("tray extension lost");
  PostQuitMessage(0);
}

void PlayerWindowStandIn::HandleDestroyed() {
  // Destroyed from outside: the taskbar that parents the window is gone. Nothing is saved.
  if (!closing_) ExitProcess(0);
}

}  // namespace nv
