#include "skins/win/SkinButton.h"

#include <algorithm>
#include <utility>

#include "skins/win/SkinDrawing.h"
#include "support/ui/win/GdiObjects.h"
#include "support/ui/win/Menus.h"
#include "support/ui/win/WinControl.h"
#include "support/ui/win/WinRect.h"

namespace nv {

// --- Glyph ---

void TSkinGlyph::SetIndex(GlyphSlot slot, int index) {
  indices_.SetIndex(slot, index);
  Changed();
}

void TSkinGlyph::SetIndices(const GlyphIndices& indices) {
  indices_ = indices;
  Changed();
}

void TSkinGlyph::SetSkinSlice(const SkinSlice& slice) {
  indices_ = GlyphIndices(GlyphIndicesOf(slice));
  SetSlice(slice);
}

Rect AnchoredResize(const Rect& bounds, Size size, const Anchors& anchors) {
  const int left = anchors.right && !anchors.left ? bounds.right - size.width : bounds.left;
  const int top = anchors.bottom && !anchors.top ? bounds.bottom - size.height : bounds.top;
  return Rect::FromSize(left, top, size.width, size.height);
}

// --- Button ---

TSkinButton::TSkinButton(WinControl& parent, const Rect& bounds) : TSkinControl(&parent) {
  Glyph.SetImageCount(2);
  Glyph.SetRowLayout(SliceLayout::Vertical);
  Glyph.SetImageSize(10, 10);
  SetSizingElement(&Glyph);
  SetBounds(bounds);
}

TSkinButton::~TSkinButton() = default;

void TSkinButton::SetFlat(bool flat) {
  flat_ = flat;
  Invalidate();
}

void TSkinButton::SetState(ButtonState state) {
  if (state == state_) return;
  state_ = state;
  Invalidate();
}

void TSkinButton::SetChecked(bool checked) {
  if (groupIndex_ > 0) checked = false;
  if (checked == checked_) return;
  checked_ = checked;
  if (dragging_ || state_ == ButtonState::bsDisabled) return;
  if (checked) {
    SetState(ButtonState::bsExclusive);
  } else if (!StaysDown()) {
    SetState(ButtonState::bsUp);
    Repaint();
  }
}

void TSkinButton::SetGroupIndex(int index) {
  groupIndex_ = std::max(index, 0);
  if (groupIndex_ > 0) SetChecked(false);
}

void TSkinButton::SetDown(bool down) {
  if (groupIndex_ <= 0) down = false;
  if (down == down_) return;
  down_ = down;
  if (down && Parent())
    for (Control* sibling : Parent()->Children())
      if (auto* other = dynamic_cast<TSkinButton*>(sibling);
          other && other != this && other->groupIndex_ == groupIndex_)
        other->SetDown(false);
  if (!dragging_ && state_ != ButtonState::bsDisabled) SetState(RestingState(StaysDown()));
}

void TSkinButton::SetDropdownMenu(PopupMenu* menu) {
  dropdownMenu_ = menu;
  if (menu) menuItem_ = nullptr, itemMenu_ = nullptr;
}

void TSkinButton::SetMenuItem(PopupMenu* menu, MenuItem* item) {
  itemMenu_ = item ? menu : nullptr;
  menuItem_ = menu ? item : nullptr;
  if (!menuItem_) return;
  dropdownMenu_ = nullptr;
  SetAction(menuItem_->LinkedAction());
  if (!menuItem_->LinkedAction()) {
    SetChecked(menuItem_->Checked());
    SetEnabled(menuItem_->Enabled());
    SetVisible(menuItem_->Visible());
  }
}

void TSkinButton::ActionChanged(Action& action) {
  Control::ActionChanged(action);
  SetChecked(action.Checked());
}

void TSkinButton::StateChanged() {
  if (!Enabled()) {
    dragging_ = false;
    SetState(ButtonState::bsDisabled);
  } else if (state_ == ButtonState::bsDisabled) {
    SetState(RestingState(StaysDown()));
  }
}

// --- Painting ---

int TSkinButton::ImageFor(bool light) const {
  const bool downOrChecked = down_ || checked_;
  const int slot = GlyphSlotFor(state_, Hot(), downOrChecked);
  const auto missing = [&](int index) { return Glyph.IsImageMissing(index, light); };
  return GlyphImage(Glyph.Indices(), slot, downOrChecked, missing);
}

int TSkinButton::ShownImage() const { return ImageFor(false); }

void TSkinButton::Paint(HDC dc) {
  const RECT client = ToRECT(ClientRect());
  if (Glyph.IsEmpty()) {
    RECT face = client;
    DrawFrameControl(dc, &face, DFC_BUTTON,
                     DFCS_BUTTONPUSH | (state_ == ButtonState::bsDown || StaysDown() ? DFCS_PUSHED : 0) |
                         (state_ == ButtonState::bsDisabled ? DFCS_INACTIVE : 0));
    return;
  }
  DrawGlyph(dc, ImageFor(IsLightBackground(dc, Glyph, ClientRect())));
}

void TSkinButton::DrawGlyph(HDC dc, int index) {
  if (!Glyph.GetImageRect(index, false).IsEmpty()) {
    DrawElement(dc, Glyph, 0, 0, index);
    return;
  }
  const RECT client = ToRECT(ClientRect());
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void TSkinButton::AdjustBounds(Rect& bounds) {
  int width = bounds.Width(), height = bounds.Height();
  Glyph.GetFixedSize(width, height);
  bounds = Glyph.AutoSize() ? AnchoredResize(bounds, {width, height}, Anchoring())
                            : Rect::FromSize(bounds.left, bounds.top, width, height);
}

// --- Mouse ---

void TSkinButton::MouseEnter() {
  hot_ = true;
  if (flat_) Invalidate();
}

void TSkinButton::MouseLeave() {
  hot_ = false;
  if (flat_) Invalidate();
}

void TSkinButton::MouseDown(const MouseEvent& event) {
  // The press's own time: a press that closed this button's menu came before the menu closed.
  const LONG pressTime = GetMessageTime();
  const ControlId self = Id();
  closingPress_ = false;
  TSkinControl::MouseDown(event);
  if (!FindControl(self) || event.button != MouseButton::Left || !Enabled()) return;
  if (ClosedTheMenu(pressTime)) {
    // The click that closed the menu does nothing more: no press, no click, no new menu.
    closingPress_ = true;
    return;
  }
  dragging_ = true;
  SetState(ButtonState::bsDown);
  Repaint();
  if (DropDown() && FindControl(self)) dragging_ = false;
}

void TSkinButton::MouseMove(Point at, WPARAM keys) {
  TSkinControl::MouseMove(at, keys);
  if (!dragging_) return;
  SetState(StateWhileHeld(ClientRect().Contains(at), StaysDown()));
}

void TSkinButton::MouseUp(const MouseEvent& event) {
  if (event.button == MouseButton::Left && dragging_) {
    dragging_ = false;
    SetState(RestingState(StaysDown()));
  }
  TSkinControl::MouseUp(event);
}

void TSkinButton::CaptureLost() {
  if (!dragging_) return;
  dragging_ = false;
  SetState(RestingState(StaysDown()));
}

void TSkinButton::Click() {
  if (droppedDown_ || std::exchange(closingPress_, false)) return;
  if (groupIndex_ > 0) SetDown(!down_ || !AllowAllUp);
  TSkinControl::Click();
}

// --- Drop-down ---

bool TSkinButton::CanDropDown() const {
  return OnDropdown || dropdownMenu_ || (menuItem_ && itemMenu_);
}

bool TSkinButton::ClosedTheMenu(LONG pressTime) const {
  // A press made while the menu was still open closed it. Both times count milliseconds of the same clock, and the
  // difference is taken in 32 bits, so the wrap after 49 days does not matter.
  return !droppedDown_ && CanDropDown() && closedAt_ &&
         static_cast<LONG>(static_cast<DWORD>(pressTime) - *closedAt_) <= 0;
}

bool TSkinButton::DropDown() {
  if (droppedDown_ || !CanDropDown()) return false;
  droppedDown_ = true;
  if (state_ != ButtonState::bsDown && state_ != ButtonState::bsExclusive) SetState(ButtonState::bsExclusive);
  const Rect screen = ScreenRect();
  ReleaseCapture();
  hot_ = false;
  Repaint();

  const ControlId self = Id();
  if (OnDropdown)
    OnDropdown(*this, screen);
  else if (dropdownMenu_)
    dropdownMenu_->DropDown(screen);
  else
    itemMenu_->DropDownChildren(*menuItem_, screen);
  if (!FindControl(self)) return true;

  closedAt_ = GetTickCount();
  Ref().PostCall([self] {
    auto* button = dynamic_cast<TSkinButton*>(FindControl(self));
    if (!button) return;
    button->droppedDown_ = false;
    if (!button->dragging_ && button->state_ != ButtonState::bsDisabled)
      button->SetState(RestingState(button->StaysDown()));
    button->Invalidate();
  });
  return true;
}

// --- Sizeable button ---

TSizeableSkinButton::TSizeableSkinButton(WinControl& parent, const Rect& bounds) : TSkinButton(parent, bounds) {
  SetSizingElement(nullptr);
  SetBounds(bounds);  // the base took the glyph's size while it was being made
}

void TSizeableSkinButton::DrawGlyph(HDC dc, int index) {
  const Rect image = Glyph.GetImageRect(index, false);
  const Rect client = ClientRect();
  if (image.IsEmpty() || image.Extent() == client.Extent()) {
    TSkinButton::DrawGlyph(dc, index);
    return;
  }
  DrawElementStretchedWithCentre(dc, Glyph, client, Centre, Borders, std::nullopt, index);
}

// --- Image array ---

TSkinImageArray::TSkinImageArray(WinControl& parent, const Rect& bounds) : TSkinControl(&parent) {
  Image.SetImageSize(20, 20);
  SetSizingElement(&Image);
  SetBounds(bounds);
}

void TSkinImageArray::SetImageIndex(int index) {
  index = std::min(index, Image.ImageCount() - 1);
  if (index == imageIndex_) return;
  imageIndex_ = index;
  Invalidate();
}

void TSkinImageArray::SetSizeable(bool sizeable) {
  sizeable_ = sizeable;
  SetSizingElement(sizeable ? nullptr : &Image);
  Invalidate();
}

void TSkinImageArray::AdjustBounds(Rect& bounds) {
  if (sizeable_) return;
  int width = bounds.Width(), height = bounds.Height();
  Image.GetFixedSize(width, height);
  bounds = Image.AutoSize() ? AnchoredResize(bounds, {width, height}, Anchoring())
                            : Rect::FromSize(bounds.left, bounds.top, width, height);
}

void TSkinImageArray::Paint(HDC dc) {
  if (Image.GetImageRect(imageIndex_, false).IsEmpty()) return;
  if (sizeable_)
    DrawElementStretched(dc, Image, ClientRect(), Borders, imageIndex_);
  else
    DrawElement(dc, Image, 0, 0, imageIndex_);
}

}  // namespace nv
