#pragma once
// TPlayerCore: the player component's logic. It plays the items of its "Now playing" list through graphs it asks
// its system for, keeps the player's state, position, volume, mute and balance, steps the list when an item ends,
// and raises the player's events in their order: to the list first, then to the observers, then to its owner.
//
// What only Windows can do sits behind virtual calls: making a graph for an item (graphs are TPlaybackGraphs),
// the hidden window's timers, the visualiser and the process's priority class. TXPlayer (engine/win/XPlayer.h) is
// the Windows player; the tests drive this class with graphs of their own.
//
// Everything runs on the user-interface thread, but a graph that builds handles window messages while it waits, so
// any command, timer tick or graph event may arrive in the middle of another operation. The graphs are counted, and
// every operation that calls into a graph checks afterwards that the graph is still the one it meant.
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/GraphRef.h"
#include "engine/GraphRules.h"
#include "engine/PlaybackGraph.h"
#include "engine/PlayerObservers.h"
#include "engine/PlayerTypes.h"
#include "playlist/PlayListEnvironment.h"
#include "playlist/PlayListPlayer.h"
#include "playlist/XPlayerPlayList.h"

namespace nv {

// Where a crossfade, an unbroken switch or a smooth change of item stands.
enum class TXTransitionState : std::uint8_t {
  tsNone = 0,
  tsCrossfadeWait = 1,  // an end-of-item transition waits for the next graph to be built
  tsSmoothWait = 2,     // a smooth transition waits likewise
  tsFading = 3,         // both graphs play and the fade timer steps their levels
};

// The hidden window's timers.
enum TPlayerTimer : unsigned {
  kPositionTimer = 1,  // 100 ms: position, end-of-item checks, failed graphs
  kFadeTimer = 2,      // 25 ms: fade steps
  kInfoTimer = 3,      // 50 ms: the list's background information reading
};
inline constexpr unsigned kPositionTimerPeriod = 100;
inline constexpr unsigned kFadeTimerPeriod = 25;
inline constexpr unsigned kInfoTimerPeriod = 50;

// Process priority classes, by the system's numbers.
inline constexpr std::uint32_t kHighPriorityClass = 0x80;
inline constexpr std::uint32_t kRealtimePriorityClass = 0x100;

// The component's settings, with its own initial values (the main form sets its own).
struct TXPlayerProperties {
  bool HighPriority = false;       // raise the process priority class while playing
  bool VisualizerEnabled = true;   // start the visualiser with playback
  std::uint8_t EqType = 17;        // the equaliser's kind; 0 = no equaliser in new graphs
  bool Crossfading = false;
  std::int32_t CrossfadeDuration = 5000;  // ms
  std::int32_t CrossfadeAdvance = 0;      // ms
  bool SmoothNavigation = false;          // fade when the user changes item during playback
  std::int32_t SmoothDuration = 1500;     // ms
  bool UnbrokenPlay = false;              // start the next item just before the current one ends
  std::int32_t CompleteAdvance = 300;     // ms
  bool CDAErrorCorrection = false;
  TXPlayerVideoRenderType VideoRenderType = vrStandard;
  std::int32_t MinPosition = 0;  // ms: every item starts at least this far into it
};

class TPlayerCore : public TPlayListPlayer {
public:
  using PlayerEventHandler = std::function<void(TPlayerCore& player, TPlayerEventType event, void* param)>;
  // `fileName` is held text.
  using BuildErrorHandler = std::function<void(const std::string& fileName, TXGraphBuildPhase phase,
                                               const TXPlayerGraphInfo& info, const std::exception& error)>;

  explicit TPlayerCore(const TPlayListEnvironment& environment = TPlayListEnvironment::System());
  // Destroy() must have run (the subclass's destructor calls it while its own parts still exist).
  ~TPlayerCore() override;
  TPlayerCore(const TPlayerCore&) = delete;
  TPlayerCore& operator=(const TPlayerCore&) = delete;

  TXPlayerProperties Properties;
  PlayerEventHandler OnPlayerEvent;
  BuildErrorHandler OnBuildError;
  // Process-wide: the CD parts read them whatever player set them.
  static bool CDADigital();
  static void SetCDADigital(bool digital);
  static bool CDAForceASPI();
  static void SetCDAForceASPI(bool force);

  // The owner sets the properties while loading; events are held back until Loaded, which raises peLoaded.
  void BeginLoading() { loading_ = true; }
  void Loaded();

  TXPlayerPlayList& PlayList() { return *playList_; }
  TXPlayerState State() override { return state_; }
  // Milliseconds, as last read from the current graph.
  std::int32_t Position() const { return position_; }
  std::int32_t Duration() const { return duration_; }
  bool Mute() const { return mute_; }
  int Volume() const { return volume_; }
  int Balance() const { return balance_; }
  TXTransitionState Transition() const { return transition_; }
  std::int32_t FadeDuration() const { return fadeDuration_; }
  TPlaybackGraph* Graph() const { return graph_.Get(); }
  TPlaybackGraph* NextGraph() const { return nextGraph_.Get(); }
  TPlaybackGraph* InspectedGraph() const { return inspectedGraph_.Get(); }
  bool IsBuilding() const { return buildNesting_ > 0; }

  // Commands.
  void Play() override;
  void Pause();
  void Stop();
  void OpenItem(TXPlayListItem* item, bool play, TSetCurrentMode mode) override;
  void SetGraph(TPlaybackGraph* graph, bool play, TSetCurrentMode mode);
  void SetPosition(std::int32_t ms);
  void SetMute(bool mute);
  void SetVolume(int volume);    // 0..100
  void SetBalance(int balance);  // -100..100
  bool CanSeek();
  bool IsSeekable();
  TXAudioInfo GetAudioInfo();

  // Media extensions with their dot, sorted, each once; the built-in ones from the start.
  void AddKnownExtension(std::u16string extension);
  const std::vector<std::u16string>& KnownExtensions() const { return knownExtensions_; }
  // "*.mp3;*.ogg;..." for open dialogs.
  std::u16string GetFileFilter() const;

  // The file-properties dialog's graph: the current one when it plays `item`, otherwise a new graph that replaces
  // the previous inspected one.
  TPlaybackGraph* InspectItem(TXPlayListItem* item);
  void ReleaseInspected(TPlaybackGraph* graph);

  void AddObserver(IXPlayerObserver& observer);
  void RemoveObserver(IXPlayerObserver& observer);
  TPlayerObservers& Observers() { return observers_; }
  void Notify(TPlayerEventType event, void* param);

  // From the graphs.
  void BuildBegins() { ++buildNesting_; }
  void BuildEnds() { --buildNesting_; }
  void BuildError(const std::string& fileName, TXGraphBuildPhase phase, const TXPlayerGraphInfo& info,
                  const std::exception& error);
  void GraphBuilt(TPlaybackGraph& graph);
  void GraphCompleted(TPlaybackGraph& graph);
  void StreamEnded(TPlaybackGraph& graph);
  void CompleteAdvanceReached(TPlaybackGraph& graph);
  void UpdatePosition();

  // A tick of one of the hidden window's timers.
  void TimerTick(unsigned timer);

  // TPlayListPlayer
  TXPlayListItem* CurrentItem() override;
  TXPlayListItem* PreparedItem() override;
  void ReleaseItem(TXPlayListItem& item) override;
  bool IsKnownExtension(std::u16string_view extension) override;
  void PlayListChanged() override;
  void ItemInfoChanged(TXPlayListItem& item) override;
  void StartInfoTimer() override;
  void StopInfoTimer() override;

protected:
  // The system's side.
  virtual TXGraphRef<TPlaybackGraph> NewGraph(TXPlayListItem& item) = 0;
  virtual void SetTimer(unsigned timer, unsigned periodMs) = 0;
  virtual void KillTimer(unsigned timer) = 0;
  virtual void StartVisualizer() = 0;
  virtual void StopVisualizer() = 0;
  virtual std::uint32_t PriorityClass() = 0;
  virtual void SetPriorityClass(std::uint32_t priorityClass) = 0;
  // A monotonic clock in milliseconds.
  virtual std::int64_t TickCount() = 0;

  // Stops playback and lets go of every graph and the list, with events held back; the subclass's destructor calls
  // it first, while what these calls reach still exists.
  void Destroy();

private:
  void StartPlayback();
  void StopPlayback();
  void StartTimers();
  // Plays `graph`; an error is reported on it and closes it, the silent abort passes on.
  void PlayGraph(TPlaybackGraph& graph);
  // Makes the prepared graph current (or stops when there is none): the end of the current item, and of any
  // transition waiting for it.
  void CompleteCurrent();
  // A renderer may report its end while its buffer still plays (Wine's does, with 150-200 ms left): true while the
  // current item's last sound is still to be heard, so that the next item or a stop does not cut it off.
  bool LastSoundPlaying(TPlaybackGraph& graph);
  void PositionTick();
  // Let go of a graph for good: closed (a build of it stops) and detached from the player.
  static void DropGraph(TXGraphRef<TPlaybackGraph>& graph);
  // The state changes and peStateChanged is raised.
  void SetState(TXPlayerState state);
  // Volume, mute or balance changed: onto both graphs, and peSoundChanged.
  void SoundChanged();
  bool IsCurrent(const TPlaybackGraph& graph) const { return &graph == graph_.Get(); }

  // Crossfading, unbroken play and smooth navigation (PlayerTransitions.cpp).
  void RequestNext(bool timeCheck);
  void CheckCrossfade();
  void BeginTransition(std::int32_t length, bool smooth);
  void StartTransition();
  bool CanTransition(bool smooth);
  void FadeTick();
  void SetFadeLevels(std::int32_t elapsed, std::int32_t duration);
  void FinishTransition();
  // Drops the prepared graph and any transition with it; the current item returns to full volume.
  void DropNextGraph();
  void StartFadeTimer();

  bool loading_ = false;
  bool destroying_ = false;
  std::uint32_t savedPriorityClass_ = 0;
  std::vector<std::u16string> knownExtensions_;
  std::unique_ptr<TXPlayerPlayList> playList_;
  int buildNesting_ = 0;
  TXGraphRef<TPlaybackGraph> graph_;
  TXGraphRef<TPlaybackGraph> nextGraph_;
  TXGraphRef<TPlaybackGraph> inspectedGraph_;
  TXPlayerState state_ = TXPlayerState::psStopped;
  std::int32_t position_ = 0;
  std::int32_t duration_ = 0;
  bool mute_ = false;
  int volume_ = 100;
  int balance_ = 0;
  TPlayerObservers observers_;
  TXTransitionState transition_ = TXTransitionState::tsNone;
  std::int32_t fadeDuration_ = 0;
  // The prepared item would not run when the fade into it began: it is not asked for again while this item plays
  // (it would be built and fail at every position tick).
  // Above 0: the current graph reported its end while its last sound still played, and the position ticks complete
  // it once that has been heard, or after this many more ticks.
  int endWaitsLeft_ = 0;
  bool nextRefused_ = false;
  // Wall-clock time the fade timer has run for this fade, for a fade whose incoming graph never advances.
  std::int64_t fadeClock_ = 0;
  std::int64_t lastFadeTick_ = 0;
};

}  // namespace nv
