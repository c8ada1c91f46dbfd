#pragma once
// Skinned buttons: a windowless speed button drawn from its glyph's sub-images (ButtonGlyph.h says which one each
// state shows), pushed while the mouse holds it, down while checked or while its menu is open, hot under the
// mouse when flat. A linked action gives it its enabled, visible and checked state, and a click executes it.
//
//   TSkinButton play(panel, Rect::FromSize(31, 76, 23, 18));
//   play.Glyph.SetSkinSlice(*FindSkinSlice("CButtons.Play"));
//   play.Glyph.SetSkin(&skin);
//   play.SetAction(&aPlayPause);
//
// A button with a drop-down menu (a pop-up menu, the children of a menu item, or its own OnDropdown) opens it below
// itself on a left press; the press that closes an open menu does not open it again. TSizeableSkinButton stretches
// its sub-images to any size around an unscaled centre.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "skins/ButtonGlyph.h"
#include "skins/SkinElement.h"
#include "skins/win/SkinControl.h"

namespace nv {

class PopupMenu;
class MenuItem;

// A button's element with the sub-image of each of its looks.
class TSkinGlyph : public TSkinElement {
public:
  using TSkinElement::TSkinElement;

  int Index(GlyphSlot slot) const { return indices_.Index(slot); }
  const GlyphIndices& Indices() const { return indices_; }
  void SetIndex(GlyphSlot slot, int index);
  void SetIndices(const GlyphIndices& indices);
  // The slicing of one use of an image and the looks its cells show, at once.
  void SetSkinSlice(const SkinSlice& slice);

private:
  GlyphIndices indices_;
};

// Stored; the built-in drop-down places its menu by itself.
enum class TDropdownLayout : std::uint8_t { dlAuto, dlUp, dlDown };

class TSkinButton : public TSkinControl {
public:
  TSkinButton(WinControl& parent, const Rect& bounds);
  ~TSkinButton() override;

  TSkinGlyph Glyph{Notices()};

  // Hot under the mouse.
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  // Stays down; always false for a button in a group.
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  // Buttons of one parent with the same group index (above 0) are down one at a time; a click puts one down.
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int index);
  bool Down() const { return down_; }
  void SetDown(bool down);
  bool AllowAllUp = false;

  // What a left press drops down: OnDropdown (given the button's screen rectangle) when set, else the menu, else the
  // children of the menu item. Setting one clears the other.
  PopupMenu* DropdownMenu() const { return dropdownMenu_; }
  void SetDropdownMenu(PopupMenu* menu);
  // The item (of `menu`) whose children drop down; its action, caption, checked and enabled state, hint and
  // visibility become the button's.
  MenuItem* DropdownItem() const { return menuItem_; }
  void SetMenuItem(PopupMenu* menu, MenuItem* item);
  TDropdownLayout DropdownLayout = TDropdownLayout::dlAuto;
  std::function<void(TSkinButton&, const Rect& screen)> OnDropdown;
  bool DroppedDown() const { return droppedDown_; }

  ButtonState State() const { return state_; }
  // The sub-image a paint shows now (over a dark backdrop).
  int ShownImage() const;

  void Paint(HDC dc) override;
  void Click() override;

protected:
  // Draws sub-image `index` at the button's corner, or fills the button black when the sub-image is empty.
  virtual void DrawGlyph(HDC dc, int index);
  void AdjustBounds(Rect& bounds) override;
  void MouseDown(const MouseEvent& event) override;
  void MouseMove(Point at, WPARAM keys) override;
  void MouseUp(const MouseEvent& event) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void CaptureLost() override;
  void StateChanged() override;
  void ActionChanged(Action& action) override;

private:
  bool StaysDown() const { return (groupIndex_ > 0 && down_) || checked_ || droppedDown_; }
  bool Hot() const { return flat_ && hot_ && state_ != ButtonState::bsDisabled; }
  int ImageFor(bool light) const;
  void SetState(ButtonState state);
  bool CanDropDown() const;
  // Whether a press made at this time (the message's) is the one that closed the drop-down's menu.
  bool ClosedTheMenu(LONG pressTime) const;
  // Opens the drop-down; false when there is none or it is open.
  bool DropDown();

  ButtonState state_ = ButtonState::bsUp;
  bool flat_ = false, checked_ = false, down_ = false, dragging_ = false, hot_ = false;
  int groupIndex_ = 0;
  PopupMenu* dropdownMenu_ = nullptr;
  PopupMenu* itemMenu_ = nullptr;
  MenuItem* menuItem_ = nullptr;
  bool droppedDown_ = false;
  bool closingPress_ = false;  // the press being handled closed the menu
  std::optional<DWORD> closedAt_;  // when the last drop-down's menu closed
  Size previousSize_;
};

class TSizeableSkinButton : public TSkinButton {
public:
  TSizeableSkinButton(WinControl& parent, const Rect& bounds);

  // The stretch insets, and the part of each sub-image drawn unscaled in the middle (none: all of it stretches).
  Insets Borders;
  Rect Centre;

protected:
  void DrawGlyph(HDC dc, int index) override;
  void AdjustBounds(Rect&) override {}  // any size
};

// A picture of one of an image's sub-images (a state: mono or stereo), at the image's size or stretched over the
// control by its insets.
class TSkinImageArray : public TSkinControl {
public:
  TSkinImageArray(WinControl& parent, const Rect& bounds);

  TSkinElement Image{Notices()};
  int ImageIndex() const { return imageIndex_; }
  // At most ImageCount - 1.
  void SetImageIndex(int index);
  bool Sizeable() const { return sizeable_; }
  void SetSizeable(bool sizeable);
  Insets Borders;

  void Paint(HDC dc) override;

protected:
  void AdjustBounds(Rect& bounds) override;

private:
  int imageIndex_ = 0;
  bool sizeable_ = false;
};

// A size the control's element gives it, keeping its right edge when anchored right only and its bottom edge when
// anchored bottom only (its image changed size).
Rect AnchoredResize(const Rect& bounds, Size size, const Anchors& anchors);

}  // namespace nv
