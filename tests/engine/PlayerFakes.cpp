#include "tests/engine/PlayerFakes.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include <gtest/gtest.h>

#include "support/Errors.h"

namespace nv::test {

std::string ShortName(const TXPlayListItem* item) {
  if (!item) return "nil";
  const std::string& path = item->FileName();
  const std::size_t slash = path.find_last_of('\\');
  const std::string file = path.substr(slash + 1);
  return file.substr(0, file.find('.'));
}

namespace {

const char* const kEventNames[] = {
    "Loaded",        "StateChanged",   "SoundChanged",  "PositionChanged",  "PlayListChanged",   "CurrentChanged",
    "StreamEnded",   "Completed",      "PreparedEnded", "PrepareNext",      "VideoStarted",      "VideoStopped",
    "VideoBuildBegin", "VideoBuildEnd", "FullScreenChanged", "ItemInfoChanged", "GraphBuilt", "TransitionStarted",
};

const char* StateName(TXPlayerState state) {
  switch (state) {
    case TXPlayerState::psStopped: return "stopped";
    case TXPlayerState::psPlaying: return "playing";
    case TXPlayerState::psPaused: return "paused";
  }
  return "?";
}

}  // namespace

std::string EventText(TPlayerCore& player, TPlayerEventType event, void* param) {
  std::string text = kEventNames[event];
  switch (event) {
    case peStateChanged:
      return text + " " + StateName(player.State());
    case peCurrentChanged:
      return text + " " + ShortName(static_cast<TXPlayListItem*>(param));
    case peGraphBuilt:
    case peTransitionStarted: {
      const auto* graph = static_cast<FakeGraph*>(static_cast<TPlaybackGraph*>(param));
      return text + " " + graph->name + (event == peGraphBuilt && graph->state == gsFailed ? " failed" : "");
    }
    default:
      return text;
  }
}

void RecordingObserver::PlayerEvent(TPlayerCore& player, TPlayerEventType event, void* param) {
  events.push_back(EventText(player, event, param));
}

// --- graphs

FakeGraph::FakeGraph(TestPlayerCore& player, TXPlayListItem& item, const GraphScript& script)
    : name(ShortName(&item)), script(script), player_(&player), item_(&item) {
  player.liveGraphs.insert(this);
  ++player.graphsMade;
}

FakeGraph::~FakeGraph() {
  if (player_) player_->liveGraphs.erase(this);
}

void FakeGraph::Orphan() {
  player_ = nullptr;
  detached = true;
}

unsigned long FakeGraph::Release() {
  const unsigned long left = --references_;
  if (left == 0) delete this;
  return left;
}

void FakeGraph::DetachPlayer() {
  // Still counted among the player's graphs: the test checks that every one is freed.
  detached = true;
  item_ = nullptr;
}

void FakeGraph::Build() {
  ++builds;
  state = gsBuilding;
  if (auto during = std::exchange(script.duringBuild, nullptr)) {
    // As the system's graphs do: the build is counted on the player, holds the graph, ends closed when the graph
    // was closed meanwhile, and raises the silent abort when its hold was the last.
    AddRef();
    player_->BuildBegins();
    during();
    player_->BuildEnds();
    const bool aborted = state == gsAborting;
    if (aborted) state = gsClosed;
    if (Release() == 0) throw EAbort();
    if (aborted) return;
  }
  if (script.buildWaits) return;
  if (script.buildFails) {
    state = gsFailed;
    const std::runtime_error error("Cannot render the file.");
    if (!detached) player_->BuildError(name, bpRenderPins, TXPlayerGraphInfo{}, error);
    ReportError(error);
    return;
  }
  state = gsBuilt;
  if (!detached) player_->Notify(peGraphBuilt, this);
}

void FakeGraph::FinishBuild() {
  if (state != gsBuilding) return;
  state = gsBuilt;
  const TXGraphRef<TPlaybackGraph> hold(this);
  if (detached) return;
  player_->Notify(peGraphBuilt, this);
  player_->GraphBuilt(*this);
}

bool FakeGraph::Prepare() {
  if (state == gsClosed) Build();
  return state == gsBuilding || state == gsBuilt;
}

void FakeGraph::Play() {
  const int commands = runCommands_;
  if (!Prepare()) return;
  // A pause or stop that arrived during the build is the last word.
  if (runCommands_ != commands) return;
  // A graph asked to run while it builds runs once built.
  if (state == gsBuilt && script.playRaises) throw std::runtime_error("The graph could not run.");
  running = true;
}

void FakeGraph::Pause() {
  ++runCommands_;
  if (script.pauseRaises) throw std::runtime_error("The graph could not pause.");
  running = false;
}

void FakeGraph::Stop() {
  ++runCommands_;
  running = false;
}

void FakeGraph::Close() {
  ++runCommands_;
  running = false;
  position = 0;
  if (state == gsBuilt) state = gsClosed;
  if (state == gsBuilding) state = gsAborting;
}

void FakeGraph::ReportError(const std::exception& error) {
  errors.emplace_back(error.what());
  if (detached) return;
  player_->Notify(peGraphBuilt, this);
  if (item_) item_->StoreError(error);
}

bool FakeGraph::Seek(std::int64_t to) {
  if (script.refusesSeek) return false;
  position = to;
  return true;
}

void FakeGraph::SetAttenuation(int percent) {
  attenuation = static_cast<std::uint8_t>(percent);
  attenuations.push_back(percent);
}

// --- the player

TestPlayerCore::TestPlayerCore(TestEnvironment& environment) : TPlayerCore(environment.Get()) {
  OnPlayerEvent = [this](TPlayerCore& player, TPlayerEventType event, void* param) {
    events.push_back(EventText(player, event, param));
  };
  OnBuildError = [this](const std::string&, TXGraphBuildPhase, const TXPlayerGraphInfo&, const std::exception&) {
    ++buildErrors;
  };
  // As the main form does: the observer registers while the player loads and hears peLoaded with the owner.
  BeginLoading();
  AddObserver(observer);
  Loaded();
  taken_ = events.size();
}

TestPlayerCore::~TestPlayerCore() {
  Destroy();
  EXPECT_EQ(observer.events, events) << "the observer hears what the owner hears";
  EXPECT_TRUE(liveGraphs.empty()) << liveGraphs.size() << " graphs outlive the player";
  // Leaked graphs must not reach back into a player that is gone.
  for (FakeGraph* graph : liveGraphs) graph->Orphan();
}

void TestPlayerCore::AddItems(const std::string& names) {
  for (const char name : names) PlayList().AddEntry(std::string("C:\\Music\\") + name + ".mp3");
}

FakeGraph& TestPlayerCore::Existing(TPlaybackGraph* graph) {
  if (!graph) throw std::logic_error("the player has no such graph");
  return static_cast<FakeGraph&>(*graph);
}

std::string TestPlayerCore::CurrentName() const { return Graph() ? Current().name : "nil"; }

std::vector<std::string> TestPlayerCore::TakeEvents() {
  std::vector<std::string> taken;
  for (; taken_ < events.size(); ++taken_) {
    const std::string& event = events[taken_];
    if (event != "PositionChanged" && event != "PlayListChanged" && event != "ItemInfoChanged")
      taken.push_back(event);
  }
  return taken;
}

int TestPlayerCore::Count(const std::string& event) const {
  return static_cast<int>(std::count(events.begin(), events.end(), event));
}

void TestPlayerCore::PositionTickAt(std::int64_t ms) {
  if (Graph()) Current().SetPositionMs(ms);
  now += kPositionTimerPeriod;
  TimerTick(kPositionTimer);
}

void TestPlayerCore::FadeTickAt(std::int64_t nextMs, std::int64_t elapsedMs) {
  if (NextGraph()) Next().SetPositionMs(nextMs);
  now += elapsedMs;
  TimerTick(kFadeTimer);
}

TXGraphRef<TPlaybackGraph> TestPlayerCore::NewGraph(TXPlayListItem& item) {
  return TXGraphRef<TPlaybackGraph>(new FakeGraph(*this, item, scripts[ShortName(&item)]));
}

void TestPlayerCore::SetTimer(unsigned timer, unsigned periodMs) {
  timers.insert(timer);
  timerCalls.push_back("set " + std::to_string(timer) + " " + std::to_string(periodMs));
}

void TestPlayerCore::KillTimer(unsigned timer) {
  timers.erase(timer);
  timerCalls.push_back("kill " + std::to_string(timer));
}

void TestPlayerCore::StartVisualizer() {
  visualizerRunning = true;
  ++visualizerStarts;
}

void TestPlayerCore::SetPriorityClass(std::uint32_t value) {
  priorityClass = value;
  priorityChanges.push_back(value);
}

}  // namespace nv::test
