#include "tests/common/win/DesktopDriver.h"

#include <stdexcept>

#include "tests/common/win/WineTestEnv.h"

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

// Runs xdotool with these commands and returns once it has run them. The mouse goes through the X server, as a
// person's: SendInput moves Wine's pointer ahead of the server, whose late report of the old place can then put the
// next button press (or the next hot control) where the pointer was before. (No --sync: it waits forever when the
// pointer is already there.) Wine cannot wait for a Unix program, so xdotool signals its end with a file.
void Xdotool(const std::string& commands) {
  static int runs = 0;
  const std::string done = EnvDir() + "/xdotool-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs);
  const std::wstring doneFile = UnixToWindowsPath(done);
  DeleteFileW(doneFile.c_str());
  const std::string command = "/bin/sh -c \"xdotool " + commands + "; touch '" + done + "'\"";
  StartUnixCommand(std::wstring(command.begin(), command.end()));
  if (!WaitForFile(doneFile, 10000)) throw std::runtime_error("xdotool did not run: " + commands);
  DeleteFileW(doneFile.c_str());
}

std::string ButtonCommand(DWORD event) {
  switch (event) {
    case MOUSEEVENTF_LEFTDOWN: return "mousedown 1";
    case MOUSEEVENTF_LEFTUP: return "mouseup 1";
    case MOUSEEVENTF_MIDDLEDOWN: return "mousedown 2";
    case MOUSEEVENTF_MIDDLEUP: return "mouseup 2";
    case MOUSEEVENTF_RIGHTDOWN: return "mousedown 3";
    case MOUSEEVENTF_RIGHTUP: return "mouseup 3";
    default: throw std::invalid_argument("not a single button event");
  }
}

}  // namespace

void MoveMouseTo(int x, int y) { Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y)); }

void MouseButton(DWORD event) { Xdotool(ButtonCommand(event)); }

void ClickAt(int x, int y) {
  // The pause lets the pointer arrive before the button goes down, as a hand would.
  Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " sleep 0.05 click 1");
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
