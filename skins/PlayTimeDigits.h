#pragma once
// What the play-time display shows and where: four digits (minutes and seconds, or from an hour on hours and
// minutes), the seconds they stand for (elapsed, or remaining), whether they show at all, and where the digits, the
// state icons and the stretched well lie in the control.
#include <array>
#include <cstdint>

#include "support/ui/Geometry.h"

namespace nv {

enum class TPlayTimeStyle : std::uint8_t { tsElapsed, tsRemaining };

// The seconds shown: what remains of a known duration (never below 0) for tsRemaining, else the position.
int ShownSeconds(TPlayTimeStyle style, int positionSeconds, int durationSeconds);
// Whether digits show: while they are not blinked away and there is something to show (the elapsed style always).
bool DigitsShow(bool shown, TPlayTimeStyle style, int positionSeconds, int durationSeconds);
// The four digits (tens and units of each pair): minutes and seconds below an hour, hours and minutes from an hour
// on; 100 hours or more show 99:59, the most four digits hold.
std::array<int, 4> PlayTimeDigitsOf(int seconds);

// The display's measures: the width of one digit, the spacing after each of the first three digits and after the
// fourth (DigitSpacing_1 .. DigitSpacing_4), and the borders.
struct PlayTimeMeasures {
  int digitWidth = 0;
  std::array<int, 4> spacing{};
  Insets borders;
};
// The width of the four digits and their spacings.
int DigitBlockWidth(const PlayTimeMeasures& m);
// Where each digit starts in a control `width` wide: the block ends at the right border.
std::array<int, 4> DigitLefts(const PlayTimeMeasures& m, int width);
// The insets the well is stretched by: its left part up to the first digit, its right part under the digits.
Insets WellInsets(const PlayTimeMeasures& m);
// The top of an icon or a digit `itemHeight` high, centred between the borders of a control `height` high.
int CentredTop(const PlayTimeMeasures& m, int height, int itemHeight);

// Where the state icon and the position icon start.
inline int StateIconLeft(const PlayTimeMeasures& m) { return m.borders.left + 5; }
inline int PositionIconLeft(const PlayTimeMeasures& m) { return m.borders.left + 3; }

// The pause blinks the digits once a second.
inline constexpr unsigned kPlayTimeBlinkMs = 1000;

}  // namespace nv
