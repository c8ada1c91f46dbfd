#include "tests/engine/win/GraphTestPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "engine/EngineConstants.h"
#include "support/ui/win/UiMessages.h"
#include "support/ui/win/UtilityWindow.h"
#include "support/win/WinGuid.h"
#include "filters/win/XPCMAudioInfoFilter.h"
#include "tests/common/TestPaths.h"
#include "tests/common/win/WineTestEnv.h"

using Microsoft::WRL::ComPtr;

namespace nv::test {

namespace {
constexpr wchar_t kWindowClass[] = L"NorvaleGraphTestPlayer";
}  // namespace

GraphTestPlayer::EventWindow::EventWindow(GraphTestPlayer& player) : player_(player) {
  Create({kWindowClass}, {.style = 0, .parent = HWND_MESSAGE});
}

LRESULT GraphTestPlayer::EventWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kGraphEventMessage) return nv::Window::WindowProc(message, wParam, lParam);
  const auto graph = reinterpret_cast<TXPlayerGraph*>(lParam);
  const auto isGraph = [&](const TXGraphRef<TXPlayerGraph>& held) { return held.Get() == graph; };
  if (std::any_of(player_.held_.begin(), player_.held_.end(), isGraph)) graph->HandleGraphEvents();
  return 0;
}

GraphTestPlayer::GraphTestPlayer() : utility_(UtilityWindow::Current().Handle()) {}
GraphTestPlayer::~GraphTestPlayer() = default;

int GraphTestPlayer::Count(TPlayerEventType event) const {
  return static_cast<int>(std::count(events.begin(), events.end(), event));
}

void GraphTestPlayer::LetGo(TXPlayerGraph* graph) {
  std::erase_if(held_, [&](const TXGraphRef<TXPlayerGraph>& held) { return held.Get() == graph; });
}

void GraphTestPlayer::Post(std::function<void()> call) {
  UtilityWindow::Post(utility_, WM_DEFERREDCALL, 0, std::move(call));
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
