#pragma once
// A label's text that scrolls through the label when it is wider than the label: the offset starts a sixth of the
// label's width before the text, moves 3 pixels per tick (100 ms), and once the text has left on the left it
// starts again a third of the width in. While the end of the text is left of two thirds of the label, a second copy
// follows a third of the width behind it, so the text runs round without a gap.
#include <optional>

namespace nv {

inline constexpr int kMarqueeStep = 3;
inline constexpr unsigned kMarqueeIntervalMs = 100;

class Marquee {
public:
  // The text's and the label's widths after measuring: starts or stops the scrolling; true while it scrolls.
  bool Update(int textWidth, int labelWidth);
  bool Running() const { return running_; }
  // One tick.
  void Advance();
  int Offset() const { return offset_; }

  struct Copies {
    int first = 0;              // where the text starts, in the label
    std::optional<int> second;  // where its second copy starts, when one shows
  };
  Copies Positions() const;

private:
  bool running_ = false;
  int offset_ = 0, textWidth_ = 0, labelWidth_ = 0;
};

}  // namespace nv
