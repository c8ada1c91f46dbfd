#pragma once
// The skinned slider: a slider, a scroll bar or an up-down control, across or upright, drawn from a track image
// (whose sub-image can follow the position), a thumb and two end buttons. The thumb drags; an end button steps once
// when pressed and again while held (after 500 ms, then every 50 ms); a click on a scroll bar's track pages towards
// the pointer the same way, a click on a slider's track jumps there. The values and geometry are SliderMaths.h's.
//
//   TSkinSlider volume(panel, Rect::FromSize(60, 41, 68, 14));
//   volume.Image.SetSlice(*FindSkinSlice("Volume.Track"));
//   volume.ThumbGlyph.SetSkinSlice(*FindSkinSlice("Volume.Thumb"));
//   volume.Image.SetSkin(&skin);  volume.ThumbGlyph.SetSkin(&skin);
//   volume.SetMax(100);
//   volume.OnChange = [&](TCustomSkinSlider& s) { player.SetVolume(s.Position()); };
#include <windows.h>

#include <cstdint>
#include <functional>

#include "skins/SkinElement.h"
#include "skins/SliderMaths.h"
#include "skins/win/SkinControl.h"

namespace nv {

// The thumb's and the end buttons' element: the sub-image shown normally and while held, each -1..1.
class TSliderButtonGlyph : public TSkinElement {
public:
  explicit TSliderButtonGlyph(SkinElementOwner* owner);
  int IndexUp() const { return up_; }
  int IndexDown() const { return down_; }
  void SetIndexUp(int index);
  void SetIndexDown(int index);
  void SetSkinSlice(const SkinSlice& slice);

private:
  int up_ = 0, down_ = 1;
};

class TCustomSkinSlider : public TSkinControl {
public:
  TCustomSkinSlider(WinControl& parent, const Rect& bounds);

  TSkinElement Image{Notices()};
  TSliderButtonGlyph ThumbGlyph{Notices()}, UpButtonGlyph{Notices()}, DownButtonGlyph{Notices()};

  SliderStyle Style() const { return style_; }
  void SetStyle(SliderStyle style);
  SliderOrientation Orientation() const { return orientation_; }
  void SetOrientation(SliderOrientation orientation);
  // Which end buttons show (an up-down control shows both).
  bool UpButtonShown() const { return upShown_; }
  bool DownButtonShown() const { return downShown_; }
  void SetButtons(bool up, bool down);
  int SpaceStart() const { return spaceStart_; }
  int SpaceEnd() const { return spaceEnd_; }
  void SetSpaces(int start, int end);
  // The track stretches along the axis, its ends kept by these insets.
  bool Sizeable() const { return sizeable_; }
  void SetSizeable(bool sizeable);
  int BorderStart = 0, BorderEnd = 0;

  int Max() const { return values_.Max(); }
  int Position() const { return values_.Position(); }
  int Step() const { return values_.Step(); }
  int Page() const { return values_.Page(); }
  void SetMax(int max);
  // Snapped to the step and limited to 0..Max; repaints on a change, fires no event.
  void SetPosition(int position);
  void SetStep(int step);
  void SetPage(int page);
  // OnChange fires while the thumb is dragged, not only when it is let go.
  bool TrackChanging = false;

  std::function<void(TCustomSkinSlider&)> OnChangeStart, OnChange, OnChangeEnd;

  bool Dragging() const { return dragging_; }
  SliderGeometry Geometry() const;
  void Paint(HDC dc) override;

protected:
  virtual void DoChangeStart();
  virtual void DoChange();
  virtual void DoChangeEnd();

  void AdjustBounds(Rect& bounds) override;
  void BoundsChanged() override;
  void MouseDown(const MouseEvent& event) override;
  void MouseMove(Point at, WPARAM keys) override;
  void MouseUp(const MouseEvent& event) override;
  void CaptureLost() override;
  void TimerTick() override;

private:
  enum class Held : std::uint8_t { None, Up, Down };
  void Resize();
  void FitSpaces();
  // Sets the position from the pointer, the event when it changed and `fire`.
  bool MoveTo(int position, bool fire);
  // One step of the held button or the page target; false when it reached its end.
  bool RepeatStep();
  void StartRepeat(unsigned periodMs);
  void EndHold();
  void DrawPart(HDC dc, const TSliderButtonGlyph& glyph, const Rect& place, bool held);

  SliderValues values_;
  SliderStyle style_ = SliderStyle::ssSlider;
  SliderOrientation orientation_ = SliderOrientation::soHorizontal;
  bool upShown_ = false, downShown_ = false, sizeable_ = false;
  int spaceStart_ = 0, spaceEnd_ = 0;
  bool dragging_ = false;
  Held held_ = Held::None;
  bool heldPressed_ = false;  // the held button looks pressed (the pointer is over it)
  int pageTarget_ = -1;
};

class TSkinSlider : public TCustomSkinSlider {
public:
  using TCustomSkinSlider::TCustomSkinSlider;
};

}  // namespace nv
