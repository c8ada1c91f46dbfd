#pragma once
// Driving windows on the Wine desktop as a person would: finding them by class and caption, reading their text,
// moving the mouse and clicking through the X server (xdotool), pressing keys (SendInput: they reach the window that
// has the focus, exactly as a hand's would).
#include <windows.h>

#include <initializer_list>
#include <string>

namespace nv::test {

// Waits for a visible top-level window of `processId` with this class and caption (any caption when null); null
// after the timeout.
HWND WaitForTopWindow(const wchar_t* className, const wchar_t* caption, DWORD processId, DWORD timeoutMs);
// A child control by class and text (its caption, with any "&" as written); null when there is none.
HWND FindControl(HWND parent, const wchar_t* className, const wchar_t* text);
std::wstring WindowText(HWND window);
// Moves the mouse to the middle of the window and clicks the left button, through the X server (xdotool); returns
// once the click has been made.
void ClickWithMouse(HWND window);
// The same at a point of the screen.
void ClickAt(int x, int y);

// The pointer to a point of the screen, through the X server as well.
void MoveMouseTo(int x, int y);
// One button of the mouse (MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTUP, ...) where the pointer is: a drag.
void MouseButton(DWORD event);
// Presses the keys in order and releases them in reverse (a chord: {VK_CONTROL, 'K'}).
void PressKeys(std::initializer_list<WORD> keys);

// Waits until `condition` holds; false after the timeout.
bool WaitUntil(const auto& condition, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(20);
  }
  return true;
}

}  // namespace nv::test
