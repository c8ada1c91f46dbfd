#include "skins/PlayTimeDigits.h"

#include <algorithm>

namespace nv {

int ShownSeconds(TPlayTimeStyle style, int positionSeconds, int durationSeconds) {
  if (style == TPlayTimeStyle::tsRemaining && durationSeconds > 0)
    return std::max(durationSeconds - positionSeconds, 0);
  return std::max(positionSeconds, 0);
}

bool DigitsShow(bool shown, TPlayTimeStyle style, int positionSeconds, int durationSeconds) {
  return shown && (style == TPlayTimeStyle::tsElapsed || positionSeconds > 0 || durationSeconds > 0);
}

std::array<int, 4> PlayTimeDigitsOf(int seconds) {
  seconds = std::max(seconds, 0);
  int high, low;
  if (seconds >= 3600) {
    high = seconds / 3600;
    low = seconds % 3600 / 60;
    if (high > 99) high = 99, low = 59;
  } else {
    high = seconds / 60;
    low = seconds % 60;
  }
  return {high / 10, high % 10, low / 10, low % 10};
}

int DigitBlockWidth(const PlayTimeMeasures& m) {
  return 4 * m.digitWidth + m.spacing[0] + m.spacing[1] + m.spacing[2] + m.spacing[3];
}

std::array<int, 4> DigitLefts(const PlayTimeMeasures& m, int width) {
  std::array<int, 4> lefts{};
  lefts[0] = width - DigitBlockWidth(m) - m.borders.right;
  for (int i = 1; i < 4; ++i) lefts[i] = lefts[i - 1] + m.digitWidth + m.spacing[i - 1];
  return lefts;
}

Insets WellInsets(const PlayTimeMeasures& m) {
  return {m.borders.left + m.digitWidth, m.borders.top, DigitBlockWidth(m) + m.borders.right - 2 * m.digitWidth,
          m.borders.bottom};
}

int CentredTop(const PlayTimeMeasures& m, int height, int itemHeight) {
  return m.borders.top + (height - m.borders.top - m.borders.bottom - itemHeight) / 2;
}

}  // namespace nv
