#include "tests/app/win/DesktopDriver.h"

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

void ClickWithMouse(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  const int x = (bounds.left + bounds.right) / 2, y = (bounds.top + bounds.bottom) / 2;
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) input.type = INPUT_MOUSE;
  // Absolute positions run from 0 to 65535 across the primary screen.
  inputs[0].mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  inputs[0].mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &inputs[0], sizeof(INPUT));
  Sleep(50);  // let the pointer arrive before the button goes down, as a hand would
  SendInput(2, &inputs[1], sizeof(INPUT));
}

}  // namespace nv::test
