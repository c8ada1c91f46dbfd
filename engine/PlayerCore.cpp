#include "engine/PlayerCore.h"

#include <algorithm>
#include <array>
#include <atomic>

#include "engine/MediaExtensions.h"
#include "filters/FilterConstants.h"
#include "support/Errors.h"
#include "support/TextCompare.h"

namespace nv {

namespace {

// An item whose renderer reported its end is completed once no more than this is left to be heard, or after this
// many position ticks whatever the renderer says.
constexpr std::int64_t kLastSoundSlackMs = 20;
constexpr int kLastSoundWaits = 10;

std::atomic<bool> cdaDigital{true};
std::atomic<bool> cdaForceAspi{false};

// A graph that is neither building nor built failed, was closed under its build, or was never built: the player
// treats it as ended.
bool IsDead(const TPlaybackGraph& graph) { return graph.State() != gsBuilding && graph.State() != gsBuilt; }

std::int32_t UnitsToMs(std::int64_t units) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(units / kUnitsPerMs, INT32_MIN, INT32_MAX));
}

}  // namespace

TPlayerCore::TPlayerCore(const TPlayListEnvironment& environment) {
  for (const std::u16string_view extension : kBuiltInMediaExtensions) AddKnownExtension(std::u16string(extension));
  playList_ = std::make_unique<TXPlayerPlayList>(*this, environment);
}

TPlayerCore::~TPlayerCore() = default;

bool TPlayerCore::CDADigital() { return cdaDigital; }
void TPlayerCore::SetCDADigital(bool digital) { cdaDigital = digital; }
bool TPlayerCore::CDAForceASPI() { return cdaForceAspi; }
void TPlayerCore::SetCDAForceASPI(bool force) { cdaForceAspi = force; }

void TPlayerCore::Loaded() {
  loading_ = false;
  Notify(peLoaded, nullptr);
}

void TPlayerCore::Destroy() {
  if (destroying_) return;
  destroying_ = true;
  try {
    Stop();
  } catch (...) {
    // Ending anyway.
  }
  DropGraph(inspectedGraph_);
  DropGraph(nextGraph_);
  DropGraph(graph_);
  // The items are handed over one by one while the player can still answer.
  playList_.reset();
  observers_.PlayerFreed(*this);
}

// --- events

void TPlayerCore::Notify(TPlayerEventType event, void* param) {
  if (loading_ || destroying_) return;
  if (event == peCompleted)
    playList_->Completed();
  else if (event == pePrepareNext)
    playList_->PrepareNext();
  observers_.PlayerEvent(*this, event, param);
  if (OnPlayerEvent) OnPlayerEvent(*this, event, param);
}

void TPlayerCore::AddObserver(IXPlayerObserver& observer) {
  if (observers_.Add(observer) && !loading_ && !destroying_) observer.PlayerEvent(*this, peLoaded, nullptr);
}

void TPlayerCore::RemoveObserver(IXPlayerObserver& observer) { observers_.Remove(observer); }

void TPlayerCore::SetState(TXPlayerState state) {
  state_ = state;
  Notify(peStateChanged, nullptr);
}

void TPlayerCore::BuildError(const std::string& fileName, TXGraphBuildPhase phase, const TXPlayerGraphInfo& info,
                             const std::exception& error) {
  if (OnBuildError) OnBuildError(fileName, phase, info, error);
}

// --- commands

void TPlayerCore::Play() {
  if (state_ == TXPlayerState::psPlaying || !graph_) return;
  SetState(TXPlayerState::psPlaying);
  StartPlayback();
}

void TPlayerCore::Pause() {
  if (state_ != TXPlayerState::psPlaying) return;
  // A live stream cannot pick up where it paused. A graph still building cannot say whether it can: it is paused
  // (its build keeps the graph paused when it ends).
  if (!graph_ || (graph_->State() != gsBuilding && !graph_->IsSeekable())) {
    Stop();
    return;
  }
  StopVisualizer();
  KillTimer(kFadeTimer);
  KillTimer(kPositionTimer);
  // Held: reporting an error reaches the owner, who may let go of a graph.
  const std::array<TXGraphRef<TPlaybackGraph>, 2> graphs{nextGraph_, graph_};
  for (const TXGraphRef<TPlaybackGraph>& graph : graphs) {
    if (!graph) continue;
    try {
      graph->Pause();
    } catch (const std::exception& error) {
      graph->ReportError(error);
    }
  }
  SetState(TXPlayerState::psPaused);
}

void TPlayerCore::Stop() {
  if (state_ == TXPlayerState::psStopped) return;
  StopPlayback();
  SetState(TXPlayerState::psStopped);
}

void TPlayerCore::OpenItem(TXPlayListItem* item, bool play, TSetCurrentMode mode) {
  TXGraphRef<TPlaybackGraph> graph;
  if (item) graph = NewGraph(*item);
  SetGraph(graph.Get(), play, mode);
}

void TPlayerCore::SetGraph(TPlaybackGraph* graph, bool play, TSetCurrentMode mode) {
  const TXGraphRef<TPlaybackGraph> hold(graph);
  const bool prepare = mode == TSetCurrentMode::smPrepare;
  const bool smooth = mode == TSetCurrentMode::smSmooth && Properties.SmoothNavigation;
  if (graph && state_ == TXPlayerState::psPlaying && (!graph_ || !graph_->HasVideo()) && (prepare || smooth)) {
    if (transition_ == TXTransitionState::tsFading) {
      // A fade that is running ends first: the item faded into is what plays now, the one fading out goes. Then
      // the new graph is taken as the state has become.
      FinishTransition();
      SetGraph(graph, play, mode);
      return;
    }
    DropGraph(nextGraph_);
    nextGraph_ = hold;
    graph->Prepare();
    if (smooth && nextGraph_.Get() == graph) BeginTransition(Properties.SmoothDuration, true);
    return;
  }

  const TXPlayerState before = state_;
  if (state_ != TXPlayerState::psStopped) {
    StopPlayback();
    state_ = TXPlayerState::psStopped;
  }
  TXGraphRef<TPlaybackGraph> previous = std::exchange(graph_, hold);
  DropGraph(previous);
  endWaitsLeft_ = 0;
  // Without a graph there is nothing to play: the player stays stopped rather than claim to play.
  if (play && graph_) {
    state_ = TXPlayerState::psPlaying;
    StartPlayback();
  }
  Notify(peCurrentChanged, playList_ ? playList_->GetCurrent() : nullptr);
  if (state_ != before) Notify(peStateChanged, nullptr);
}

void TPlayerCore::SetPosition(std::int32_t ms) {
  if (!graph_) return;
  ms = std::clamp(ms, 0, std::max(duration_, 0));
  if (graph_->Seek(static_cast<std::int64_t>(ms) * kUnitsPerMs)) {
    position_ = ms;
    // Back from the end: the item plays on.
    endWaitsLeft_ = 0;
  }
  Notify(pePositionChanged, nullptr);
}

void TPlayerCore::SetMute(bool mute) {
  if (mute == mute_) return;
  mute_ = mute;
  SoundChanged();
}

void TPlayerCore::SetVolume(int volume) {
  if (volume == volume_) return;
  volume_ = volume;
  SoundChanged();
}

void TPlayerCore::SetBalance(int balance) {
  if (balance == balance_) return;
  balance_ = balance;
  SoundChanged();
}

void TPlayerCore::SoundChanged() {
  if (graph_) graph_->ApplyVolume();
  if (nextGraph_) nextGraph_->ApplyVolume();
  Notify(peSoundChanged, nullptr);
}

bool TPlayerCore::CanSeek() { return graph_ && graph_->CanSeek(); }
bool TPlayerCore::IsSeekable() { return graph_ && graph_->IsSeekable(); }
TXAudioInfo TPlayerCore::GetAudioInfo() { return graph_ ? graph_->GetAudioInfo() : TXAudioInfo{}; }

// --- known extensions

namespace {
bool ExtensionLess(const std::u16string& a, std::u16string_view b) { return LocaleCompare(a, b) < 0; }
}  // namespace

void TPlayerCore::AddKnownExtension(std::u16string extension) {
  const auto place = std::lower_bound(knownExtensions_.begin(), knownExtensions_.end(), extension, ExtensionLess);
  if (place != knownExtensions_.end() && LocaleCompare(*place, extension) == 0) return;
  knownExtensions_.insert(place, std::move(extension));
}

bool TPlayerCore::IsKnownExtension(std::u16string_view extension) {
  const auto place = std::lower_bound(knownExtensions_.begin(), knownExtensions_.end(), extension, ExtensionLess);
  return place != knownExtensions_.end() && LocaleCompare(*place, extension) == 0;
}

std::u16string TPlayerCore::GetFileFilter() const {
  std::u16string filter;
  for (const std::u16string& extension : knownExtensions_) filter += u"*" + extension + u";";
  return filter;
}

// --- inspected graph

TPlaybackGraph* TPlayerCore::InspectItem(TXPlayListItem* item) {
  if (graph_ && item && graph_->Item() == item) return graph_.Get();
  TXGraphRef<TPlaybackGraph> graph;
  if (item) graph = NewGraph(*item);
  DropGraph(inspectedGraph_);
  inspectedGraph_ = graph;
  return graph.Get();
}

void TPlayerCore::ReleaseInspected(TPlaybackGraph* graph) {
  // The dialog built the current graph while the player was stopped: it is built again when played.
  if (graph && graph == graph_.Get() && state_ == TXPlayerState::psStopped) graph->Close();
  DropGraph(inspectedGraph_);
}

// --- playback

void TPlayerCore::PlayGraph(TPlaybackGraph& graph) {
  try {
    graph.Play();
  } catch (const EAbort&) {
    throw;
  } catch (const std::exception& error) {
    graph.ReportError(error);
    // A built graph that will not run would stay current, silent, for good: closed, the next position tick finds it
    // dead and moves on.
    graph.Close();
  }
}

void TPlayerCore::StartPlayback() {
  if (Properties.HighPriority) {
    const std::uint32_t priorityClass = PriorityClass();
    if (priorityClass != kHighPriorityClass && priorityClass != kRealtimePriorityClass) {
      savedPriorityClass_ = priorityClass;
      SetPriorityClass(kHighPriorityClass);
    }
  }
  const TXGraphRef<TPlaybackGraph> graph = graph_;
  if (!graph) return;
  // Playing builds the graph, and a build handles messages: a command may have stopped or replaced it meanwhile.
  PlayGraph(*graph);
  if (graph_.Get() != graph.Get() || state_ != TXPlayerState::psPlaying) return;
  if (transition_ == TXTransitionState::tsFading && nextGraph_) {
    const TXGraphRef<TPlaybackGraph> next = nextGraph_;
    PlayGraph(*next);
    if (graph_.Get() != graph.Get() || state_ != TXPlayerState::psPlaying) return;
  }
  UpdatePosition();
  StartTimers();
}

void TPlayerCore::StopPlayback() {
  endWaitsLeft_ = 0;
  StopVisualizer();
  KillTimer(kFadeTimer);
  KillTimer(kPositionTimer);
  transition_ = TXTransitionState::tsNone;
  fadeDuration_ = 0;
  nextRefused_ = false;
  DropGraph(nextGraph_);
  if (const TXGraphRef<TPlaybackGraph> graph = graph_) {
    graph->Close();
    graph->SetAttenuation(0);
  }
  position_ = 0;
  duration_ = 0;
  if (Properties.HighPriority && savedPriorityClass_ != 0 && PriorityClass() == kHighPriorityClass)
    SetPriorityClass(savedPriorityClass_);
  savedPriorityClass_ = 0;
}

void TPlayerCore::StartTimers() {
  KillTimer(kPositionTimer);
  SetTimer(kPositionTimer, kPositionTimerPeriod);
  if (transition_ == TXTransitionState::tsFading) StartFadeTimer();
  if (Properties.VisualizerEnabled) StartVisualizer();
}

void TPlayerCore::UpdatePosition() {
  duration_ = graph_ ? UnitsToMs(graph_->Duration()) : 0;
  position_ = graph_ ? UnitsToMs(graph_->Position()) : 0;
}

void TPlayerCore::DropGraph(TXGraphRef<TPlaybackGraph>& graph) {
  const TXGraphRef<TPlaybackGraph> dropped = std::exchange(graph, {});
  if (!dropped) return;
  dropped->Close();
  dropped->DetachPlayer();
}

// --- the graphs' events

void TPlayerCore::GraphBuilt(TPlaybackGraph& graph) {
  if (&graph == nextGraph_.Get() &&
      (transition_ == TXTransitionState::tsCrossfadeWait || transition_ == TXTransitionState::tsSmoothWait))
    StartTransition();
}

void TPlayerCore::GraphCompleted(TPlaybackGraph& graph) {
  const TXGraphRef<TPlaybackGraph> hold(&graph);
  if (&graph == nextGraph_.Get()) {
    DropNextGraph();
    Notify(pePreparedEnded, nullptr);
    return;
  }
  // The fade's end makes the switch.
  if (!IsCurrent(graph) || transition_ == TXTransitionState::tsFading) return;
  if (LastSoundPlaying(graph)) {
    if (endWaitsLeft_ == 0) endWaitsLeft_ = kLastSoundWaits;
    return;
  }
  CompleteCurrent();
}

bool TPlayerCore::LastSoundPlaying(TPlaybackGraph& graph) {
  if (state_ != TXPlayerState::psPlaying) return false;
  const std::optional<std::int64_t> left = graph.BufferedAfterEnd();
  return left && *left / kUnitsPerMs > kLastSoundSlackMs;
}

void TPlayerCore::CompleteCurrent() {
  transition_ = TXTransitionState::tsNone;
  endWaitsLeft_ = 0;
  if (nextGraph_) {
    nextRefused_ = false;
    TXGraphRef<TPlaybackGraph> previous = std::exchange(graph_, std::exchange(nextGraph_, {}));
    DropGraph(previous);
    const TXGraphRef<TPlaybackGraph> graph = graph_;
    graph->SetAttenuation(0);
    if (state_ == TXPlayerState::psPlaying) {
      PlayGraph(*graph);
      if (graph_.Get() != graph.Get()) return;
    }
    UpdatePosition();
    if (state_ == TXPlayerState::psPlaying) StartTimers();
    Notify(peCurrentChanged, CurrentItem());
    return;
  }
  StopPlayback();
  state_ = TXPlayerState::psStopped;
  // The list steps to the next item first, which may start playing again.
  Notify(peCompleted, nullptr);
  if (state_ == TXPlayerState::psStopped) Notify(peStateChanged, nullptr);
}

void TPlayerCore::StreamEnded(TPlaybackGraph& graph) {
  if (!IsCurrent(graph)) return;
  Notify(peStreamEnded, nullptr);
  RequestNext(false);
  CheckCrossfade();
}

// A notice that comes when the item's data has not ended is stale (from before a seek back into the item) and would
// start the transition in the middle of it.
void TPlayerCore::CompleteAdvanceReached(TPlaybackGraph& graph) {
  if (IsCurrent(graph) && Properties.UnbrokenPlay && transition_ != TXTransitionState::tsFading &&
      graph.BufferedAfterEnd())
    BeginTransition(Properties.CompleteAdvance, false);
}

// --- timers

void TPlayerCore::TimerTick(unsigned timer) {
  switch (timer) {
    case kPositionTimer:
      PositionTick();
      break;
    case kFadeTimer:
      FadeTick();
      break;
    case kInfoTimer:
      if (playList_) playList_->InfoTimerTick();
      break;
    default:
      break;
  }
}

void TPlayerCore::PositionTick() {
  if (endWaitsLeft_ > 0 && graph_) {
    if (--endWaitsLeft_ > 0 && LastSoundPlaying(*graph_)) return;
    endWaitsLeft_ = 0;
    if (transition_ != TXTransitionState::tsFading) CompleteCurrent();
    return;
  }
  const bool active = state_ != TXPlayerState::psStopped;
  const bool currentDead = active && graph_ && IsDead(*graph_);
  const bool smoothTargetDead =
      transition_ == TXTransitionState::tsSmoothWait && nextGraph_ && IsDead(*nextGraph_) && graph_;
  if (currentDead || smoothTargetDead) {
    const TXGraphRef<TPlaybackGraph> graph = graph_;
    GraphCompleted(*graph);
    return;
  }
  const std::int32_t before = position_;
  UpdatePosition();
  if (position_ != before) Notify(pePositionChanged, nullptr);
  RequestNext(true);
  CheckCrossfade();
}

void TPlayerCore::StartInfoTimer() {
  KillTimer(kInfoTimer);
  SetTimer(kInfoTimer, kInfoTimerPeriod);
}

void TPlayerCore::StopInfoTimer() { KillTimer(kInfoTimer); }

// --- the list's side

TXPlayListItem* TPlayerCore::CurrentItem() { return graph_ ? graph_->Item() : nullptr; }
TXPlayListItem* TPlayerCore::PreparedItem() { return nextGraph_ ? nextGraph_->Item() : nullptr; }

void TPlayerCore::ReleaseItem(TXPlayListItem& item) {
  if (nextGraph_ && nextGraph_->Item() == &item) DropNextGraph();
  if (inspectedGraph_ && inspectedGraph_->Item() == &item) DropGraph(inspectedGraph_);
  // The list lets go of its current item first; should it not have, the item's graph still must not outlive it.
  if (graph_ && graph_->Item() == &item) SetGraph(nullptr, false, TSetCurrentMode::smNormal);
}

void TPlayerCore::PlayListChanged() { Notify(pePlayListChanged, playList_.get()); }
void TPlayerCore::ItemInfoChanged(TXPlayListItem& item) { Notify(peItemInfoChanged, &item); }

}  // namespace nv
