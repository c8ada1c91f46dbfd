// Media keys pressed in other programs: the main window listens to the shell as a shell hook window and through the
// tray extension's shell hook, and renews both registrations every 10 seconds (a server that has gone is reached
// again then).
#include "app/AppConstants.h"
#include "app/MediaKeys.h"
#include "app/win/CommandLog.h"
#include "app/win/MainPlayerFm.h"
#include "app/win/TrayExtClient.h"

namespace nv {

namespace {

using ShellHookWindowFn = BOOL(WINAPI*)(HWND);

// Bound at run time: the functions are missing from some systems.
ShellHookWindowFn User32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<ShellHookWindowFn>(GetProcAddress(user32, name)) : nullptr;
}

}  // namespace

void TMainPlayerFm::RegisterShellHooks() {
  const auto registerWindow = User32Function("RegisterShellHookWindow");
  const auto deregisterWindow = User32Function("DeregisterShellHookWindow");
  if (registerWindow && deregisterWindow) {
    deregisterWindow(Handle());
    const UINT message = RegisterWindowMessageW(L"SHELLHOOK");
    shellHookMessage_ = message != 0 && registerWindow(Handle()) ? message : 0;
  }
  trayShellHookRegistered_ =
      RegisterTrayShellHook(Handle(), WM_SHELLHOOKBASE) == ShellHookRegistration::Registered;
  if (shellHookMessage_ != 0 || trayShellHookRegistered_) SetTimer(kShellHookRenewTimer, kShellHookRenewIntervalMs);
}

void TMainPlayerFm::RenewShellHooks() {
  if (shellHookMessage_ != 0) {
    if (const auto deregisterWindow = User32Function("DeregisterShellHookWindow")) deregisterWindow(Handle());
    if (const auto registerWindow = User32Function("RegisterShellHookWindow"); !registerWindow(Handle()))
      shellHookMessage_ = 0;
  }
  if (!trayShellHookRegistered_) return;
  const int reconnections = TrayExtReconnections();
  const ShellHookRegistration outcome = RegisterTrayShellHook(Handle(), WM_SHELLHOOKBASE);
  if (TrayExtReconnections() != reconnections) LogCommand("tray extension reconnected");
  trayShellHookRegistered_ = outcome == ShellHookRegistration::Registered;
  if (outcome != ShellHookRegistration::ServerLost) return;
  // Gone for good: the program ends as if closed.
  KillTimer(kShellHookRenewTimer);
  LogCommand("tray extension lost");
  aClose->Execute();
}

void TMainPlayerFm::DeregisterShellHooks() {
  KillTimer(kShellHookRenewTimer);
  if (shellHookMessage_ != 0)
    if (const auto deregisterWindow = User32Function("DeregisterShellHookWindow")) deregisterWindow(Handle());
  shellHookMessage_ = 0;
  if (trayShellHookRegistered_) DeregisterTrayShellHook();
  trayShellHookRegistered_ = false;
}

// The shell waits only briefly for the answer: the command runs after it has been told the key was taken.
LRESULT TMainPlayerFm::ApplicationCommand(LPARAM lParam) {
  const auto command = MediaKeyCommand(static_cast<std::uint32_t>(lParam), preferences_.handlePlaybackKeys,
                                       preferences_.handleVolumeKeys);
  if (!command) return 0;
  PostMessageW(Handle(), WM_PLAYERCOMMAND, *command, 0);
  return 1;
}

}  // namespace nv
