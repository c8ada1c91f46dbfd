#include "skins/win/SkinForm.h"

#include <windowsx.h>

#include "skins/MaskRegions.h"
#include "skins/SkinHitTest.h"
#include "skins/win/LayeredWindows.h"
#include "skins/win/SkinDrawing.h"
#include "skins/win/SkinMessages.h"
#include "skins/win/SkinShapes.h"
#include "support/ui/win/WinRect.h"

namespace nv {

namespace {

constexpr int kFormMaskColours[] = {kMaskBlack, kMaskRed, kMaskBlue};

LRESULT HitCode(SkinHit hit) {
  switch (hit) {
    case SkinHit::Nowhere: return HTNOWHERE;
    case SkinHit::Client: return HTCLIENT;
    case SkinHit::Caption: return HTCAPTION;
    case SkinHit::Left: return HTLEFT;
    case SkinHit::Right: return HTRIGHT;
    case SkinHit::Top: return HTTOP;
    case SkinHit::Bottom: return HTBOTTOM;
    case SkinHit::TopLeft: return HTTOPLEFT;
    case SkinHit::TopRight: return HTTOPRIGHT;
    case SkinHit::BottomLeft: return HTBOTTOMLEFT;
    case SkinHit::BottomRight: return HTBOTTOMRIGHT;
  }
  return HTCLIENT;
}

bool InRegion(const UniqueRegion& region, Point at) { return region && PtInRegion(region.Get(), at.x, at.y); }

}  // namespace

FormParams SkinFormParams(const wchar_t* className) {
  FormParams params;
  params.className = className;
  params.border = FormBorder::None;
  return params;
}

TSkinForm::TSkinForm(const FormParams& params) : Form(params), visibleSeen_(Visible()) {}

TSkinForm::~TSkinForm() { StopFade(); }

void TSkinForm::SetSizeable(bool sizeable) {
  if (sizeable == sizeable_) return;
  sizeable_ = sizeable;
  ResetShape();
  if (!Loading()) SetBounds(Bounds());
  Invalidate();
}

void TSkinForm::SetBorders(const Insets& borders) {
  if (borders == borders_) return;
  borders_ = borders;
  ResetShape();
  Invalidate();
}

bool TSkinForm::IsShowing() const { return Visible() && fade_.Direction() != FadeDirection::Out; }

bool TSkinForm::Borderless() const {
  return Handle() && !(GetWindowLongW(Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME));
}

Size TSkinForm::ImageSize() const {
  int width = 0, height = 0;
  Image.GetFixedSize(width, height);
  if (!Borderless() && Handle() && width > 0 && height > 0) {
    // A form with a border takes the image's size for its client area, and its frame around it.
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, GetWindowLongW(Handle(), GWL_STYLE), FALSE, GetWindowLongW(Handle(), GWL_EXSTYLE));
    width = frame.right - frame.left;
    height = frame.bottom - frame.top;
  }
  return {width, height};
}

void TSkinForm::AdjustBounds(Rect& bounds) {
  Form::AdjustBounds(bounds);
  if (sizeable_ || !HasImage()) return;
  const Size size = ImageSize();
  if (size.width > 0 && size.height > 0) bounds = Rect::FromSize(bounds.left, bounds.top, size.width, size.height);
}

void TSkinForm::Loaded() {
  Form::Loaded();
  if (transparency_ != 100) SetWindowTransparency(Handle(), transparency_);
  RefreshShape(true);
}

// --- Shape ---

void TSkinForm::UpdateShape(bool keep, std::optional<Rect> rect) {
  keep_ = keep;
  shapeRequest_ = rect;
  RefreshShape(true);
}

void TSkinForm::ResetShape() { shapeBuilt_ = false; }

void TSkinForm::RefreshShape(bool redraw) {
  if (Loading() || !Borderless()) return;
  const Rect rect = shapeRequest_ ? *shapeRequest_ : Rect{0, 0, Width(), Height()};
  if (shapeBuilt_ && rect == shapeRect_ && keep_ == shapeKept_) return;
  shapeRect_ = rect;
  shapeKept_ = keep_;
  shapeBuilt_ = true;
  kept_ = {};
  sizing_ = {};
  caption_ = {};
  SkinFormRegions regions;
  if (!CreateShapeRegions(regions)) {
    SetWindowRgn(Handle(), nullptr, redraw);
    return;
  }
  sizing_ = std::move(regions.sizing);
  caption_ = std::move(regions.caption);
  if (keep_) {
    SetWindowRgn(Handle(), nullptr, redraw);
    kept_ = std::move(regions.shape);
  } else if (SetWindowRgn(Handle(), regions.shape.Get(), redraw)) {
    regions.shape.Release();  // the system owns it now
  }
}

void TSkinForm::DrawMask(HDC dc, const Rect& rect) { DrawElementStretched(dc, Mask, rect, borders_, 0); }

bool TSkinForm::CreateShapeRegions(SkinFormRegions& regions) {
  MaskPainter paint;
  if (sizeable_) paint = [this](HDC dc, const Rect& area) { DrawMask(dc, area); };
  std::vector<UniqueRegion> parts = ShapeRegions(Mask, shapeRect_, kFormMaskColours, paint);
  if (parts.size() < 3) return false;
  regions.shape = std::move(parts[0]);
  regions.sizing = std::move(parts[1]);
  regions.caption = std::move(parts[2]);
  return true;
}

// --- Painting and messages ---

void TSkinForm::PaintBackground(HDC dc, const Rect& clip) {
  if (!HasImage()) {
    Form::PaintBackground(dc, clip);
    return;
  }
  const Rect client = ClientRect();
  if (sizeable_) {
    DrawElementStretched(dc, Image, client, borders_, 0);
    return;
  }
  // What the image does not cover (a form made larger than it) is the form's colour.
  if (Image.ImageWidth() < client.Width() || Image.ImageHeight() < client.Height()) Form::PaintBackground(dc, clip);
  DrawElement(dc, Image, 0, 0, 0);
}

LRESULT TSkinForm::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_SKINELEMENTCHANGED) return Form::ControlMessage(message, wParam, lParam);
  const auto* element = reinterpret_cast<const TCustomSkinElement*>(lParam);
  if (element == &Image || element == &Mask) {
    if (!Loading()) SetBounds(Bounds());
    ResetShape();
    RefreshShape(true);
    Invalidate();
  }
  return 0;
}

LRESULT TSkinForm::HitTest(LPARAM screenPoint) {
  const POINT screen{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  RECT window{};
  GetWindowRect(Handle(), &window);
  if (!PtInRect(&window, screen)) return HTNOWHERE;
  POINT client = screen;
  ::ScreenToClient(Handle(), &client);
  // Over a control the control answers for itself.
  if (ControlAt({client.x, client.y})) return Form::WindowProc(WM_NCHITTEST, 0, screenPoint);
  const Point at{screen.x - window.left, screen.y - window.top};
  const SkinHit hit = SkinFormHit({at,
                                   {window.right - window.left, window.bottom - window.top},
                                   borders_,
                                   sizeable_,
                                   InRegion(caption_, at),
                                   InRegion(sizing_, at)});
  if (hit == SkinHit::Client) return Form::WindowProc(WM_NCHITTEST, 0, screenPoint);
  return HitCode(hit);
}

LRESULT TSkinForm::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      // Painting shapes the form first (the shape is built only when its rectangle changed); the update region is
      // already known, so nothing is redrawn for it.
      RefreshShape(false);
      return Form::WindowProc(message, wParam, lParam);
    case WM_ERASEBKGND:
      if (EraseBkgnd || IsIconic(Handle())) return DefaultProc(message, wParam, lParam);
      return 1;
    case WM_NCHITTEST:
      if (Borderless()) return HitTest(lParam);
      return Form::WindowProc(message, wParam, lParam);
    case WM_WINDOWPOSCHANGED: {
      const LRESULT result = Form::WindowProc(message, wParam, lParam);
      // A new size is a new shape when the form is shaped whole.
      if (!shapeRequest_) RefreshShape(true);
      return result;
    }
    case WM_WINDOWPOSCHANGING: {
      // A form that is not sizeable keeps its image's size, whoever moves it.
      auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!(position->flags & SWP_NOSIZE) && !sizeable_ && HasImage()) {
        const Size size = ImageSize();
        if (size.width > 0 && size.height > 0) {
          position->cx = size.width;
          position->cy = size.height;
        }
      }
      return Form::WindowProc(message, wParam, lParam);
    }
    default:
      return Form::WindowProc(message, wParam, lParam);
  }
}

// --- Transparency and fades ---

void TSkinForm::SetTransparency(int percent) {
  transparency_ = ClampTransparency(percent);
  StopFade();
  if (!Loading()) SetWindowTransparency(Handle(), transparency_);
}

void TSkinForm::StopFade() {
  if (!fade_.Running()) return;
  KillTimer(kFormFadeTimer);
  fade_.Stop();
}

void TSkinForm::SetVisibleForFade(bool visible) {
  struct Guard {
    bool& flag;
    explicit Guard(bool& f) : flag(f) { flag = true; }
    ~Guard() { flag = false; }
  } guard(fadeShowing_);
  SetVisible(visible);
}

void TSkinForm::SetVisibleFaded(int durationMs, bool visible) {
  // Without fades, and for a fade of no time or to no opacity (which would divide by zero): at once.
  if (fadeMethod_ == FadeMode::None || durationMs <= 0 || transparency_ <= 0 || !Handle()) {
    if (fade_.Running()) {
      StopFade();
      SetWindowTransparency(Handle(), transparency_);
    }
    SetVisible(visible);
    return;
  }
  if (!fade_.Running() && visible == Visible()) return;
  const int opacity = fade_.Start(visible, GetTickCount(), durationMs, transparency_);
  if (!SetWindowTransparency(Handle(), opacity)) {
    // No layered windows: the fade is a plain show or hide.
    StopFade();
    SetVisible(visible);
    return;
  }
  SetVisibleForFade(true);
  SetTimer(kFormFadeTimer, kFormFadeIntervalMs);
}

void TSkinForm::HandleTimer(UINT_PTR id) {
  if (id != kFormFadeTimer) {
    Form::HandleTimer(id);
    return;
  }
  if (!fade_.Running()) {
    KillTimer(kFormFadeTimer);
    return;
  }
  const FadeProgress::Step step = fade_.Tick(GetTickCount());
  if (SetWindowTransparency(Handle(), step.opacity) && !step.done) return;
  EndFade();
}

void TSkinForm::EndFade() {
  const bool out = fade_.Direction() == FadeDirection::Out;
  StopFade();
  if (out) SetVisibleForFade(false);
  SetWindowTransparency(Handle(), transparency_);
}

void TSkinForm::StateChanged() {
  Form::StateChanged();
  if (Visible() == visibleSeen_) return;
  visibleSeen_ = Visible();
  // Shown or hidden from elsewhere: the fade gives way.
  if (!fadeShowing_ && fade_.Running()) {
    StopFade();
    SetWindowTransparency(Handle(), transparency_);
  }
}

}  // namespace nv
