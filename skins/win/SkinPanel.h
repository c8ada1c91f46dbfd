#pragma once
// Skinned panels: windowed containers on skinned forms. TSkinPanel paints its Image (stretched in nine parts by its
// border insets when Sizeable, else at its own size, which the panel then takes) or, without one, fills with its
// colour; its aligned children are laid out inside the insets. With ParentHitTest the panel lets its parent's
// caption and sizing areas reach through it. Files dropped on it go on to its parent.
// TSkinPanelWR is also shaped by its Mask (black is cut away).
#include <windows.h>

#include <optional>

#include "skins/SkinElement.h"
#include "skins/win/SkinNotices.h"
#include "support/ui/win/GdiObjects.h"
#include "support/ui/win/WinControl.h"

namespace nv {

class TSkinPanel : public WinControl {
private:
  SkinNotices notices_{*this};

public:
  TSkinPanel(WinControl& parent, const Rect& bounds, const wchar_t* className = L"TSkinPanel");

  TSkinElement Image{&notices_};

  bool Sizeable() const { return sizeable_; }
  void SetSizeable(bool sizeable);
  Insets Borders() const { return ContentInsets(); }
  void SetBorders(const Insets& borders);
  // Background erasing runs only with this set.
  bool EraseBkgnd = false;
  // The parent's answer to the hit test reaches through the panel where it is a caption or a sizing edge.
  bool ParentHitTest = false;

protected:
  SkinElementOwner* Notices() { return &notices_; }
  void PaintBackground(HDC dc, const Rect& clip) override;
  void AdjustBounds(Rect& bounds) override;
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  bool sizeable_ = false;
};

class TSkinPanelWR : public TSkinPanel {
public:
  TSkinPanelWR(WinControl& parent, const Rect& bounds, const wchar_t* className = L"TSkinPanelWR");

  TSkinElement Mask{Notices()};

  // Shapes the panel for `rect` (its own coordinates; the whole panel when none) unless it is shaped for it.
  void UpdateShape(std::optional<Rect> rect = std::nullopt);
  void ResetShape() { shapeBuilt_ = false; }

protected:
  // Draws the mask of a sizeable panel into a surface of the shape's size.
  virtual void DrawMask(HDC dc, const Rect& rect);
  // The region for the rectangle being shaped; false when there is no mask.
  virtual bool CreateShapeRegion(UniqueRegion& region);
  const Rect& ShapeRect() const { return shapeRect_; }

  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Loaded() override;

private:
  void RefreshShape(bool redraw);

  std::optional<Rect> shapeRequest_;
  Rect shapeRect_;
  bool shapeBuilt_ = false;
};

}  // namespace nv
