#include "engine/win/XPlayer.h"

#include "engine/EngineConstants.h"
#include "engine/win/VisualizerTaps.h"
#include "engine/win/XPlayerGraph.h"

namespace nv {

namespace {
constexpr wchar_t kPlayerWindowClass[] = L"XPlayerWindow";
}  // namespace

TXPlayer::PlayerWindow::PlayerWindow(TXPlayer& player) : player_(player) {
  // Top level and never shown: it only carries messages.
  Create(kPlayerWindowClass, {}, 0, WS_POPUP, L"", 0, 0, 0, 0, nullptr);
}

LRESULT TXPlayer::PlayerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      player_.TimerTick(static_cast<unsigned>(wParam));
      return 0;
    case kGraphEventMessage:
      player_.GraphEvents(lParam);
      return 0;
    default:
      // The display and input messages the video windows will want pass through here untouched until they exist.
      return Window::HandleMessage(message, wParam, lParam);
  }
}

TXPlayer::TXPlayer(const TPlayListEnvironment& environment) : TPlayerCore(environment), window_(*this) {}

TXPlayer::~TXPlayer() { Destroy(); }

void TXPlayer::GraphEvents(LPARAM graph) {
  // The message may outlive its graph: only a graph the player still holds is touched.
  auto* sender = static_cast<TXPlayerGraph*>(reinterpret_cast<TXGraph*>(graph));
  TPlaybackGraph* played = sender;
  if (played == Graph() || played == NextGraph()) sender->HandleGraphEvents();
}

TXGraphRef<TPlaybackGraph> TXPlayer::NewGraph(TXPlayListItem& item) {
  return TXGraphRef<TPlaybackGraph>(new TXPlayerGraph(graphSide_, &item));
}

void TXPlayer::SetTimer(unsigned timer, unsigned periodMs) { ::SetTimer(window_.Handle(), timer, periodMs, nullptr); }

void TXPlayer::KillTimer(unsigned timer) { ::KillTimer(window_.Handle(), timer); }

std::uint32_t TXPlayer::PriorityClass() { return GetPriorityClass(GetCurrentProcess()); }

void TXPlayer::SetPriorityClass(std::uint32_t priorityClass) { ::SetPriorityClass(GetCurrentProcess(), priorityClass); }

std::int64_t TXPlayer::TickCount() { return static_cast<std::int64_t>(GetTickCount64()); }

void TXPlayer::GraphSide::GraphBuilt(TXPlayerGraph& graph) { player_.GraphBuilt(graph); }
void TXPlayer::GraphSide::GraphCompleted(TXPlayerGraph& graph) { player_.GraphCompleted(graph); }
void TXPlayer::GraphSide::StreamEnded(TXPlayerGraph& graph) { player_.StreamEnded(graph); }
void TXPlayer::GraphSide::CompleteAdvanceReached(TXPlayerGraph& graph) { player_.CompleteAdvanceReached(graph); }

void TXPlayer::GraphSide::InsertVisualizer(TXPlayerGraph& graph, TPinList& pins) {
  InsertVisualizerTaps(graph.Builder(), pins, &player_.Visualizer());
}

}  // namespace nv
