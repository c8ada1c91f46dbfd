#pragma once
// What a control's skin elements have to say reaches the control as its own messages, at once: the element-changed
// notice (it resizes and repaints) and the resolved colour (it may substitute another).
#include "skins/SkinElement.h"
#include "skins/win/SkinMessages.h"
#include "support/ui/win/Control.h"

namespace nv {

class SkinNotices final : public SkinElementOwner {
public:
  explicit SkinNotices(Control& control) : control_(control) {}
  void SkinElementChanged(TCustomSkinElement& element) override {
    control_.Perform(WM_SKINELEMENTCHANGED, 0, reinterpret_cast<LPARAM>(&element));
  }
  void SkinColourResolved(SkinColour& colour, TCustomSkinElement& element) override {
    control_.Perform(WM_SKINCOLORRESOLVED, reinterpret_cast<WPARAM>(&colour), reinterpret_cast<LPARAM>(&element));
  }

private:
  Control& control_;
};

}  // namespace nv
