#include "tests/engine/win/GraphTestPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "engine/EngineConstants.h"
#include "support/win/WinGuid.h"
#include "filters/win/XPCMAudioInfoFilter.h"
#include "tests/common/TestPaths.h"
#include "tests/common/win/WineTestEnv.h"

using Microsoft::WRL::ComPtr;

namespace nv::test {

namespace {

constexpr wchar_t kWindowClass[] = L"NorvaleGraphTestPlayer";
constexpr UINT kPostedCall = WM_APP + 1;

}  // namespace

GraphTestPlayer::GraphTestPlayer() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &GraphTestPlayer::Procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassW(&windowClass);  // fails harmlessly once registered
  window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), this);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

GraphTestPlayer::~GraphTestPlayer() {
  // Calls still queued are dropped with the window.
  MSG message;
  while (PeekMessageW(&message, window_, kPostedCall, kPostedCall, PM_REMOVE))
    delete reinterpret_cast<std::function<void()>*>(message.lParam);
  DestroyWindow(window_);
}

int GraphTestPlayer::Count(TPlayerEventType event) const {
  return static_cast<int>(std::count(events.begin(), events.end(), event));
}

void GraphTestPlayer::LetGo(TXPlayerGraph* graph) {
  std::erase_if(held_, [&](const TXGraphRef<TXPlayerGraph>& held) { return held.Get() == graph; });
}

void GraphTestPlayer::Post(std::function<void()> call) {
  PostMessageW(window_, kPostedCall, 0, reinterpret_cast<LPARAM>(new std::function<void()>(std::move(call))));
}

void GraphTestPlayer::BuildError(const std::string& fileName, TXGraphBuildPhase phase, const TXPlayerGraphInfo& info,
                                 const std::exception& error) {
  buildErrors.push_back({fileName, phase, info, error.what()});
}

void GraphTestPlayer::InsertVisualizer(TXPlayerGraph& graph, TPinList& pins) {
  if (!insertPcmInfo) return;
  for (ComPtr<IPin>& pin : pins) {
    const ComPtr<IBaseFilter> info = TXPCMAudioInfoFilter::Create(L"PCM information", GUID_NULL);
    ASSERT_EQ(graph.Builder()->AddFilter(info.Get(), L"PCM information"), S_OK);
    ASSERT_EQ(graph.Builder()->ConnectDirect(pin.Get(), PinsOf(info.Get(), PINDIR_INPUT).at(0).Get(), nullptr), S_OK);
    pin = PinsOf(info.Get(), PINDIR_OUTPUT).at(0);
  }
}

LRESULT CALLBACK GraphTestPlayer::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* player = reinterpret_cast<GraphTestPlayer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (player && message == kGraphEventMessage) {
    const auto graph = reinterpret_cast<TXPlayerGraph*>(lParam);
    const auto isGraph = [&](const TXGraphRef<TXPlayerGraph>& held) { return held.Get() == graph; };
    if (std::any_of(player->held_.begin(), player->held_.end(), isGraph)) graph->HandleGraphEvents();
    return 0;
  }
  if (message == kPostedCall) {
    const std::unique_ptr<std::function<void()>> call(reinterpret_cast<std::function<void()>*>(lParam));
    (*call)();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 10)),
                              QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) { PumpUntil([] { return false; }, ms); }

TXGraphRef<TXPlayerGraph> NewGraph(GraphTestPlayer& player, TXPlayListItem* item) {
  TXGraphRef<TXPlayerGraph> graph(new TXPlayerGraph(player, item));
  player.Hold(graph.Get());
  return graph;
}

std::string MediaPath(const char* name) { return UnixToWindowsPathA(std::string(NV_ENGINE_MEDIA) + "/" + name); }

std::string StreamPath(const std::string& name) { return UnixToWindowsPathA(BinaryDir()) + "\\" + name; }

TXFileGraphInfo SourceRule(const std::string& extensions, const CLSID& source) {
  TXFileGraphInfo rule;
  rule.Extensions = extensions;
  rule.Normal.SourceFilter = FromWinGuid(source);
  return rule;
}

std::wstring FilterName(IBaseFilter* filter) {
  FILTER_INFO info{};
  if (FAILED(filter->QueryFilterInfo(&info))) return L"";
  if (info.pGraph) info.pGraph->Release();
  return info.achName;
}

TXPlayListItem& TestPlayList::Add(const std::string& entry) {
  TXPlayListItem* item = list.AddEntry(entry, {}, true);
  if (!item) throw std::runtime_error("not added: " + entry);
  return *item;
}

}  // namespace nv::test
