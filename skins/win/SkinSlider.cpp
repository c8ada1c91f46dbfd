#include "skins/win/SkinSlider.h"

#include <algorithm>
#include <tuple>

#include "skins/win/SkinDrawing.h"
#include "support/ui/win/GdiObjects.h"
#include "support/ui/win/WinRect.h"

namespace nv {

// --- Glyph ---

TSliderButtonGlyph::TSliderButtonGlyph(SkinElementOwner* owner) : TSkinElement(owner) { SetImageSize(10, 10); }

void TSliderButtonGlyph::SetIndexUp(int index) {
  up_ = ClampSliderGlyphIndex(index);
  Changed();
}

void TSliderButtonGlyph::SetIndexDown(int index) {
  down_ = ClampSliderGlyphIndex(index);
  Changed();
}

void TSliderButtonGlyph::SetSkinSlice(const SkinSlice& slice) {
  const SkinGlyphIndices cells = GlyphIndicesOf(slice);
  up_ = ClampSliderGlyphIndex(cells.Up);
  down_ = ClampSliderGlyphIndex(cells.Down >= 0 ? cells.Down : cells.Up);
  SetSlice(slice);
}

// --- Slider ---

TCustomSkinSlider::TCustomSkinSlider(WinControl& parent, const Rect& bounds) : TSkinControl(&parent) {
  SetBounds(bounds);
}

SliderGeometry TCustomSkinSlider::Geometry() const {
  SliderParts parts;
  parts.orientation = orientation_;
  parts.style = style_;
  parts.control = ClientRect().Extent();
  parts.upGlyph = {UpButtonGlyph.ImageWidth(), UpButtonGlyph.ImageHeight()};
  parts.downGlyph = {DownButtonGlyph.ImageWidth(), DownButtonGlyph.ImageHeight()};
  parts.thumbGlyph = {ThumbGlyph.ImageWidth(), ThumbGlyph.ImageHeight()};
  parts.upShown = upShown_;
  parts.downShown = downShown_;
  parts.spaceStart = spaceStart_;
  parts.spaceEnd = spaceEnd_;
  return SliderGeometry(parts);
}

void TCustomSkinSlider::Resize() {
  if (!Loading()) SetBounds(Bounds());
  Invalidate();
}

void TCustomSkinSlider::SetStyle(SliderStyle style) {
  style_ = style;
  Resize();
}

void TCustomSkinSlider::SetOrientation(SliderOrientation orientation) {
  orientation_ = orientation;
  Resize();
}

void TCustomSkinSlider::SetButtons(bool up, bool down) {
  upShown_ = up;
  downShown_ = down;
  Resize();
}

void TCustomSkinSlider::SetSizeable(bool sizeable) {
  sizeable_ = sizeable;
  Resize();
}

void TCustomSkinSlider::SetSpaces(int start, int end) {
  spaceStart_ = start;
  spaceEnd_ = end;
  FitSpaces();
  Invalidate();
}

void TCustomSkinSlider::FitSpaces() {
  const SliderGeometry g = Geometry();
  std::tie(spaceStart_, spaceEnd_) = nv::FitSpaces(spaceStart_, spaceEnd_, g.Length());
}

void TCustomSkinSlider::SetMax(int max) {
  values_.SetMax(max);
  Invalidate();
}

void TCustomSkinSlider::SetPosition(int position) {
  if (values_.SetPosition(position)) Invalidate();
}

void TCustomSkinSlider::SetStep(int step) {
  values_.SetStep(step);
  Invalidate();
}

void TCustomSkinSlider::SetPage(int page) { values_.SetPage(page); }

void TCustomSkinSlider::DoChangeStart() {
  if (OnChangeStart) OnChangeStart(*this);
}

void TCustomSkinSlider::DoChange() {
  if (OnChange) OnChange(*this);
}

void TCustomSkinSlider::DoChangeEnd() {
  if (OnChangeEnd) OnChangeEnd(*this);
}

void TCustomSkinSlider::AdjustBounds(Rect& bounds) {
  const SliderGeometry g = Geometry();
  const Size track = Image.IsEmpty() ? Size{} : Size{Image.ImageWidth(), Image.ImageHeight()};
  const Size size = SliderSize(bounds.Extent(), track, sizeable_, orientation_, g.UpSize(), g.DownSize());
  bounds = Rect::FromSize(bounds.left, bounds.top, size.width, size.height);
}

void TCustomSkinSlider::BoundsChanged() { FitSpaces(); }

// --- Painting ---

void TCustomSkinSlider::DrawPart(HDC dc, const TSliderButtonGlyph& glyph, const Rect& place, bool held) {
  if (place.IsEmpty()) return;
  const int index = held ? glyph.IndexDown() : glyph.IndexUp();
  if (!glyph.IsImageMissing(index, false)) {
    DrawElement(dc, glyph, place.left, place.top, index);
    return;
  }
  // No image for the part: a plain face with a frame.
  const RECT r = ToRECT(place);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void TCustomSkinSlider::Paint(HDC dc) {
  const SliderGeometry g = Geometry();
  const Rect client = ClientRect();
  const int up = g.UpSize(), down = g.DownSize();
  if (!Image.IsEmpty()) {
    const int index = TrackImageIndex(Image.ImageCount(), Position(), Max());
    if (sizeable_) {
      const Rect between = g.Horizontal() ? Rect{up, 0, client.right - down, client.bottom}
                                          : Rect{0, up, client.right, client.bottom - down};
      const Insets insets =
          g.Horizontal() ? Insets{BorderStart, 0, BorderEnd, 0} : Insets{0, BorderStart, 0, BorderEnd};
      DrawElementStretched(dc, Image, between, insets, index);
    } else {
      DrawElement(dc, Image, g.Horizontal() ? up : 0, g.Horizontal() ? 0 : up, index);
    }
  }
  DrawPart(dc, UpButtonGlyph, g.UpButton(), held_ == Held::Up && heldPressed_);
  DrawPart(dc, DownButtonGlyph, g.DownButton(), held_ == Held::Down && heldPressed_);
  if (style_ != SliderStyle::ssUpDown) DrawPart(dc, ThumbGlyph, g.Thumb(Position(), Max()), dragging_);
}

// --- Mouse and repeat ---

bool TCustomSkinSlider::MoveTo(int position, bool fire) {
  if (!values_.SetPosition(position)) return false;
  Invalidate();
  if (fire) DoChange();
  return true;
}

void TCustomSkinSlider::StartRepeat(unsigned periodMs) {
  if (TimerInterval() != periodMs) SetTimerInterval(periodMs);
}

void TCustomSkinSlider::MouseDown(const MouseEvent& event) {
  TSkinControl::MouseDown(event);
  if (event.button != MouseButton::Left || !Enabled()) return;
  const SliderGeometry g = Geometry();
  if (style_ != SliderStyle::ssUpDown && g.Thumb(Position(), Max()).Contains(event.at)) {
    dragging_ = true;
    DoChangeStart();
    Invalidate();
    return;
  }
  const bool onUp = g.UpButton().Contains(event.at), onDown = g.DownButton().Contains(event.at);
  if (onUp || onDown) {
    held_ = onUp ? Held::Up : Held::Down;
    heldPressed_ = true;
    Invalidate();
    if (RepeatStep()) StartRepeat(kSliderFirstRepeatMs);
    return;
  }
  if (!g.OnTrack(event.at)) return;
  const int value = g.ValueAt(event.at, Max(), Position());
  switch (style_) {
    case SliderStyle::ssSlider:
      MoveTo(value, true);
      break;
    case SliderStyle::ssScrollBar:
      pageTarget_ = std::clamp(SnapToStep(value, Step()), 0, Max());
      if (RepeatStep()) StartRepeat(kSliderFirstRepeatMs);
      break;
    case SliderStyle::ssUpDown:
      break;
  }
}

void TCustomSkinSlider::MouseMove(Point at, WPARAM keys) {
  TSkinControl::MouseMove(at, keys);
  const SliderGeometry g = Geometry();
  if (dragging_) {
    MoveTo(g.ValueAt(at, Max(), Position()), TrackChanging);
  } else if (held_ != Held::None) {
    const bool over = (held_ == Held::Up ? g.UpButton() : g.DownButton()).Contains(at);
    if (over != heldPressed_) {
      heldPressed_ = over;
      Invalidate();
    }
    // Back over its button the repeat goes on (at once at its fast pace); away from it, it waits.
    if (!over) SetTimerInterval(0);
    else if (TimerInterval() == 0) StartRepeat(kSliderRepeatMs);
  } else if (pageTarget_ >= 0) {
    if (ClientRect().Contains(at) && g.OnTrack(at)) {
      pageTarget_ = std::clamp(SnapToStep(g.ValueAt(at, Max(), Position()), Step()), 0, Max());
      if (TimerInterval() == 0) StartRepeat(kSliderRepeatMs);
    } else {
      SetTimerInterval(0);
    }
  }
}

void TCustomSkinSlider::EndHold() {
  SetTimerInterval(0);
  if (held_ != Held::None || heldPressed_) Invalidate();
  held_ = Held::None;
  heldPressed_ = false;
  pageTarget_ = -1;
}

void TCustomSkinSlider::MouseUp(const MouseEvent& event) {
  if (event.button == MouseButton::Left) {
    if (dragging_) {
      dragging_ = false;
      Invalidate();
      DoChangeEnd();
      DoChange();
    }
    EndHold();
  }
  TSkinControl::MouseUp(event);
}

void TCustomSkinSlider::CaptureLost() {
  if (dragging_) {
    dragging_ = false;
    Invalidate();
    DoChangeEnd();
  }
  EndHold();
}

bool TCustomSkinSlider::RepeatStep() {
  if (held_ != Held::None) {
    return MoveTo(ButtonStep(Position(), Step(), Max(), held_ == Held::Up, orientation_, style_), true);
  }
  if (pageTarget_ >= 0) {
    MoveTo(PageStep(Position(), pageTarget_, Page()), true);
    return Position() != pageTarget_;
  }
  return false;
}

void TCustomSkinSlider::TimerTick() {
  if (RepeatStep())
    StartRepeat(kSliderRepeatMs);
  else
    SetTimerInterval(0);
}

}  // namespace nv
