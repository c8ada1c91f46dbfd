#include "skins/win/SkinControl.h"

#include "skins/win/SkinMessages.h"

namespace nv {

void TSkinControl::SetSizingElement(TSkinElement* element) {
  sizing_ = element;
  if (!Loading()) SetBounds(Bounds());
}

void TSkinControl::AdjustBounds(Rect& bounds) {
  if (!sizing_) return;
  int width = bounds.Width(), height = bounds.Height();
  sizing_->GetFixedSize(width, height);
  bounds = Rect::FromSize(bounds.left, bounds.top, width, height);
}

LRESULT TSkinControl::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_SKINELEMENTCHANGED) return Control::ControlMessage(message, wParam, lParam);
  if (!Loading()) SetBounds(Bounds());
  Invalidate();
  return 0;
}

}  // namespace nv
