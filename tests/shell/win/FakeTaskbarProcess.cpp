#include "tests/shell/win/FakeTaskbarProcess.h"

#include <cstring>
#include <stdexcept>

#include "tests/common/win/TrayServer.h"
#include "tests/common/win/WineTestEnv.h"
#include "tests/shell/win/FakeTaskbarCommands.h"

namespace nv::test {

namespace {

HWND TaskbarOf(DWORD processId) {
  const HWND found = FindWindowW(L"Shell_TrayWnd", nullptr);
  DWORD owner = 0;
  if (found) GetWindowThreadProcessId(found, &owner);
  return owner == processId ? found : nullptr;
}

UniqueHandle StartHelper(const char* name, const std::wstring& arguments, DWORD* processId = nullptr) {
  const std::wstring program = ShellHelperPath(std::wstring(name, name + std::strlen(name)));  // ASCII names
  std::wstring line = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
    throw std::runtime_error(std::string(name) + " did not start");
  CloseHandle(started.hThread);
  if (processId) *processId = started.dwProcessId;
  return UniqueHandle(started.hProcess);
}

}  // namespace

UniqueHandle StartShellPeer(const std::wstring& arguments) { return StartHelper("shell-peer.exe", arguments); }

FakeTaskbar::FakeTaskbar(const std::wstring& arguments) {
  process_ = StartHelper("fake-taskbar.exe", arguments, &processId_);
  for (int i = 0; i < 500 && !window_; ++i) {
    if (WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0) throw std::runtime_error("fake-taskbar.exe ended");
    window_ = TaskbarOf(processId_);
    if (!window_) Sleep(20);
  }
  if (!window_) throw std::runtime_error("fake-taskbar.exe made no taskbar");
}

FakeTaskbar::~FakeTaskbar() { Kill(); }

std::optional<RECT> FakeTaskbar::Band(const wchar_t* className) const {
  const HWND band = FindWindowExW(window_, nullptr, className, nullptr);
  if (!band) return std::nullopt;
  return RectIn(band, window_);
}

RECT FakeTaskbar::Client() const {
  RECT client{};
  GetClientRect(window_, &client);
  return client;
}

void FakeTaskbar::Move(int x, int y, int width, int height) {
  SendMessageW(window_, kFakeTaskbarMove, MAKEWPARAM(x, y), MAKELPARAM(width, height));
}

void FakeTaskbar::Kill() {
  if (!process_) return;
  TerminateProcess(process_.Get(), 1);
  WaitForSingleObject(process_.Get(), 10000);
  process_ = UniqueHandle();
}

RECT RectIn(HWND window, HWND taskbar) {
  RECT box{};
  GetWindowRect(window, &box);
  MapWindowPoints(nullptr, taskbar, reinterpret_cast<POINT*>(&box), 2);
  return box;
}

}  // namespace nv::test
