// shell-peer.exe: a process other than the test's, for what must come from elsewhere.
//   shell-peer strip MODE WIDTH HEIGHT   docks a window of that size with the docking mode into the taskbar and
//                                        answers its layout queries until killed; prints "docked 1" or "docked 0"
//   shell-peer appcommand COMMAND        raises WM_APPCOMMAND (a key's command) in a window of its own, which goes
//                                        to the shell hooks as a media key in any program does, then ends
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

int stripWidth = 0, stripHeight = 0;

LRESULT CALLBACK StripProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER + 500) {  // the taskbar's layout query: size first, then the margins (none)
    SetWindowPos(window, nullptr, 0, 0, stripWidth, stripHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow(const wchar_t* className, WNDPROC procedure, HWND parent, DWORD style) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = CreateSolidBrush(RGB(230, 200, 40));
  windowClass.lpszClassName = className;
  RegisterClassW(&windowClass);
  return CreateWindowExW(0, className, L"", style, 0, 0, 10, 10, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

int Strip(unsigned mode, int width, int height) {
  stripWidth = width;
  stripHeight = height;
  const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  const HWND strip = MakeWindow(L"NorvalePeerStrip", StripProc, taskbar, WS_CHILD | WS_VISIBLE);
  const UINT insert = RegisterWindowMessageW(L"{6F1D3DD1-68C9-43E4-A0D8-70446504397B}");
  const LRESULT docked = SendMessageW(taskbar, insert, mode, reinterpret_cast<LPARAM>(strip));
  std::printf("docked %d\n", docked ? 1 : 0);
  std::fflush(stdout);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

int AppCommand(int command) {
  const HWND window = MakeWindow(L"NorvalePeerApp", DefWindowProcW, nullptr, WS_POPUP);
  SendMessageW(window, WM_APPCOMMAND, reinterpret_cast<WPARAM>(window), MAKELPARAM(0, command | FAPPCOMMAND_KEY));
  DestroyWindow(window);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring verb = argc > 1 ? argv[1] : L"";
  if (verb == L"strip" && argc == 5) return Strip(wcstoul(argv[2], nullptr, 0), _wtoi(argv[3]), _wtoi(argv[4]));
  if (verb == L"appcommand" && argc == 3) return AppCommand(_wtoi(argv[2]));
  std::fprintf(stderr, "usage: shell-peer strip MODE WIDTH HEIGHT | appcommand COMMAND\n");
  return 2;
}
