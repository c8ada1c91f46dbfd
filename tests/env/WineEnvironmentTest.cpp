// Proof that the test environment is real: a taskbar exists, DirectShow plays through the null sink, the recorder
// hears it, and the shell hands web addresses to the logging browser.
#include <windows.h>
#include "support/win/DirectShow.h"
#include <shellapi.h>
#include <wrl/client.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/common/ToneWav.h"
#include "tests/common/win/WineTestEnv.h"

using Microsoft::WRL::ComPtr;

namespace nv::test {
namespace {

struct ComApartment {
  ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComApartment() { CoUninitialize(); }
};

TEST(WineEnvironment, HasATaskbar) {
  EXPECT_NE(FindWindowW(L"Shell_TrayWnd", nullptr), nullptr);
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
