#include "skins/Marquee.h"

namespace nv {

bool Marquee::Update(int textWidth, int labelWidth) {
  textWidth_ = textWidth;
  labelWidth_ = labelWidth;
  const bool scrolls = labelWidth > 0 && textWidth > labelWidth;
  if (scrolls && !running_) offset_ = -(labelWidth / 6);
  if (!scrolls) offset_ = 0;
  running_ = scrolls;
  return running_;
}

void Marquee::Advance() {
  if (!running_) return;
  offset_ += kMarqueeStep;
  if (offset_ > textWidth_) offset_ = -(labelWidth_ / 3);
}

Marquee::Copies Marquee::Positions() const {
  Copies copies{-offset_, std::nullopt};
  if (!running_) return copies;
  const int end = copies.first + textWidth_;
  if (end < labelWidth_ * 2 / 3) copies.second = end + labelWidth_ / 3;
  return copies;
}

}  // namespace nv
