// Proof that the test environment is real: our processes run on the desktop with the visible taskbar, screenshots
// show what reached the screen, DirectShow plays through the null sink, the recorder hears it, and the shell hands
// web addresses to the logging browser.
#include <windows.h>
#include "support/win/DirectShow.h"
#include <shellapi.h>
#include <wrl/client.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/common/ToneWav.h"
#include "tests/common/win/Screenshot.h"
#include "tests/common/win/WineTestEnv.h"

using Microsoft::WRL::ComPtr;

namespace nv::test {
namespace {

struct ComApartment {
  ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComApartment() { CoUninitialize(); }
};

TEST(WineEnvironment, RunsOnTheDesktopThatHasTheTaskbar) {
  wchar_t name[64] = {};
  ASSERT_TRUE(GetUserObjectInformationW(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, name, sizeof name, nullptr));
  EXPECT_STREQ(name, L"shell");

  // On any other desktop "Shell_TrayWnd" exists too, but hidden, 0x0 and childless.
  const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  ASSERT_NE(taskbar, nullptr);
  EXPECT_TRUE(IsWindowVisible(taskbar));
  RECT bar{};
  GetWindowRect(taskbar, &bar);
  EXPECT_EQ(bar.left, 0);
  EXPECT_EQ(bar.top, 780);
  EXPECT_EQ(bar.right, 1280);
  EXPECT_EQ(bar.bottom, 800);
  EXPECT_NE(GetWindow(taskbar, GW_CHILD), nullptr) << "the Start button";

  RECT work{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work.right - work.left, 1280);
  EXPECT_EQ(work.bottom - work.top, 780);
}

LRESULT CALLBACK PaintRed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT client{};
    GetClientRect(window, &client);
    HBRUSH red = CreateSolidBrush(RGB(220, 20, 30));
    FillRect(reinterpret_cast<HDC>(wParam), &client, red);
    DeleteObject(red);
    return 1;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(WineEnvironment, ScreenshotsShowOurWindowsWhereTheyAre) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = PaintRed;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"NorvaleEnvRed";
  RegisterClassW(&windowClass);
  const HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"NorvaleEnvRed", L"", WS_POPUP, 200, 150, 160,
                                      90, nullptr, nullptr, windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&message);
  Sleep(300);  // the X server draws asynchronously

  const Screenshot shot = TakeScreenshot("env-red-window");
  EXPECT_EQ(shot.Width(), 1280);
  EXPECT_EQ(shot.Height(), 800);
  EXPECT_TRUE(shot.AllNear({205, 155, 355, 235}, {220, 20, 30}, 8)) << shot.PngPath();
  EXPECT_GT(ColourDistance(shot.At(195, 145), {220, 20, 30}), 60) << "outside the window";
  // The taskbar is drawn along the bottom edge, not the desktop's background.
  EXPECT_NE(shot.At(640, 790), shot.At(640, 400)) << shot.PngPath();

  // The same pixels as the window's own process draws them.
  const Screenshot own = CaptureWindow(window);
  EXPECT_TRUE(own.AllNear({0, 0, 160, 90}, {220, 20, 30}, 0));
  DestroyWindow(window);
}

TEST(WineEnvironment, CrashDialogIsOff) {
  DWORD value = 1, size = sizeof value;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Wine\\WineDbg", L"ShowCrashDialog", RRF_RT_REG_DWORD, nullptr,
                         &value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(value, 0u) << "a crashing test would hang in the crash dialog";
}

TEST(WineEnvironment, PlaysAToneThatTheRecorderHears) {
  ComApartment com;
  const std::filesystem::path wav = std::filesystem::temp_directory_path() / L"norvale-env-tone.wav";
  WriteToneWav(wav, {440, 1000});

  ComPtr<IGraphBuilder> graph;
  ASSERT_HRESULT_SUCCEEDED(
      CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(graph.GetAddressOf())));
  ASSERT_HRESULT_SUCCEEDED(graph->RenderFile(wav.c_str(), nullptr));
  ComPtr<IMediaControl> control;
  ComPtr<IMediaEvent> events;
  ASSERT_HRESULT_SUCCEEDED(graph.As(&control));
  ASSERT_HRESULT_SUCCEEDED(graph.As(&events));

  AudioRecorder recorder("env-tone");
  recorder.Start();
  const ULONGLONG started = GetTickCount64();
  ASSERT_HRESULT_SUCCEEDED(control->Run());
  long code = 0;
  ASSERT_EQ(events->WaitForCompletion(10000, &code), S_OK);
  const ULONGLONG elapsed = GetTickCount64() - started;
  EXPECT_EQ(code, EC_COMPLETE);
  EXPECT_GE(elapsed, 800u);
  EXPECT_LE(elapsed, 3000u);
  // The renderer reports completion while its buffer still plays; let it drain before stopping.
  Sleep(800);
  control->Stop();
  const Recording heard = recorder.Stop();
  std::filesystem::remove(wav);

  const auto spans = SoundSpans(heard, -40, 50);
  ASSERT_EQ(spans.size(), 1u) << "one continuous tone";
  EXPECT_NEAR(spans[0].LengthMs(), 1000, 100);
  EXPECT_NEAR(DominantFrequency(heard, spans[0].startMs + 100, spans[0].endMs - 100), 440, 2);
}

TEST(WineEnvironment, WebAddressesReachTheLoggingBrowser) {
  const std::string url = "http://127.0.0.1:9/norvale-env-" + std::to_string(GetCurrentProcessId());
  const std::wstring wideUrl(url.begin(), url.end());
  ShellExecuteW(nullptr, L"open", wideUrl.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  bool found = false;
  for (int i = 0; i < 100 && !found; ++i) {
    for (const std::string& line : BrowserLog()) found = found || line.find(url) != std::string::npos;
    if (!found) Sleep(100);
  }
  EXPECT_TRUE(found) << url;
}

}  // namespace
}  // namespace nv::test
