#pragma once
// Driving windows on the Wine desktop as a person would: finding them by class and caption, reading their text,
// moving the mouse, clicking and pressing keys (SendInput: the input reaches whichever window is under the pointer
// or has the focus, exactly as a hand's would).
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
// Moves the mouse to the middle of the window and clicks the left button.
void ClickWithMouse(HWND window);

// The pointer to a point of the screen.
void MoveMouseTo(int x, int y);
// A button of the mouse (MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTUP, ...) where the pointer is.
void MouseButton(DWORD event);
// Moves there, presses and releases the left button.
void ClickAt(int x, int y);
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
