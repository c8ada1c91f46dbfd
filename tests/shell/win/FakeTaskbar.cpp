// fake-taskbar.exe: a stand-in for the Windows taskbar in the tests. Wine's own taskbar is a "Shell_TrayWnd" with
// nothing but buttons inside; docking needs the Windows tree, so this program builds it: a topmost "Shell_TrayWnd"
// at one edge of the screen with the Start "Button", the "ReBarWindow32" holding the task band ("MSTaskSwWClass"),
// the "TrayNotifyWnd" and, on request, the dynamic-content window, and it lays them out again on every WM_SIZE as
// the shell does — through SetWindowPos, so whatever adjusts the children's positions sees each proposal.
//
//   fake-taskbar [--edge bottom|top|left|right] [--size PIXELS] [--no-rebar] [--no-notify] [--dynamic-content]
//                [--composition] [--log FILE]
//
// --composition lays out a newer taskbar: no rebar, the task band inside a composition bridge window. --log appends
// one line per notification icon it is sent (Wine forwards Shell_NotifyIcon to the taskbar as WM_COPYDATA) and the
// children's rectangles when asked. Commands, sent to the taskbar window:
//   kFakeTaskbarReport   writes "rect CLASS left top right bottom" per child (taskbar client coordinates), "end"
//   kFakeTaskbarMove     wParam x | y << 16, lParam width | height << 16 (screen coordinates)
//   kFakeTaskbarDestroy  destroys the taskbar window and ends
//   kFakeTaskbarExit     ends the process at once, as a crashing shell would
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

#include "tests/shell/win/FakeTaskbarCommands.h"

namespace {

struct Options {
  enum class Edge { Bottom, Top, Left, Right } edge = Edge::Bottom;
  int size = 40;
  bool rebar = true;
  bool notify = true;
  bool dynamicContent = false;
  bool composition = false;
  std::wstring log;
};

Options options;
HWND taskbar, startButton, rebar, taskBand, notify, dynamicContent, bridge;

void Log(const std::wstring& line) {
  if (options.log.empty()) return;
  if (FILE* file = _wfopen(options.log.c_str(), L"a, ccs=UTF-8")) {
    std::fwprintf(file, L"%ls\n", line.c_str());
    std::fclose(file);
  }
}

bool Vertical() { return options.edge == Options::Edge::Left || options.edge == Options::Edge::Right; }

void Move(HWND child, int x, int y, int width, int height) {
  if (child) SetWindowPos(child, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The shell's layout: Start first (one row high), the notification area at the far end, the dynamic-content
// window before it, the task band's container in between.
void LayOutBands() {
  RECT client{};
  GetClientRect(taskbar, &client);
  const int width = client.right, height = client.bottom;
  constexpr int kNotifyLength = 140, kDynamicLength = 40, kGap = 2;
  if (Vertical()) {
    constexpr int kStartHeight = 30;
    Move(startButton, 0, 0, width, kStartHeight);
    int end = height;
    if (notify) Move(notify, 0, end -= kNotifyLength, width, kNotifyLength);
    if (dynamicContent) Move(dynamicContent, 0, end -= kDynamicLength, width, kDynamicLength);
    const int start = kStartHeight + kGap;
    Move(rebar ? rebar : bridge, 0, start, width, end - kGap - start);
  } else {
    constexpr int kStartWidth = 48, kRowHeight = 40;
    Move(startButton, 0, 0, kStartWidth, height < kRowHeight ? height : kRowHeight);
    int end = width;
    if (notify) Move(notify, end -= kNotifyLength, 0, kNotifyLength, height);
    if (dynamicContent) Move(dynamicContent, end -= kDynamicLength, 0, kDynamicLength, height);
    const int start = kStartWidth + kGap;
    Move(rebar ? rebar : bridge, start, 0, end - kGap - start, height);
  }
}

void ReportChildren() {
  for (HWND child = GetWindow(taskbar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[128] = {};
    GetClassNameW(child, name, 128);
    RECT box{};
    GetWindowRect(child, &box);
    MapWindowPoints(nullptr, taskbar, reinterpret_cast<POINT*>(&box), 2);
    wchar_t line[256];
    swprintf(line, 256, L"rect %ls %ld %ld %ld %ld", name, box.left, box.top, box.right, box.bottom);
    Log(line);
  }
  Log(L"end");
}

LRESULT CALLBACK TaskbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      LayOutBands();
      return 0;
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      // Wine's notification data starts with the icon's window and its id.
      unsigned id = 0;
      if (data->cbData >= 8) std::memcpy(&id, static_cast<const char*>(data->lpData) + 4, sizeof id);
      Log(L"icon " + std::to_wstring(data->dwData) + L" " + std::to_wstring(id));
      return TRUE;
    }
    case kFakeTaskbarReport:
      ReportChildren();
      return 1;
    case kFakeTaskbarMove:
      SetWindowPos(window, nullptr, static_cast<short>(LOWORD(wParam)), static_cast<short>(HIWORD(wParam)),
                   LOWORD(lParam), HIWORD(lParam), SWP_NOZORDER | SWP_NOACTIVATE);
      return 1;
    case kFakeTaskbarDestroy:
      DestroyWindow(window);
      return 1;
    case kFakeTaskbarExit:
      ExitProcess(3);
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

// The task band fills its container, as the rebar keeps its band.
LRESULT CALLBACK RebarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) {
    if (HWND band = GetWindow(window, GW_CHILD)) Move(band, 0, 0, LOWORD(lParam), HIWORD(lParam));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterBandClass(const wchar_t* name, COLORREF colour, WNDPROC procedure = DefWindowProcW) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = CreateSolidBrush(colour);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  RegisterClassW(&windowClass);
}

HWND Child(const wchar_t* className, HWND parent, const wchar_t* text = L"") {
  return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0, 0,
                         parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

bool ParseOptions(int argc, wchar_t** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == L"--edge" && hasValue) {
      const std::wstring edge = argv[++i];
      if (edge == L"bottom") options.edge = Options::Edge::Bottom;
      else if (edge == L"top") options.edge = Options::Edge::Top;
      else if (edge == L"left") options.edge = Options::Edge::Left;
      else if (edge == L"right") options.edge = Options::Edge::Right;
      else return false;
    } else if (arg == L"--size" && hasValue) {
      options.size = _wtoi(argv[++i]);
      if (options.size <= 0) return false;
    } else if (arg == L"--log" && hasValue) {
      options.log = argv[++i];
    } else if (arg == L"--no-rebar") {
      options.rebar = false;
    } else if (arg == L"--no-notify") {
      options.notify = false;
    } else if (arg == L"--dynamic-content") {
      options.dynamicContent = true;
    } else if (arg == L"--composition") {
      options.composition = true;
      options.rebar = false;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (!ParseOptions(argc, argv)) {
    std::fwprintf(stderr, L"usage: fake-taskbar [--edge bottom|top|left|right] [--size PIXELS] [--no-rebar] "
                          L"[--no-notify] [--dynamic-content] [--composition] [--log FILE]\n");
    return 2;
  }
  RegisterBandClass(L"Shell_TrayWnd", RGB(40, 40, 48), TaskbarProc);
  RegisterBandClass(L"ReBarWindow32", RGB(30, 60, 120), RebarProc);
  RegisterBandClass(L"MSTaskSwWClass", RGB(70, 110, 190));
  RegisterBandClass(L"TrayNotifyWnd", RGB(40, 140, 70));
  RegisterBandClass(L"DynamicContent1", RGB(200, 120, 30));
  RegisterBandClass(L"Windows.UI.Composition.DesktopWindowContentBridge", RGB(120, 60, 150), RebarProc);

  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  RECT box{0, screenHeight - options.size, screenWidth, screenHeight};
  switch (options.edge) {
    case Options::Edge::Bottom: break;
    case Options::Edge::Top: box = {0, 0, screenWidth, options.size}; break;
    case Options::Edge::Left: box = {0, 0, options.size, screenHeight}; break;
    case Options::Edge::Right: box = {screenWidth - options.size, 0, screenWidth, screenHeight}; break;
  }
  taskbar = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP | WS_CLIPCHILDREN,
                            box.left, box.top, box.right - box.left, box.bottom - box.top, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (!taskbar) return 1;
  startButton = Child(L"Button", taskbar, L"Start");
  if (options.composition) {
    bridge = Child(L"Windows.UI.Composition.DesktopWindowContentBridge", taskbar);
    taskBand = Child(L"MSTaskSwWClass", bridge);
  } else if (options.rebar) {
    rebar = Child(L"ReBarWindow32", taskbar);
    taskBand = Child(L"MSTaskSwWClass", rebar);
  }
  if (options.dynamicContent) dynamicContent = Child(L"DynamicContent1", taskbar);
  if (options.notify) notify = Child(L"TrayNotifyWnd", taskbar);
  LayOutBands();
  ShowWindow(taskbar, SW_SHOWNA);
  Log(L"ready");

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
