#pragma once
// What the user-interface tests share: a form placed on the Wine desktop, a windowless control that paints one
// colour and counts what reaches it, and loops that handle messages through the application's loop while a test
// waits.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/ui/win/Application.h"
#include "support/ui/win/Control.h"
#include "support/ui/win/Form.h"

namespace nv::test {

// A borderless, topmost form at a place of the screen, away from the taskbar.
class TestForm : public Form {
public:
  explicit TestForm(Rect bounds = Rect::FromSize(200, 150, 400, 300), bool acceptFiles = false);
};

// A windowless control filled with one colour, counting what reaches it.
class ProbeControl : public Control {
public:
  ProbeControl(WinControl& parent, Rect bounds, COLORREF colour, std::string name = {});

  std::string name;
  COLORREF colour;
  int paints = 0, loaded = 0, downs = 0, ups = 0, doubleClicks = 0, clicks = 0, moves = 0;
  int enters = 0, leaves = 0, captureLost = 0, ticks = 0, drops = 0;
  Point lastDown, lastMove, lastUp;
  DroppedFiles lastDrop;
  bool handlesDrops = false;
  std::function<void()> onTick;
  std::vector<UINT> messages;  // what Perform delivered

  void Paint(HDC dc) override;
  void Click() override {
    ++clicks;
    Control::Click();
  }

protected:
  void MouseDown(const MouseEvent& event) override;
  void MouseMove(Point at, WPARAM keys) override;
  void MouseUp(const MouseEvent& event) override;
  void DoubleClick(const MouseEvent& event) override;
  void MouseEnter() override { ++enters; }
  void MouseLeave() override { ++leaves; }
  void CaptureLost() override { ++captureLost; }
  void Loaded() override;
  void TimerTick() override;
  void DropFiles(const DroppedFiles& files) override;
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Handles messages and runs the idle processing, as the main loop does, until `done` answers true (true) or the
// time is up (false).
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
void PumpFor(DWORD ms);

// Moves the pointer to a point of the screen, again every 100 ms, until `arrived` says the program saw it (under
// load Wine now and then loses a synthesized move, where a hand would simply move on).
bool MovePointerUntil(Point screen, const std::function<bool()>& arrived, DWORD timeoutMs = 3000);
// The same until the system's cursor is there: before a press that must land on that point.
bool MovePointerTo(Point screen);

// The centre of a control on the screen.
Point ScreenCentre(const Control& control);

// The visible window of this process with this class ("#32768" for an open menu, "#32770" for a dialog box).
HWND FindOwnWindow(const wchar_t* className);

// The system's open and save dialogs, as a hand fills them in: the name field, the file list's item with this
// name selected (false when it is not listed), the OK button pressed.
HWND FileDialogNameField(HWND dialog);
bool SelectFileDialogItem(HWND dialog, const wchar_t* name);
void PressDialogOk(HWND dialog);

}  // namespace nv::test
