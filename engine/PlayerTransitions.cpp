// Crossfading, unbroken play and smooth navigation: a prepared next graph, a transition state, the fade timer and
// each graph's attenuation.
#include <algorithm>

#include "engine/PlayerCore.h"
#include "filters/FilterConstants.h"
#include "support/Errors.h"

namespace nv {

namespace {

// The next item is asked for this long before the current one ends (plus the crossfade, when crossfading).
constexpr std::int32_t kPrepareLead = 3000;
// A fade this short or shorter switches at once.
constexpr std::int32_t kShortestFade = 25;
// The incoming item starts this many percent into the volume scale.
constexpr int kFadeInHeadStart = 10;
// A fade timed by the incoming graph's position falls back on the fade timer's own running time when the position
// lags that far behind it (a live stream, or a source whose position never moves).
constexpr std::int64_t kFadeClockSlack = 500;

}  // namespace

void TPlayerCore::RequestNext(bool timeCheck) {
  if (nextGraph_ || nextRefused_ || !(Properties.Crossfading || Properties.UnbrokenPlay)) return;
  // With Repeat the last item leads to the first, unless it is the only one: it cannot fade into itself, and starts
  // again when it ends.
  if (playList_->IsLast() && ((playList_->Options() & ploRepeat) == 0 || playList_->Count() < 2)) return;
  // A video item is never prepared for: the prepared graph would replace the picture early.
  if (graph_ && graph_->HasVideo()) return;
  if (timeCheck) {
    const std::int32_t lead =
        Properties.Crossfading ? Properties.CrossfadeDuration + Properties.CrossfadeAdvance + kPrepareLead : kPrepareLead;
    if (duration_ <= 0 || duration_ - position_ > lead) return;
  }
  Notify(pePrepareNext, nullptr);
}

void TPlayerCore::CheckCrossfade() {
  if (!Properties.Crossfading || transition_ != TXTransitionState::tsNone || !graph_ || !nextGraph_) return;
  std::int64_t remaining;
  if (const std::optional<std::int64_t> buffered = graph_->BufferedAfterEnd()) {
    remaining = *buffered / kUnitsPerMs;
  } else {
    if (duration_ <= 0) return;
    remaining = duration_ - position_;
  }
  if (remaining <= Properties.CrossfadeDuration + Properties.CrossfadeAdvance)
    BeginTransition(static_cast<std::int32_t>(std::max<std::int64_t>(remaining, 0)), false);
}

void TPlayerCore::BeginTransition(std::int32_t length, bool smooth) {
  const TXGraphRef<TPlaybackGraph> next = nextGraph_;
  if (!next) return;
  next->Prepare();
  if (nextGraph_.Get() != next.Get()) return;
  fadeDuration_ = length;
  transition_ = smooth ? TXTransitionState::tsSmoothWait : TXTransitionState::tsCrossfadeWait;
  // A graph still building starts the transition when its build event arrives.
  if (next->State() != gsBuilding) StartTransition();
}

bool TPlayerCore::CanTransition(bool smooth) {
  if (!nextGraph_ || nextGraph_->State() != gsBuilt) return false;
  if (smooth) return true;
  return graph_ && graph_->State() == gsBuilt && (graph_->HasAudio() || nextGraph_->HasAudio()) &&
         !(graph_->HasVideo() && nextGraph_->HasVideo());
}

void TPlayerCore::StartTransition() {
  const bool smooth = transition_ == TXTransitionState::tsSmoothWait;
  if (!CanTransition(smooth) || !graph_) return;
  const TXGraphRef<TPlaybackGraph> current = graph_;
  if (!CanTransition(false)) {
    // Two videos, or a current graph that is not built: the next item takes over without a fade.
    GraphCompleted(*current);
    return;
  }
  const TXGraphRef<TPlaybackGraph> next = nextGraph_;
  try {
    next->SetAttenuation(100);
    if (state_ == TXPlayerState::psPlaying) next->Play();
    transition_ = TXTransitionState::tsFading;
    Notify(peTransitionStarted, next.Get());
    if (fadeDuration_ <= kShortestFade) {
      SetFadeLevels(kShortestFade, kShortestFade);
      FinishTransition();
      return;
    }
    const std::int64_t nextDuration = next->Duration() / kUnitsPerMs;
    if (nextDuration > 0 && nextDuration < fadeDuration_) fadeDuration_ = static_cast<std::int32_t>(nextDuration);
    fadeClock_ = 0;
    if (state_ == TXPlayerState::psPlaying) StartFadeTimer();
  } catch (const EAbort&) {
    throw;
  } catch (const std::exception& error) {
    transition_ = TXTransitionState::tsNone;
    next->ReportError(error);
    // A smooth change still goes to the item the user chose; at an item's end the current item plays out.
    if (smooth) {
      GraphCompleted(*current);
    } else {
      nextRefused_ = true;
      GraphCompleted(*next);
    }
  }
}

void TPlayerCore::StartFadeTimer() {
  lastFadeTick_ = TickCount();
  KillTimer(kFadeTimer);
  SetTimer(kFadeTimer, kFadeTimerPeriod);
}

void TPlayerCore::FadeTick() {
  if (!graph_ || transition_ != TXTransitionState::tsFading) return;
  if (!nextGraph_) {
    FinishTransition();
    return;
  }
  const std::int64_t now = TickCount();
  fadeClock_ += now - lastFadeTick_;
  lastFadeTick_ = now;
  const std::int64_t byPosition = nextGraph_->Position() / kUnitsPerMs - Properties.MinPosition;
  const std::int64_t byClock = fadeClock_ - Properties.MinPosition - kFadeClockSlack;
  const std::int64_t elapsed = std::max(byPosition, byClock);
  if (elapsed >= fadeDuration_)
    FinishTransition();
  else
    SetFadeLevels(static_cast<std::int32_t>(elapsed), fadeDuration_);
}

void TPlayerCore::SetFadeLevels(std::int32_t elapsed, std::int32_t duration) {
  const int progress = duration > 0 ? static_cast<int>(std::int64_t{std::max(elapsed, 0)} * 100 / duration) : 100;
  // The outgoing item only ever fades out.
  if (progress > graph_->Attenuation()) graph_->SetAttenuation(progress);
  if (nextGraph_) nextGraph_->SetAttenuation(100 - std::min(progress + kFadeInHeadStart, 100));
}

// The incoming item takes over at once: what is left of the outgoing one was faded out, and left current it could
// start another transition (its own late complete-advance notice would silence the item it faded into).
void TPlayerCore::FinishTransition() {
  if (transition_ != TXTransitionState::tsFading) return;
  KillTimer(kFadeTimer);
  transition_ = TXTransitionState::tsNone;
  fadeDuration_ = 0;
  if (graph_) CompleteCurrent();
}

void TPlayerCore::DropNextGraph() {
  DropGraph(nextGraph_);
  if (transition_ == TXTransitionState::tsNone) return;
  KillTimer(kFadeTimer);
  transition_ = TXTransitionState::tsNone;
  fadeDuration_ = 0;
  if (graph_) graph_->SetAttenuation(0);
}

}  // namespace nv
