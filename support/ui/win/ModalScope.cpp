#include "support/ui/win/ModalScope.h"

#include <string>

#include "support/ui/win/Application.h"
#include "support/ui/win/ExceptionBarrier.h"

namespace nv {

namespace {

struct DisableSearch {
  HWND except;
  std::vector<HWND>* disabled;
};

BOOL CALLBACK DisableOther(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<DisableSearch*>(parameter);
  if (window != search->except && IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    search->disabled->push_back(window);
  }
  return TRUE;
}

// How often the hook runs idle processing at most, and how often the thread timer makes a message arrive.
constexpr ULONGLONG kForeignIdleIntervalMs = 50;
constexpr UINT kForeignWakeMs = 100;

struct ForeignLoopState {
  int depth = 0;
  HHOOK hook = nullptr;
  UINT_PTR timer = 0;
  ULONGLONG lastIdle = 0;
};
thread_local ForeignLoopState foreign;

LRESULT CALLBACK IdleHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    const ULONGLONG now = GetTickCount64();
    if (now - foreign.lastIdle >= kForeignIdleIntervalMs) {
      foreign.lastIdle = now;
      Guarded([] { App().Idle(); });
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

ProgramModalScope::ProgramModalScope(HWND modalWindow, bool disableOthers) : active_(GetActiveWindow()) {
  if (!disableOthers) return;
  DisableSearch search{modalWindow, &disabled_};
  EnumThreadWindows(GetCurrentThreadId(), &DisableOther, reinterpret_cast<LPARAM>(&search));
  for (HWND extra : App().ModalExtraWindows())
    if (extra != modalWindow && IsWindow(extra) && IsWindowEnabled(extra)) {
      EnableWindow(extra, FALSE);
      disabled_.push_back(extra);
    }
}

ProgramModalScope::~ProgramModalScope() {
  EnableOthers();
  if (active_ && IsWindow(active_) && IsWindowVisible(active_)) SetActiveWindow(active_);
}

void ProgramModalScope::EnableOthers() {
  for (auto it = disabled_.rbegin(); it != disabled_.rend(); ++it)
    if (IsWindow(*it)) EnableWindow(*it, TRUE);
  disabled_.clear();
}

ForeignLoopIdle::ForeignLoopIdle() {
  if (foreign.depth++ > 0) return;
  foreign.hook = SetWindowsHookExW(WH_GETMESSAGE, &IdleHook, nullptr, GetCurrentThreadId());
  foreign.timer = SetTimer(nullptr, 0, kForeignWakeMs, nullptr);
}

ForeignLoopIdle::~ForeignLoopIdle() {
  if (--foreign.depth > 0) return;
  if (foreign.hook) UnhookWindowsHookEx(foreign.hook);
  if (foreign.timer) KillTimer(nullptr, foreign.timer);
  foreign = {};
}

int ShowMessageBox(std::wstring_view text, UINT flags, HWND owner) {
  const std::wstring title = App().Title(), body(text);
  return RunForeignModal([&] { return MessageBoxW(owner, body.c_str(), title.c_str(), flags); });
}

}  // namespace nv
