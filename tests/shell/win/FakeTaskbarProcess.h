#pragma once
// The helper programs of the shell tests. fake-taskbar.exe: started with its options, found as the taskbar every
// process finds, asked for its bands' rectangles, moved, and ended when the scope ends. shell-peer.exe: a process
// other than the test's.
#include <windows.h>

#include <optional>
#include <string>

#include "support/win/UniqueHandle.h"

namespace nv::test {

class FakeTaskbar {
public:
  // Starts fake-taskbar.exe with `arguments` and waits until FindWindow("Shell_TrayWnd") finds its window.
  explicit FakeTaskbar(const std::wstring& arguments = L"");
  ~FakeTaskbar();
  FakeTaskbar(const FakeTaskbar&) = delete;
  FakeTaskbar& operator=(const FakeTaskbar&) = delete;

  HWND Window() const { return window_; }
  DWORD ProcessId() const { return processId_; }
  // The first child of `className` in the taskbar's client coordinates; nothing when there is none.
  std::optional<RECT> Band(const wchar_t* className) const;
  RECT Client() const;
  // Moves and sizes the taskbar window (screen coordinates) as the shell would.
  void Move(int x, int y, int width, int height);
  // Ends the process at once.
  void Kill();

private:
  UniqueHandle process_;
  DWORD processId_ = 0;
  HWND window_ = nullptr;
};

// Starts shell-peer.exe with `arguments` (a docked strip of another process, or a media key pressed elsewhere).
UniqueHandle StartShellPeer(const std::wstring& arguments);

// A docked window's rectangle in the taskbar's client coordinates.
RECT RectIn(HWND window, HWND taskbar);

}  // namespace nv::test
