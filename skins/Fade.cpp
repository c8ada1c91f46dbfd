#include "skins/Fade.h"

#include <algorithm>

namespace nv {

int ClampTransparency(int percent) { return std::clamp(percent, 0, 100); }
int AlphaOfPercent(int percent) { return ClampTransparency(percent) * 255 / 100; }
int PercentOfAlpha(int alpha) { return std::clamp(alpha, 0, 255) * 100 / 255; }

int FadeProgress::Opacity() const { return direction_ == FadeDirection::Out ? transparency_ - level_ : level_; }

int FadeProgress::Start(bool in, std::uint32_t now, int durationMs, int transparency) {
  transparency = ClampTransparency(transparency);
  // Turning midway keeps the opacity reached; from rest the fade starts at its beginning.
  int level = 0;
  if (Running()) {
    const int opacity = std::clamp(Opacity(), 0, transparency);
    level = in ? opacity : transparency - opacity;
  }
  direction_ = in ? FadeDirection::In : FadeDirection::Out;
  start_ = now;
  duration_ = durationMs;
  transparency_ = transparency;
  startLevel_ = level_ = level;
  return Opacity();
}

FadeProgress::Step FadeProgress::Tick(std::uint32_t now) {
  if (!Running()) return {Opacity(), true};
  if (duration_ <= 0 || transparency_ <= 0) {
    level_ = transparency_;
  } else {
    const std::uint64_t elapsed = static_cast<std::uint32_t>(now - start_);
    const std::uint64_t gained = elapsed * static_cast<std::uint64_t>(transparency_) / static_cast<std::uint64_t>(duration_);
    level_ = static_cast<int>(std::min<std::uint64_t>(startLevel_ + gained, static_cast<std::uint64_t>(transparency_)));
  }
  return {Opacity(), level_ >= transparency_};
}

int FadeProgress::RemainingDurationMs() const {
  if (transparency_ <= 0 || duration_ <= 0) return 0;
  return static_cast<int>(static_cast<std::int64_t>(duration_) * (transparency_ - startLevel_) / transparency_);
}

}  // namespace nv
