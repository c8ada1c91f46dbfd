#include "skins/SliderMaths.h"

#include <algorithm>
#include <cmath>

#include "support/Rounding.h"

namespace nv {

int SnapToStep(int value, int step) {
  step = std::max(step, 1);
  return step * RoundToInt(static_cast<double>(value) / step);
}

// --- Values ---

bool SliderValues::SetMax(int value) {
  max_ = std::max(SnapToStep(value, step_), 0);
  if (position_ <= max_) return false;
  position_ = max_;
  return true;
}

bool SliderValues::SetPosition(int value) {
  const int snapped = std::clamp(SnapToStep(value, step_), 0, max_);
  if (snapped == position_) return false;
  position_ = snapped;
  return true;
}

bool SliderValues::SetStep(int value) {
  step_ = std::max(value, 1);
  const int before = position_;
  SetMax(max_);
  SetPosition(position_);
  SetPage(page_);
  return position_ != before;
}

void SliderValues::SetPage(int value) {
  const int snapped = SnapToStep(value, step_);
  page_ = snapped < step_ ? step_ : std::min(snapped, std::max(max_, step_));
}

// --- Geometry ---

int SliderGeometry::Length() const { return Horizontal() ? p_.control.width : p_.control.height; }

int SliderGeometry::UpSize() const {
  if (!p_.upShown && p_.style != SliderStyle::ssUpDown) return 0;
  return Horizontal() ? p_.upGlyph.width : p_.upGlyph.height;
}

int SliderGeometry::DownSize() const {
  if (!p_.downShown && p_.style != SliderStyle::ssUpDown) return 0;
  return Horizontal() ? p_.downGlyph.width : p_.downGlyph.height;
}

int SliderGeometry::ThumbLength() const {
  if (p_.style == SliderStyle::ssUpDown) return 0;
  return Horizontal() ? p_.thumbGlyph.width : p_.thumbGlyph.height;
}

int SliderGeometry::TrackLength() const {
  return Length() - UpSize() - p_.spaceStart - DownSize() - p_.spaceEnd - ThumbLength();
}

Rect SliderGeometry::UpButton() const {
  const int size = UpSize();
  if (size <= 0) return {};
  if (Horizontal()) return Rect::FromSize(0, (p_.control.height - p_.upGlyph.height) / 2, size, p_.upGlyph.height);
  return Rect::FromSize((p_.control.width - p_.upGlyph.width) / 2, 0, p_.upGlyph.width, size);
}

Rect SliderGeometry::DownButton() const {
  const int size = DownSize();
  if (size <= 0) return {};
  if (Horizontal())
    return Rect::FromSize(p_.control.width - size, (p_.control.height - p_.downGlyph.height) / 2, size,
                          p_.downGlyph.height);
  return Rect::FromSize((p_.control.width - p_.downGlyph.width) / 2, p_.control.height - size, p_.downGlyph.width,
                        size);
}

int SliderGeometry::Origin() const {
  if (!Horizontal() && p_.style == SliderStyle::ssSlider)
    return p_.control.height - DownSize() - p_.spaceEnd - ThumbLength();
  return UpSize() + p_.spaceStart;
}

int SliderGeometry::Direction() const {
  return !Horizontal() && p_.style == SliderStyle::ssSlider ? -1 : 1;
}

Rect SliderGeometry::Thumb(int position, int max) const {
  if (p_.style == SliderStyle::ssUpDown) return {};
  const int m = max > 0 ? max : 1;
  const int travel = std::max(TrackLength(), 0);
  const int along = Origin() + Direction() * RoundToInt(static_cast<double>(position) * travel / m);
  const Size& thumb = p_.thumbGlyph;
  Rect r;
  if (Horizontal()) {
    const int bottom = p_.control.height - RoundToInt((p_.control.height - thumb.height) / 2.0);
    r = {along, bottom - thumb.height, along + thumb.width, bottom};
  } else {
    const int right = p_.control.width - RoundToInt((p_.control.width - thumb.width) / 2.0);
    r = {right - thumb.width, along, right, along + thumb.height};
  }
  return r.Intersect(Rect::FromSize(0, 0, p_.control.width, p_.control.height));
}

int SliderGeometry::ValueAt(Point at, int max, int current) const {
  const int travel = TrackLength();
  if (travel <= 0) return current;
  const int pointer = Horizontal() ? at.x : at.y;
  const int offset = Direction() * (pointer - ThumbLength() / 2 - Origin());
  return std::clamp(RoundToInt(static_cast<double>(offset) * max / travel), 0, std::max(max, 0));
}

bool SliderGeometry::OnTrack(Point at) const {
  const int pointer = Horizontal() ? at.x : at.y;
  return pointer > UpSize() + p_.spaceStart && Length() - pointer > DownSize() + p_.spaceEnd;
}

// --- The rest ---

std::pair<int, int> FitSpaces(int spaceStart, int spaceEnd, int length) {
  const long sum = static_cast<long>(spaceStart) + spaceEnd;
  if (sum <= std::max(length, 0) || sum <= 0) return {spaceStart, spaceEnd};
  return {static_cast<int>(static_cast<long>(std::max(length, 0)) * spaceStart / sum),
          static_cast<int>(static_cast<long>(std::max(length, 0)) * spaceEnd / sum)};
}

int TrackImageIndex(int imageCount, int position, int max) {
  if (imageCount <= 1) return 0;
  const int m = max > 0 ? max : 1;
  return std::clamp(RoundToInt(static_cast<double>(imageCount - 1) * position / m), 0, imageCount - 1);
}

Size SliderSize(Size current, Size trackImage, bool sizeable, SliderOrientation orientation, int upSize,
                int downSize) {
  if (trackImage.width <= 0 || trackImage.height <= 0) return current;
  const bool horizontal = orientation == SliderOrientation::soHorizontal;
  Size size = current;
  if (!sizeable || !horizontal) size.width = trackImage.width + (horizontal ? upSize + downSize : 0);
  if (!sizeable || horizontal) size.height = trackImage.height + (horizontal ? 0 : upSize + downSize);
  return size;
}

int ClampSliderGlyphIndex(int index) { return std::clamp(index, -1, 1); }

int ButtonStep(int position, int step, int max, bool upButton, SliderOrientation orientation, SliderStyle style) {
  int direction = upButton ? -1 : 1;
  if (orientation == SliderOrientation::soVertical && style == SliderStyle::ssSlider) direction = -direction;
  return std::clamp(position + direction * std::max(step, 1), 0, std::max(max, 0));
}

int PageStep(int position, int target, int page) {
  page = std::max(page, 1);
  return target > position ? std::min(position + page, target) : std::max(position - page, target);
}

}  // namespace nv
