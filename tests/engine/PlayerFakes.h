#pragma once
// Stand-ins for the player's system: scripted graphs that do at once what they are told (or fail as scripted), and a
// player over them that records its timers, visualiser, priority class and every event, with a clock the test
// moves by hand. When the player goes, the test fails if a graph outlives it or its observer heard other events than
// its owner.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/PlayerCore.h"
#include "tests/playlist/PlayListFakes.h"

namespace nv::test {

// What a graph for one item does; by the item's short name ("b" for "C:\Music\b.mp3").
struct GraphScript {
  std::int32_t durationMs = 20000;
  bool seekable = true;  // CanSeek and IsSeekable, once built
  bool refusesSeek = false;
  bool hasAudio = true;
  bool hasVideo = false;
  bool buildFails = false;  // the build is reported as failed and the graph stays gsFailed
  bool buildWaits = false;  // the build goes on until FinishBuild
  bool playRaises = false;  // the graph is built but will not run
  bool pauseRaises = false;
  // Runs while the graph builds, as a message handled meanwhile would (the user's command, another graph's event).
  std::function<void()> duringBuild;
};

class TestPlayerCore;

// An observer that writes down the events it is given, as text.
class RecordingObserver final : public IXPlayerObserver {
public:
  std::vector<std::string> events;
  void PlayerEvent(TPlayerCore& player, TPlayerEventType event, void* param) override;
  std::uint8_t DataWanted() override { return 0; }
  void SpectrumData(const VisualizationFrame&) override {}
};

class FakeGraph final : public TPlaybackGraph {
public:
  FakeGraph(TestPlayerCore& player, TXPlayListItem& item, const GraphScript& script);
  ~FakeGraph();

  const std::string name;
  GraphScript script;
  TXGraphState state = gsClosed;
  bool running = false;  // asked to run (one that builds runs once built)
  bool detached = false;
  std::int64_t position = 0;  // 100-ns units
  std::optional<std::int64_t> buffered;
  std::uint8_t attenuation = 0;
  std::vector<int> attenuations;  // every value set, in order
  int volumeApplied = 0;
  int builds = 0;
  std::vector<std::string> errors;  // reported on the graph

  void SetPositionMs(std::int64_t ms) { position = ms * 10000; }
  // Ends a build that waits: built, and its build event delivered to the player.
  void FinishBuild();
  // The player is gone (it leaked this graph).
  void Orphan();

  unsigned long AddRef() override { return ++references_; }
  unsigned long Release() override;
  TXGraphState State() const override { return state; }
  TXPlayListItem* Item() const override { return item_; }
  void DetachPlayer() override;
  bool Prepare() override;
  void Play() override;
  void Pause() override;
  void Stop() override;
  void Close() override;
  void ReportError(const std::exception& error) override;
  std::int64_t Duration() override { return state == gsBuilt ? std::int64_t{script.durationMs} * 10000 : 0; }
  std::int64_t Position() override { return state == gsBuilt ? position : 0; }
  bool Seek(std::int64_t to) override;
  // As the system's graphs: nothing is known of seeking until the graph is built.
  bool CanSeek() override { return state == gsBuilt && script.seekable; }
  bool IsSeekable() override { return state == gsBuilt && script.seekable && script.durationMs > 0; }
  bool HasAudio() const override { return script.hasAudio; }
  bool HasVideo() const override { return script.hasVideo; }
  TXAudioInfo GetAudioInfo() override { return {2, 44100, 128000}; }
  std::optional<std::int64_t> BufferedAfterEnd() override { return buffered; }
  std::uint8_t Attenuation() const override { return attenuation; }
  void SetAttenuation(int percent) override;
  void ApplyVolume() override { ++volumeApplied; }

private:
  void Build();

  TestPlayerCore* player_;
  TXPlayListItem* item_;
  unsigned long references_ = 0;
  int runCommands_ = 0;  // pauses, stops and closes so far
};

class TestPlayerCore final : public TPlayerCore {
public:
  // Graphs made and not yet freed.
  std::set<FakeGraph*> liveGraphs;
  int graphsMade = 0;
  std::map<std::string, GraphScript> scripts;
  std::set<unsigned> timers;  // running
  std::vector<std::string> timerCalls;  // "set 1", "kill 2", in order
  bool visualizerRunning = false;
  int visualizerStarts = 0;
  std::uint32_t priorityClass = 0x20;  // NORMAL_PRIORITY_CLASS
  std::vector<std::uint32_t> priorityChanges;
  std::int64_t now = 1000000;  // ms
  // Every event the owner heard, as text ("CurrentChanged b", "StateChanged playing"), in order; the observer
  // registered while the player loaded hears the same.
  std::vector<std::string> events;
  RecordingObserver observer;
  int buildErrors = 0;

  explicit TestPlayerCore(TestEnvironment& environment);
  ~TestPlayerCore() override;

  // The list's items by short name, added in order: AddItems("abc").
  void AddItems(const std::string& names);
  // The current and the prepared graph; a test that asks for one the player lacks fails (the call throws).
  FakeGraph& Current() const { return Existing(Graph()); }
  FakeGraph& Next() const { return Existing(NextGraph()); }
  std::string CurrentName() const;
  bool TimerRunning(unsigned timer) const { return timers.count(timer) != 0; }
  // The events since the last call, without position changes and the list's own notices.
  std::vector<std::string> TakeEvents();
  int Count(const std::string& event) const;

  // The position timer's tick, with the current graph at `ms`.
  void PositionTickAt(std::int64_t ms);
  // The fade timer's tick after `elapsedMs` of wall-clock time, with the incoming graph at `nextMs`.
  void FadeTickAt(std::int64_t nextMs, std::int64_t elapsedMs = 25);
  // The current graph reached its end (EC_COMPLETE).
  void CompleteCurrentGraph() { GraphCompleted(Current()); }

protected:
  TXGraphRef<TPlaybackGraph> NewGraph(TXPlayListItem& item) override;
  void SetTimer(unsigned timer, unsigned periodMs) override;
  void KillTimer(unsigned timer) override;
  void StartVisualizer() override;
  void StopVisualizer() override { visualizerRunning = false; }
  std::uint32_t PriorityClass() override { return priorityClass; }
  void SetPriorityClass(std::uint32_t value) override;
  std::int64_t TickCount() override { return now; }

private:
  static FakeGraph& Existing(TPlaybackGraph* graph);
  std::size_t taken_ = 0;
};

// "b" for "C:\Music\b.mp3"; "nil" for none.
std::string ShortName(const TXPlayListItem* item);
std::string EventText(TPlayerCore& player, TPlayerEventType event, void* param);

}  // namespace nv::test
