#include "engine/win/XVisualizer.h"

#include <mmsystem.h>

#include <algorithm>

#include "engine/win/XVisualizerFilter.h"

namespace nv {

// --- TXVisualizerTaps

void TXVisualizerTaps::Add(TXVisualizerFilter* tap) {
  TXBCAutoLock lock(lock_);
  if (std::find(taps_.begin(), taps_.end(), tap) == taps_.end()) taps_.push_back(tap);
}

void TXVisualizerTaps::Remove(TXVisualizerFilter* tap) {
  TXBCAutoLock lock(lock_);
  std::erase(taps_, tap);
}

std::size_t TXVisualizerTaps::Count() {
  TXBCAutoLock lock(lock_);
  return taps_.size();
}

void TXVisualizerTaps::LetAllGo() {
  TXBCAutoLock lock(lock_);
  taps_.clear();
}

// --- TXVisualizer

TXVisualizer::TXVisualizer(VisualizationSink& sink, unsigned frameRate)
    : sink_(sink), frameRate_(std::max(frameRate, 1u)), taps_(std::make_shared<TXVisualizerTaps>()) {}

TXVisualizer::~TXVisualizer() {
  Stop();
  taps_->LetAllGo();
}

void TXVisualizer::Start() {
  Stop();
  timer_ = timeSetEvent(1000 / frameRate_, 100 / frameRate_, &TimerFired, reinterpret_cast<DWORD_PTR>(this),
                        TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
}

void TXVisualizer::Stop() {
  if (!timer_) return;
  timeKillEvent(timer_);  // synchronous: a tick already running finishes first
  timer_ = 0;
}

void CALLBACK TXVisualizer::TimerFired(UINT, UINT, DWORD_PTR visualizer, DWORD_PTR, DWORD_PTR) {
  reinterpret_cast<TXVisualizer*>(visualizer)->Tick();
}

void TXVisualizer::Tick() {
  // Nothing may escape into the timer's thread.
  try {
    const std::uint8_t wanted = sink_.DataWanted();
    if (wanted == 0) return;
    {
      TXBCAutoLock lock(taps_->Lock());
      const std::vector<TXVisualizerFilter*>& taps = taps_->List();
      blocks_.resize(taps.size());
      readings_.assign(taps.size(), TapReading{});
      for (std::size_t i = 0; i < taps.size(); ++i) {
        readings_[i].running = taps[i]->State() == State_Running;
        if (readings_[i].running && taps[i]->CopyCurrentBlock(blocks_[i])) readings_[i].block = &blocks_[i];
      }
      builder_.Update(wanted, readings_);
      delivered_ = builder_.Frame();
    }
    sink_.FrameReady(delivered_);
  } catch (...) {
  }
}

}  // namespace nv
