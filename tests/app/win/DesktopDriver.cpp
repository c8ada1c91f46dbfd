#include "tests/app/win/DesktopDriver.h"

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

void ClickWithMouse(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  ClickAt((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
}

void ClickAt(int x, int y) {
  // Through the X server, as a person's mouse: SendInput moves Wine's pointer ahead of the server, whose late report
  // of the old place can then put the button press where the pointer was before. (No --sync: it waits forever
  // when the pointer is already there.) Wine cannot wait for a Unix program, so the click signals its end with a file.
  static int clicks = 0;
  const std::string done = EnvDir() + "/click-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++clicks);
  const std::wstring doneFile = UnixToWindowsPath(done);
  DeleteFileW(doneFile.c_str());
  const std::string command = "/bin/sh -c \"xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) +
                              " sleep 0.05 click 1; touch '" + done + "'\"";
  StartUnixCommand(std::wstring(command.begin(), command.end()));
  if (!WaitForFile(doneFile, 10000)) throw std::runtime_error("xdotool did not click");
  DeleteFileW(doneFile.c_str());
}

}  // namespace nv::test
