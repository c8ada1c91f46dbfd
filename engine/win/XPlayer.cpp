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
  Create({kPlayerWindowClass}, {.style = WS_POPUP});
}

LRESULT TXPlayer::PlayerWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kGraphEventMessage) {
    player_.GraphEvents(lParam);
    return 0;
  }
  // The display and input messages the video windows will want pass through here untouched until they exist.
  return Window::WindowProc(message, wParam, lParam);
}

void TXPlayer::PlayerWindow::HandleTimer(UINT_PTR id) { player_.TimerTick(static_cast<unsigned>(id)); }

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

void TXPlayer::SetTimer(unsigned timer, unsigned periodMs) { window_.SetTimer(timer, periodMs); }

void TXPlayer::KillTimer(unsigned timer) { window_.KillTimer(timer); }

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
