#pragma once
// TPlayTime: the play-time display. Four digits from the Digits image over the Image well (stretched under them),
// the elapsed or remaining time of the player's current item, blinking once a second while paused; with a state
// column (PlayStateWidth above 0) the playing, paused or stopped icon and, while playing, whether the next item is
// already prepared. What PlayTimeDigits.h computes is drawn here; the player is read on every event.
#include <array>

#include "skins/PlayTimeDigits.h"
#include "skins/win/PlayerControl.h"

namespace nv {

class TPlayTime : public TXPlayerControl {
public:
  TPlayTime(WinControl& parent, const Rect& bounds);

  TSkinElement Image{Notices()};
  TSkinElement Digits{Notices()};      // 11 sub-images: 0..9 and a minus
  TSkinElement StateIcons{Notices()};  // playing, paused, stopped
  TSkinElement PosIcons{Notices()};    // playing, the next item prepared

  int PlayStateWidth() const { return playStateWidth_; }
  void SetPlayStateWidth(int width);
  const Insets& Borders() const { return borders_; }
  void SetBorders(const Insets& borders);
  // DigitSpacing_1 .. DigitSpacing_4.
  const std::array<int, 4>& DigitSpacing() const { return spacing_; }
  void SetDigitSpacing(const std::array<int, 4>& spacing);
  TPlayTimeStyle Style() const { return style_; }
  void SetStyle(TPlayTimeStyle style);

  // What a paint shows now: whether the digits are up (they blink while paused) and which ones.
  bool DigitsShown() const;
  std::array<int, 4> ShownDigits() const;

  void Paint(HDC dc) override;

protected:
  void PlayerEvent(TXPlayer& player, TPlayerEventType event, void* param) override;
  void TimerTick() override;
  void AdjustBounds(Rect& bounds) override;

private:
  PlayTimeMeasures Measures() const;

  int playStateWidth_ = 0;
  Insets borders_;
  std::array<int, 4> spacing_{};
  TPlayTimeStyle style_ = TPlayTimeStyle::tsElapsed;
  // What the last event said, in whole seconds.
  TXPlayerState state_ = TXPlayerState::psStopped;
  int position_ = 0, duration_ = 0;
  bool nextPrepared_ = false;
  bool shown_ = false;
  bool seenState_ = false;
};

}  // namespace nv
