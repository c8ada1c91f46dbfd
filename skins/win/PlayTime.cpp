#include "skins/win/PlayTime.h"

#include "skins/win/SkinDrawing.h"

namespace nv {

TPlayTime::TPlayTime(WinControl& parent, const Rect& bounds) : TXPlayerControl(&parent) {
  Digits.SetImageCount(11);
  Digits.SetImageSize(9, 13);
  StateIcons.SetImageCount(3);
  StateIcons.SetImageSize(9, 9);
  PosIcons.SetImageCount(2);
  PosIcons.SetImageSize(3, 9);
  SetSizingElement(&Image);
  SetBounds(bounds);
}

void TPlayTime::SetPlayStateWidth(int width) {
  playStateWidth_ = width;
  if (!Loading()) SetBounds(Bounds());
  Invalidate();
}

void TPlayTime::SetBorders(const Insets& borders) {
  borders_ = borders;
  Invalidate();
}

void TPlayTime::SetDigitSpacing(const std::array<int, 4>& spacing) {
  spacing_ = spacing;
  Invalidate();
}

void TPlayTime::SetStyle(TPlayTimeStyle style) {
  style_ = style;
  Invalidate();
}

PlayTimeMeasures TPlayTime::Measures() const { return {Digits.ImageWidth(), spacing_, borders_}; }

void TPlayTime::AdjustBounds(Rect& bounds) {
  int width = bounds.Width(), height = bounds.Height();
  Image.GetFixedSize(width, height);
  if (playStateWidth_ > 0 && !StateIcons.IsEmpty()) width += playStateWidth_;
  bounds = Rect::FromSize(bounds.left, bounds.top, width, height);
}

void TPlayTime::PlayerEvent(TXPlayer& player, TPlayerEventType, void*) {
  const TXPlayerState state = player.State();
  if (!seenState_ || state != state_) {
    seenState_ = true;
    state_ = state;
    shown_ = state == TXPlayerState::psPlaying;
    SetTimerInterval(state == TXPlayerState::psPaused ? kPlayTimeBlinkMs : 0);
  }
  if (state != TXPlayerState::psStopped) {
    position_ = player.Position() / 1000;
    duration_ = player.Duration() / 1000;
  }
  nextPrepared_ = player.NextGraph() != nullptr;
  Invalidate();
}

void TPlayTime::TimerTick() {
  shown_ = !shown_;
  Invalidate();
}

bool TPlayTime::DigitsShown() const { return DigitsShow(shown_, style_, position_, duration_); }

std::array<int, 4> TPlayTime::ShownDigits() const {
  return PlayTimeDigitsOf(ShownSeconds(style_, position_, duration_));
}

void TPlayTime::Paint(HDC dc) {
  const PlayTimeMeasures m = Measures();
  const Rect client = ClientRect();
  DrawElementStretched(dc, Image, client, WellInsets(m), 0);
  if (playStateWidth_ > 0 && !StateIcons.IsEmpty()) {
    const int stateIndex = state_ == TXPlayerState::psPlaying ? 0 : state_ == TXPlayerState::psPaused ? 1 : 2;
    DrawElement(dc, StateIcons, StateIconLeft(m), CentredTop(m, client.Height(), StateIcons.ImageHeight()),
                stateIndex);
    if (state_ == TXPlayerState::psPlaying)
      DrawElement(dc, PosIcons, PositionIconLeft(m), CentredTop(m, client.Height(), PosIcons.ImageHeight()),
                  nextPrepared_ ? 1 : 0);
  }
  if (!DigitsShown()) return;
  const std::array<int, 4> digits = ShownDigits();
  const std::array<int, 4> lefts = DigitLefts(m, client.Width());
  const int top = CentredTop(m, client.Height(), Digits.ImageHeight());
  for (int i = 0; i < 4; ++i) DrawElement(dc, Digits, lefts[i], top, digits[i]);
}

}  // namespace nv
