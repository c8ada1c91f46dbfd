#include "skins/win/SkinPanel.h"

#include "skins/MaskRegions.h"
#include "skins/win/SkinDrawing.h"
#include "skins/win/SkinMessages.h"
#include "skins/win/SkinShapes.h"

namespace nv {

// --- TSkinPanel ---

TSkinPanel::TSkinPanel(WinControl& parent, const Rect& bounds, const wchar_t* className)
    : WinControl(&parent, {className, CS_DBLCLKS}, {.bounds = bounds}) {}

void TSkinPanel::SetSizeable(bool sizeable) {
  if (sizeable == sizeable_) return;
  sizeable_ = sizeable;
  if (!Loading()) SetBounds(Bounds());
  Invalidate();
}

void TSkinPanel::SetBorders(const Insets& borders) {
  SetContentInsets(borders);
  Invalidate();
}

void TSkinPanel::AdjustBounds(Rect& bounds) {
  if (sizeable_ || Image.IsEmpty()) return;
  int width = bounds.Width(), height = bounds.Height();
  Image.GetFixedSize(width, height);
  bounds = Rect::FromSize(bounds.left, bounds.top, width, height);
}

void TSkinPanel::PaintBackground(HDC dc, const Rect& clip) {
  if (Image.IsEmpty()) {
    WinControl::PaintBackground(dc, clip);
  } else if (sizeable_) {
    DrawElementStretched(dc, Image, ClientRect(), Borders(), 0);
  } else {
    DrawElement(dc, Image, 0, 0, 0);
  }
}

LRESULT TSkinPanel::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_SKINELEMENTCHANGED) return WinControl::ControlMessage(message, wParam, lParam);
  if (reinterpret_cast<const TCustomSkinElement*>(lParam) == &Image) {
    if (!Loading()) SetBounds(Bounds());
    Invalidate();
  }
  return 0;
}

LRESULT TSkinPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      if (EraseBkgnd) return DefaultProc(message, wParam, lParam);
      return 1;
    case WM_NCHITTEST:
      if (ParentHitTest && Parent()) {
        // The parent answers for the same point: its caption and sizing areas reach through the panel.
        const auto answer = SendMessageW(Parent()->Handle(), WM_NCHITTEST, 0, lParam);
        if (answer != HTNOWHERE && answer != HTCLIENT && answer != HTERROR) return HTTRANSPARENT;
      }
      return WinControl::WindowProc(message, wParam, lParam);
    default:
      return WinControl::WindowProc(message, wParam, lParam);
  }
}

// --- TSkinPanelWR ---

TSkinPanelWR::TSkinPanelWR(WinControl& parent, const Rect& bounds, const wchar_t* className)
    : TSkinPanel(parent, bounds, className) {}

void TSkinPanelWR::UpdateShape(std::optional<Rect> rect) {
  shapeRequest_ = rect;
  RefreshShape(true);
}

void TSkinPanelWR::RefreshShape(bool redraw) {
  if (Loading() || !Handle()) return;
  const Rect rect = shapeRequest_ ? *shapeRequest_ : Rect{0, 0, Width(), Height()};
  if (shapeBuilt_ && rect == shapeRect_) return;
  shapeRect_ = rect;
  shapeBuilt_ = true;
  UniqueRegion region;
  if (!CreateShapeRegion(region)) {
    SetWindowRgn(Handle(), nullptr, redraw);
  } else if (SetWindowRgn(Handle(), region.Get(), redraw)) {
    region.Release();  // the system owns it now
  }
}

void TSkinPanelWR::DrawMask(HDC dc, const Rect& rect) { DrawElementStretched(dc, Mask, rect, Borders(), 0); }

bool TSkinPanelWR::CreateShapeRegion(UniqueRegion& region) {
  static constexpr int kBlack[] = {kMaskBlack};
  MaskPainter paint;
  if (Sizeable()) paint = [this](HDC dc, const Rect& area) { DrawMask(dc, area); };
  std::vector<UniqueRegion> parts = ShapeRegions(Mask, shapeRect_, kBlack, paint);
  if (parts.empty()) return false;
  region = std::move(parts[0]);
  return true;
}

void TSkinPanelWR::Loaded() {
  TSkinPanel::Loaded();
  RefreshShape(true);
}

LRESULT TSkinPanelWR::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SKINELEMENTCHANGED && reinterpret_cast<const TCustomSkinElement*>(lParam) == &Mask) {
    ResetShape();
    RefreshShape(true);
    Invalidate();
    return 0;
  }
  return TSkinPanel::ControlMessage(message, wParam, lParam);
}

LRESULT TSkinPanelWR::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) RefreshShape(false);
  if (message == WM_WINDOWPOSCHANGED) {
    const LRESULT result = TSkinPanel::WindowProc(message, wParam, lParam);
    // A new size is a new shape (built at once, or at the next paint).
    RefreshShape(true);
    return result;
  }
  return TSkinPanel::WindowProc(message, wParam, lParam);
}

}  // namespace nv
