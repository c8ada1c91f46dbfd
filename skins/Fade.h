#pragma once
// Opacity and fades of skinned windows, as numbers: a window's transparency is its opacity in percent (0 to 100;
// 100 is an ordinary, not layered, window), applied to the system as an alpha of 0 to 255. A fade moves the opacity
// between 0 and the window's transparency over a duration, on a timer; the Windows layer applies what it says
// (skins/win/SkinForm.h).
#include <cstdint>

namespace nv {

int ClampTransparency(int percent);           // 0..100
int AlphaOfPercent(int percent);               // percent x 255 div 100
int PercentOfAlpha(int alpha);                 // alpha x 100 div 255

enum class FadeDirection : std::uint8_t { None, In, Out };

// One fade's progress. Its level runs from 0 to the transparency T: the opacity is the level while fading in and
// T - level while fading out. A fade that starts while another runs turns from the opacity already reached, so the
// window never jumps: it takes the share of the duration that the rest of the way needs.
class FadeProgress {
public:
  // Starts fading in or out at tick `now` (milliseconds) over `durationMs` for the whole way; returns the opacity to
  // apply now. A duration or a transparency of 0 or less ends the fade at once (the first Tick says done).
  int Start(bool in, std::uint32_t now, int durationMs, int transparency);
  struct Step {
    int opacity = 0;
    bool done = false;  // the level reached T: the fade is over
  };
  // The fade at tick `now` (the tick count may wrap).
  Step Tick(std::uint32_t now);
  void Stop() { direction_ = FadeDirection::None; }

  FadeDirection Direction() const { return direction_; }
  bool Running() const { return direction_ != FadeDirection::None; }
  int Level() const { return level_; }
  int Opacity() const;
  // How long the rest of the way takes, from the start: the full duration for a fade from the end, a share of it
  // for one that turned midway.
  int RemainingDurationMs() const;

private:
  FadeDirection direction_ = FadeDirection::None;
  std::uint32_t start_ = 0;
  int duration_ = 0, transparency_ = 100, startLevel_ = 0, level_ = 0;
};

}  // namespace nv
