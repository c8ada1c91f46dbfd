#include "tests/support/ui/win/UiTestSupport.h"

#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>

#include "support/ui/win/GdiObjects.h"
#include "tests/common/win/DesktopDriver.h"

namespace nv::test {

TestForm::TestForm(Rect bounds, bool acceptFiles)
    : Form({.className = L"NorvaleTestForm",
            .caption = L"Test form",
            .border = FormBorder::None,
            .topmost = true,
            .bounds = bounds,
            .acceptFiles = acceptFiles}) {}

ProbeControl::ProbeControl(WinControl& parent, Rect bounds, COLORREF colour, std::string name)
    : Control(&parent), name(std::move(name)), colour(colour) {
  SetBounds(bounds);
}

void ProbeControl::Paint(HDC dc) {
  ++paints;
  const UniqueBrush brush(CreateSolidBrush(colour));
  const RECT all{0, 0, Width(), Height()};
  FillRect(dc, &all, brush.Get());
}

void ProbeControl::MouseDown(const MouseEvent& event) {
  ++downs;
  lastDown = event.at;
  Control::MouseDown(event);
}

void ProbeControl::MouseMove(Point at, WPARAM keys) {
  ++moves;
  lastMove = at;
  Control::MouseMove(at, keys);
}

void ProbeControl::MouseUp(const MouseEvent& event) {
  ++ups;
  lastUp = event.at;
  Control::MouseUp(event);
}

void ProbeControl::DoubleClick(const MouseEvent& event) {
  ++doubleClicks;
  Control::DoubleClick(event);
}

void ProbeControl::Loaded() {
  ++loaded;
  Control::Loaded();
}

void ProbeControl::TimerTick() {
  ++ticks;
  if (onTick) onTick();
}

void ProbeControl::DropFiles(const DroppedFiles& files) {
  ++drops;
  lastDrop = files;
  if (!handlesDrops) Control::DropFiles(files);
}

LRESULT ProbeControl::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  messages.push_back(message);
  return static_cast<LRESULT>(wParam + lParam);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  // As the main loop does: handle what is waiting, run the idle processing, wait for more.
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    App().ProcessMessages();
    App().Idle();
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 10)), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
  }
}

void PumpFor(DWORD ms) { PumpUntil([] { return false; }, ms); }

bool MovePointerUntil(Point screen, const std::function<bool()>& arrived, DWORD timeoutMs) {
  // Each try moves a pixel from the last one: a move to where the system believes the pointer already is makes
  // no message at all.
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (int attempt = 0;; ++attempt) {
    MoveMouseTo(screen.x + attempt % 2, screen.y);
    if (PumpUntil(arrived, 100)) return true;
    if (GetTickCount64() >= deadline) return false;
  }
}

bool MovePointerTo(Point screen) {
  return MovePointerUntil(screen, [&] {
    POINT cursor{};
    GetCursorPos(&cursor);
    return (cursor.x == screen.x || cursor.x == screen.x + 1) && cursor.y == screen.y;
  });
}

Point ScreenCentre(const Control& control) {
  const Rect r = control.ScreenRect();
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

HWND FindOwnWindow(const wchar_t* className) {
  return WaitForTopWindow(className, nullptr, GetCurrentProcessId(), 0);
}

HWND FileDialogNameField(HWND dialog) {
  const HWND combo = GetDlgItem(dialog, cmb13);
  return combo ? combo : GetDlgItem(dialog, edt1);
}

bool SelectFileDialogItem(HWND dialog, const wchar_t* name) {
  const HWND view = FindWindowExW(dialog, nullptr, L"SHELLDLL_DefView", nullptr);
  const HWND list = view ? FindWindowExW(view, nullptr, L"SysListView32", nullptr) : nullptr;
  if (!list) return false;
  LVFINDINFOW find{};
  find.flags = LVFI_STRING;
  find.psz = name;
  const auto index = static_cast<int>(
      SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
  if (index < 0) return false;
  LVITEMW select{};
  select.stateMask = select.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&select));
  return true;
}

void PressDialogOk(HWND dialog) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

}  // namespace nv::test
