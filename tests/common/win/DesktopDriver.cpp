#include "tests/common/win/DesktopDriver.h"

namespace nv::test {

namespace {

struct Search {
  const wchar_t* className;
  const wchar_t* caption;
  DWORD processId;
  HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t className[256] = {};
  GetClassNameW(window, className, 256);
  if (process == search->processId && IsWindowVisible(window) && wcscmp(className, search->className) == 0 &&
      (search->caption == nullptr || WindowText(window) == search->caption)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND WaitForTopWindow(const wchar_t* className, const wchar_t* caption, DWORD processId, DWORD timeoutMs) {
  Search search{className, caption, processId, nullptr};
  WaitUntil([&] {
    EnumWindows(&Match, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  }, timeoutMs);
  return search.found;
}

HWND FindControl(HWND parent, const wchar_t* className, const wchar_t* text) {
  return FindWindowExW(parent, nullptr, className, text);
}

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  const int length = GetWindowTextW(window, text, 1024);
  return std::wstring(text, length > 0 ? length : 0);
}

namespace {

// Where the driver last put the pointer. Every event carries it: Wine gives a button event without a position the
// position of an earlier move, not the latest.
POINT pointer{-1, -1};

void SendMouse(DWORD event) {
  if (pointer.x < 0) GetCursorPos(&pointer);
  INPUT input{};
  input.type = INPUT_MOUSE;
  // Absolute positions run from 0 to 65535 across the primary screen.
  input.mi.dx = MulDiv(pointer.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(pointer.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = event | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

}  // namespace

void MoveMouseTo(int x, int y) {
  pointer = {x, y};
  SendMouse(0);
}

void MouseButton(DWORD event) { SendMouse(event); }

void ClickAt(int x, int y) {
  MoveMouseTo(x, y);
  Sleep(50);  // let the pointer arrive before the button goes down, as a hand would
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseButton(MOUSEEVENTF_LEFTUP);
}

void ClickWithMouse(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  ClickAt((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
}

void PressKeys(std::initializer_list<WORD> keys) {
  for (const WORD key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    SendInput(1, &input, sizeof input);
  }
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *key;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
  }
}

}  // namespace nv::test
