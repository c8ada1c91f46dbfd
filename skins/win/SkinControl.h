#pragma once
// TSkinControl: the base of the windowless controls drawn from the skin (buttons, image arrays, sliders, the player
// controls). Its elements tell it of a new skin at once; it then follows its sizing element's size (when it has one)
// and repaints. Timers, repaints and deferred calls come from the utility window (Control).
//
//   class Lamp final : public TSkinControl {
//   public:
//     Lamp(WinControl& parent, TSkin& skin) : TSkinControl(&parent) {
//       Picture.SetSlice(*FindSkinSlice("MonoSter.Mono"));
//       Picture.SetSkin(&skin);
//       SetSizingElement(&Picture);
//     }
//     TSkinElement Picture{Notices()};
//     void Paint(HDC dc) override { DrawElement(dc, Picture, 0, 0, on_ ? 0 : 1); }
//   };
#include "skins/SkinElement.h"
#include "skins/win/SkinNotices.h"
#include "support/ui/win/Control.h"

namespace nv {

class TSkinControl : public Control {
public:
  explicit TSkinControl(WinControl* parent) : Control(parent) {}

  // The element whose ImageWidth and ImageHeight fix the control's size, or none.
  void SetSizingElement(TSkinElement* element);
  TSkinElement* SizingElement() const { return sizing_; }

protected:
  // The owner to give the control's elements.
  SkinElementOwner* Notices() { return &notices_; }
  void AdjustBounds(Rect& bounds) override;
  // An element changed: the size rule runs again (not while loading) and the control repaints.
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  SkinNotices notices_{*this};
  TSkinElement* sizing_ = nullptr;
};

}  // namespace nv
