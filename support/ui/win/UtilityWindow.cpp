#include "support/ui/win/UtilityWindow.h"

#include <memory>

#include "support/ui/win/Control.h"
#include "support/ui/win/UiMessages.h"

namespace nv {

namespace {
constexpr wchar_t kUtilityWindowClass[] = L"NorvaleUtilityWindow";
using DeferredCall = std::function<void()>;
}  // namespace

namespace {
// Made on first use and kept for the thread's life (a thread-local object with a destructor is not safe with
// mingw-w64: its storage may be freed before the destructor runs at thread exit).
thread_local UtilityWindow* current = nullptr;
}  // namespace

UtilityWindow& UtilityWindow::Current() {
  if (!current) current = new UtilityWindow();
  return *current;
}

UtilityWindow::UtilityWindow() {
  // Message-only: nothing to show, nothing broadcast to it.
  Create({kUtilityWindowClass}, {.style = 0, .parent = HWND_MESSAGE});
}

UtilityWindow::~UtilityWindow() {
  // Calls still queued are dropped with the window; their storage is freed here.
  MSG message;
  while (Handle() && PeekMessageW(&message, Handle(), WM_DEFERREDCALL, WM_DEFERREDCALL, PM_REMOVE))
    delete reinterpret_cast<DeferredCall*>(message.lParam);
}

void UtilityWindow::SetControlTimer(ControlId control, UINT periodMs) { SetTimer(control, periodMs); }
void UtilityWindow::KillControlTimer(ControlId control) { KillTimer(control); }

void UtilityWindow::PostCall(std::function<void()> call) { Post(Handle(), WM_DEFERREDCALL, 0, std::move(call)); }

void UtilityWindow::Post(HWND utility, UINT message, ControlId control, std::function<void()> call) {
  auto* boxed = call ? new DeferredCall(std::move(call)) : nullptr;
  if (!utility || !PostMessageW(utility, message, control, reinterpret_cast<LPARAM>(boxed))) delete boxed;
}

LRESULT UtilityWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const auto id = static_cast<ControlId>(wParam);
  switch (message) {
    case WM_TIMER:
      if (Control* control = FindControl(id)) control->TimerTick();
      else KillTimer(wParam);  // its control is gone
      return 0;
    case WM_REPAINTCONTROL:
      if (Control* control = FindControl(id)) control->Repaint();
      return 0;
    case WM_DEFERREDCALL: {
      const std::unique_ptr<DeferredCall> call(reinterpret_cast<DeferredCall*>(lParam));
      if (call && (id == 0 || FindControl(id))) (*call)();
      return 0;
    }
    default:
      return Window::WindowProc(message, wParam, lParam);
  }
}

Control* ControlRef::Get() const { return FindControl(id_); }

void ControlRef::PostRepaint() const { UtilityWindow::Post(utility_, WM_REPAINTCONTROL, id_, nullptr); }

void ControlRef::PostCall(std::function<void()> call) const {
  UtilityWindow::Post(utility_, WM_DEFERREDCALL, id_, std::move(call));
}

}  // namespace nv
