#pragma once
// A player for the graph tests: it keeps the settings the graphs read, records what they report, routes their
// event messages from its hidden window, and runs calls posted to that window, so that a test can act in the middle
// of a build (a build handles window messages while it waits).
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "engine/win/GraphPlayer.h"
#include "engine/win/XPlayerGraph.h"
#include "playlist/XPlayList.h"
#include "support/ui/win/Window.h"

namespace nv::test {

struct BuildErrorReport {
  std::string fileName;
  TXGraphBuildPhase phase;
  TXPlayerGraphInfo info;
  std::string message;
};

class GraphTestPlayer : public TGraphPlayer {
public:
  GraphTestPlayer();
  ~GraphTestPlayer() override;
  GraphTestPlayer(const GraphTestPlayer&) = delete;
  GraphTestPlayer& operator=(const GraphTestPlayer&) = delete;

  // Settings the graphs read.
  TXFileGraphInfos rules;
  TXCommonFilters commonFilters;
  std::uint8_t eqType = 0;
  TXPlayerVideoRenderType videoRenderType = vrStandard;
  std::int32_t minPosition = 0;
  std::int32_t completeAdvance = 300;
  int volume = 100;
  bool muted = false;
  int balance = 0;
  // The visualiser's place in the audio chain gets a PCM information filter (the visualiser tap's base).
  bool insertPcmInfo = false;

  // What the graphs reported.
  std::vector<BuildErrorReport> buildErrors;
  std::vector<TPlayerEventType> events;
  std::vector<TXPlayerGraph*> graphsBuilt;  // kEcGraphBuilt
  std::vector<TXPlayerGraph*> graphsCompleted;
  std::vector<TXPlayerGraph*> streamsEnded;
  std::vector<TXPlayerGraph*> advancesReached;
  int buildDepth = 0;
  int equalizerAsked = 0;
  int videoAttached = 0;
  int positionUpdates = 0;
  int fullScreenLeft = 0;
  int infoTimerStarts = 0;
  // Runs for every player event, after it is recorded.
  std::function<void(TPlayerEventType, void*)> onNotify;
  int Count(TPlayerEventType event) const;

  // Graph event messages for the graphs the player holds are handed to them; others are dropped, as the player
  // does. Letting go of a graph may free it.
  void Hold(TXPlayerGraph* graph) { held_.emplace_back(graph); }
  void LetGo(TXPlayerGraph* graph);
  // Runs `call` on the player's thread when its message loop (maybe a build's) reaches it; may be called from any
  // thread (a build's worker, a filter's streaming thread).
  void Post(std::function<void()> call);

  // TGraphPlayer
  HWND NotifyWindow() override { return eventWindow_.Handle(); }
  const TXFileGraphInfos& GraphRules() override { return rules; }
  const TXCommonFilters& CommonFilters() override { return commonFilters; }
  bool CDADigital() override { return true; }
  bool CDAErrorCorrection() override { return false; }
  std::uint8_t EqType() override { return eqType; }
  TXPlayerVideoRenderType VideoRenderType() override { return videoRenderType; }
  std::int32_t MinPosition() override { return minPosition; }
  std::int32_t CompleteAdvance() override { return completeAdvance; }
  int Volume() override { return volume; }
  bool Muted() override { return muted; }
  int Balance() override { return balance; }
  void BuildBegins() override { ++buildDepth; }
  void BuildEnds() override { --buildDepth; }
  void BuildError(const std::string& fileName, TXGraphBuildPhase phase, const TXPlayerGraphInfo& info,
                  const std::exception& error) override;
  void Notify(TPlayerEventType event, void* param) override {
    events.push_back(event);
    if (onNotify) onNotify(event, param);
  }
  void InsertEqualizer(TXPlayerGraph&, TPinList&) override { ++equalizerAsked; }
  void InsertVisualizer(TXPlayerGraph& graph, TPinList& pins) override;
  void AttachVideo(TXPlayerGraph&) override { ++videoAttached; }
  void GraphBuilt(TXPlayerGraph& graph) override { graphsBuilt.push_back(&graph); }
  void GraphCompleted(TXPlayerGraph& graph) override { graphsCompleted.push_back(&graph); }
  void StreamEnded(TXPlayerGraph& graph) override { streamsEnded.push_back(&graph); }
  void CompleteAdvanceReached(TXPlayerGraph& graph) override { advancesReached.push_back(&graph); }
  void UpdatePosition() override { ++positionUpdates; }
  void LeaveFullScreen() override { ++fullScreenLeft; }
  void StartInfoTimer() override { ++infoTimerStarts; }

private:
  // Receives the graphs' event messages.
  class EventWindow final : public nv::Window {
  public:
    explicit EventWindow(GraphTestPlayer& player);

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    GraphTestPlayer& player_;
  };

  std::vector<TXGraphRef<TXPlayerGraph>> held_;
  EventWindow eventWindow_{*this};
  // The player's thread's utility window: a post from another thread must not make one of that thread's own.
  HWND utility_;
};

// Handles this thread's messages until `done` answers true (true) or `timeoutMs` passed (false).
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Handles this thread's messages for a while.
void PumpFor(DWORD ms);

// A graph for the player, counted, and held by it.
TXGraphRef<TXPlayerGraph> NewGraph(GraphTestPlayer& player, TXPlayListItem* item);

// The test media made at build time, as Windows paths (held text).
std::string MediaPath(const char* name);
// A path in the build tree for an item whose test source makes its own streams (the file need not exist).
std::string StreamPath(const std::string& name);

// A rule that reads the media of `extensions` with the source filter `source`.
TXFileGraphInfo SourceRule(const std::string& extensions, const CLSID& source);

// The name a filter was added to its graph under.
std::wstring FilterName(IBaseFilter* filter);

// An unbound playlist over the system's files, for the items the graphs are built for.
struct TestPlayList {
  TXPlayList list;
  TXPlayListItem& Add(const std::string& entry);
};

}  // namespace nv::test
