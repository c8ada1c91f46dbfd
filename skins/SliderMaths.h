#pragma once
// The arithmetic of skinned sliders, scroll bars and up-down controls: the values and how they snap to the step,
// where the end buttons, the track and the thumb lie, which value a point of the track means, and how a held button
// or a click on the track steps the value. Rounding is to the nearest integer, halves to even.
//
// Along the axis a slider is, from its start (left, or top): the up button, the space at the start, the track the
// thumb travels, the space at the end and the down button. A horizontal slider and a vertical scroll bar count from
// the start; a vertical slider counts from the end (0 at the bottom). The point-to-value conversion is the exact
// inverse of the thumb's placement for every style, so a value put under the pointer reads back as that value.
#include <cstdint>
#include <utility>

#include "support/ui/Geometry.h"

namespace nv {

enum class SliderStyle : std::uint8_t { ssSlider, ssScrollBar, ssUpDown };
enum class SliderOrientation : std::uint8_t { soHorizontal, soVertical };

// `step` × round(value / step); a step below 1 counts as 1.
int SnapToStep(int value, int step);

// Max, Position, Step and Page: every value is a multiple of Step, Position lies in 0..Max, Page in Step..Max.
class SliderValues {
public:
  int Max() const { return max_; }
  int Position() const { return position_; }
  int Step() const { return step_; }
  int Page() const { return page_; }

  // Snapped and limited as above; a Position above the new Max is lowered to it. True when Position changed.
  bool SetMax(int value);
  // True when it changed.
  bool SetPosition(int value);
  // Below 1 becomes 1; Max, Position and Page snap to it again. True when Position changed.
  bool SetStep(int value);
  void SetPage(int value);

private:
  int max_ = 10, position_ = 0, step_ = 1, page_ = 1;
};

// The slider's parts: its size, the glyphs' sizes, which end buttons show and the spaces at both ends.
struct SliderParts {
  SliderOrientation orientation = SliderOrientation::soHorizontal;
  SliderStyle style = SliderStyle::ssSlider;
  Size control;
  Size upGlyph, downGlyph, thumbGlyph;
  bool upShown = false, downShown = false;  // an up-down control shows both whatever is asked
  int spaceStart = 0, spaceEnd = 0;
};

class SliderGeometry {
public:
  explicit SliderGeometry(const SliderParts& parts) : p_(parts) {}

  bool Horizontal() const { return p_.orientation == SliderOrientation::soHorizontal; }
  // Along the axis.
  int Length() const;
  int UpSize() const;
  int DownSize() const;
  // 0 for an up-down control, which has no thumb.
  int ThumbLength() const;
  // What the thumb travels; 0 or less when the parts fill the slider.
  int TrackLength() const;

  // The end buttons, each centred across the axis (empty when not shown).
  Rect UpButton() const;
  Rect DownButton() const;
  // Where the thumb lies for `position` (empty for an up-down control), clipped to the slider.
  Rect Thumb(int position, int max) const;
  // The value a point of the track means (the thumb's middle under the pointer), limited to 0..max; `current`
  // when the track has no length.
  int ValueAt(Point at, int max, int current) const;
  // Whether a point lies on the track between the reserved ends (buttons and spaces).
  bool OnTrack(Point at) const;

private:
  // The thumb's leading edge at value 0, and the way it moves as the value grows (+1 or -1).
  int Origin() const;
  int Direction() const;
  SliderParts p_;
};

// The spaces at both ends, scaled down in proportion when together they are longer than the slider.
std::pair<int, int> FitSpaces(int spaceStart, int spaceEnd, int length);
// The track's sub-image for a position: round((count - 1) × position / m), m the max or 1.
int TrackImageIndex(int imageCount, int position, int max);
// The slider's size from its track image (width and height; 0 when none) and end buttons: an axis that is not
// stretched takes the image's extent, plus both buttons along the axis.
Size SliderSize(Size current, Size trackImage, bool sizeable, SliderOrientation orientation, int upSize,
                int downSize);
// A slider glyph's index, limited to -1..1.
int ClampSliderGlyphIndex(int index);

// One step of a held end button: the value it moves to (up lowers it, down raises it, the other way round on a
// vertical slider), limited to 0..max.
int ButtonStep(int position, int step, int max, bool upButton, SliderOrientation orientation, SliderStyle style);
// One page towards a target, never past it.
int PageStep(int position, int target, int page);

// The repeat of a held button or track: the first step at once, the next after 500 ms, then every 50 ms.
inline constexpr unsigned kSliderFirstRepeatMs = 500;
inline constexpr unsigned kSliderRepeatMs = 50;

}  // namespace nv
