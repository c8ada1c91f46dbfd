#include "support/ui/win/WinControl.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

#include "support/ui/HitTest.h"
#include "support/ui/win/GdiObjects.h"
#include "support/ui/win/LoadingScope.h"
#include "support/ui/win/Menus.h"

namespace nv {

WinControl::WinControl(WinControl* parent, const WindowClass& windowClass, WindowParams params)
    : Control(parent), color_(GetSysColor(COLOR_BTNFACE)) {
  if (parent) {
    params.parent = parent->Handle();
    params.style = (params.style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE;
  }
  params.style |= WS_CLIPCHILDREN;
  Create(windowClass, params);
  SetVisibleState((GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0);
  SyncBounds();
  RECT client{};
  GetClientRect(Handle(), &client);
  clientSize_ = {client.right, client.bottom};
}

WinControl::~WinControl() {
  // Children still here outlive their container (a member declared before it): they belong to no parent now.
  for (Control* child : children_) child->parent_ = nullptr;
  children_.clear();
  Destroy();
}

Rect WinControl::ClientRect() const {
  RECT client{};
  if (Handle()) GetClientRect(Handle(), &client);
  return FromRECT(client);
}

void WinControl::AddChild(Control& child) {
  children_.push_back(&child);
  if (child.Alignment() != Align::None) Realign();
}

void WinControl::RemoveChild(Control& child) {
  ChildStateLost(child);
  std::erase(children_, &child);
  if (child.Alignment() != Align::None) Realign();
}

void WinControl::ChildStateLost(Control& child) {
  if (leftPressed_ == &child) leftPressed_ = nullptr;
  if (hot_ == &child) {
    hot_ = nullptr;
    child.SetMouseInside(false);
  }
  if (capture_ == &child) {
    capture_ = nullptr;
    if (GetCapture() == Handle()) ::ReleaseCapture();
  }
}

void WinControl::BringToFront(Control& child) {
  const auto found = std::find(children_.begin(), children_.end(), &child);
  if (found == children_.end()) return;
  std::rotate(found, found + 1, children_.end());
  child.Invalidate();
}

void WinControl::SendToBack(Control& child) {
  const auto found = std::find(children_.begin(), children_.end(), &child);
  if (found == children_.end()) return;
  std::rotate(children_.begin(), found, found + 1);
  child.Invalidate();
}

Control* WinControl::ControlAt(Point at) const {
  std::vector<HitCandidate> candidates;
  candidates.reserve(children_.size());
  for (const Control* child : children_) {
    // Windowed children take their own mouse input; for the routing here they are not there.
    const bool windowless = !child->IsWindowed();
    candidates.push_back({child->Bounds(), windowless && child->Visible(), child->Enabled(), child->HitTransparent()});
  }
  const auto hit = TopmostHit(candidates, at);
  return hit ? children_[*hit] : nullptr;
}

void WinControl::SetContentInsets(Insets insets) {
  if (insets == insets_) return;
  insets_ = insets;
  Realign();
}

bool WinControl::LayoutHeld() const { return alignLocks_ > 0 || Loading() || LoadingScope::Holds(*this); }

void WinControl::Realign() {
  if (LayoutHeld() || !Handle()) return;
  std::vector<AlignedChild> layout;
  std::vector<Control*> aligned;
  for (Control* child : children_)
    if (child->Alignment() != Align::None) {
      layout.push_back({child->Alignment(), child->Visible(), child->Bounds()});
      aligned.push_back(child);
    }
  if (aligned.empty()) return;
  AlignChildren(ClientRect().Deflate(insets_), layout);
  for (std::size_t i = 0; i < aligned.size(); ++i) {
    Control& child = *aligned[i];
    if (!layout[i].visible || layout[i].bounds == child.bounds_) continue;
    child.Invalidate();
    child.bounds_ = layout[i].bounds;
    child.ApplyBounds();
    child.Invalidate();
    child.BoundsChanged();
  }
}

void WinControl::Resized() {
  const Rect client = ClientRect();
  const Size now = client.Extent();
  if (now == clientSize_) return;
  const Size before = clientSize_;
  clientSize_ = now;
  if (LayoutHeld()) return;
  const Anchors standard;
  for (Control* child : children_)
    if (child->Alignment() == Align::None && child->Anchoring() != standard)
      child->SetBounds(AnchoredBounds(child->Bounds(), child->Anchoring(), before, now));
  Realign();
}

void WinControl::SetColor(COLORREF color) {
  if (color == color_) return;
  color_ = color;
  Invalidate();
}

void WinControl::PaintBackground(HDC dc, const Rect& clip) {
  const RECT area = ToRECT(clip);
  const UniqueBrush brush(CreateSolidBrush(color_));
  FillRect(dc, &area, brush.Get());
}

void WinControl::PaintTo(HDC dc, const Rect& clip) {
  const SavedDC whole(dc);
  IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
  PaintBackground(dc, clip);
  for (Control* child : children_) {
    if (child->IsWindowed() || !child->Visible() || child->Bounds().Intersect(clip).IsEmpty()) continue;
    const SavedDC one(dc);
    const Rect& b = child->Bounds();
    OffsetViewportOrgEx(dc, b.left, b.top, nullptr);
    IntersectClipRect(dc, 0, 0, b.Width(), b.Height());
    child->Paint(dc);
  }
}

void WinControl::PaintWindow() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(Handle(), &paint);
  const Rect clip = FromRECT(paint.rcPaint);
  if (!clip.IsEmpty()) {
    // Into an off-screen surface first: children paint over the background without flicker, and can read what
    // lies beneath them.
    const Rect client = ClientRect();
    const OffscreenSurface surface(dc, client.Width(), client.Height());
    PaintTo(surface.Get(), clip);
    BitBlt(dc, clip.left, clip.top, clip.Width(), clip.Height(), surface.Get(), clip.left, clip.top, SRCCOPY);
  }
  EndPaint(Handle(), &paint);
}

void WinControl::SetAcceptFiles(bool accept) { DragAcceptFiles(Handle(), accept); }

void WinControl::DropFiles(const DroppedFiles& files) {
  if (OnDropFiles) {
    OnDropFiles(*this, files);
    return;
  }
  if (!Parent()) return;
  POINT at{files.at.x, files.at.y};
  MapWindowPoints(Handle(), Parent()->Handle(), &at, 1);
  DroppedFiles passed = files;
  passed.at = {at.x, at.y};
  static_cast<Control*>(Parent())->DropFiles(passed);
}

void WinControl::AcceptDrop(HDROP drop) {
  DroppedFiles files;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring name(DragQueryFileW(drop, i, nullptr, 0), L'\0');
    DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size() + 1));
    files.names.push_back(std::move(name));
  }
  POINT at{};
  DragQueryPoint(drop, &at);
  DragFinish(drop);
  files.at = {at.x, at.y};
  if (Control* target = ControlAt(files.at)) {
    files.at = {at.x - target->Left(), at.y - target->Top()};
    target->DropFiles(files);
  } else {
    DropFiles(files);
  }
}

void WinControl::CaptureFor(Control& control) {
  capture_ = &control;
  if (GetCapture() != Handle()) ::SetCapture(Handle());
}

void WinControl::EndCapture() {
  Control* lost = capture_;
  capture_ = nullptr;
  leftPressed_ = nullptr;
  if (lost) lost->CaptureLost();
}

void WinControl::SetHot(Control* control) {
  if (control == hot_) return;
  Control* previous = hot_;
  hot_ = control;
  if (previous) previous->SetMouseInside(false);
  if (control) control->SetMouseInside(true);
}

void WinControl::RouteMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  const Point at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  Control* under = ControlAt(at);
  Control* const target = capture_ ? capture_ : under ? under : this;
  auto local = [&](const Control* c) {
    return c == this ? at : Point{at.x - c->Left(), at.y - c->Top()};
  };

  if (message == WM_MOUSEMOVE) {
    if (!trackingLeave_) {
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
      trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    // While a control holds the mouse it alone can be hot, and only while the pointer is over it.
    Control* hot = under ? under : this;
    if (capture_) hot = capture_->ClientRect().Contains(local(capture_)) ? capture_ : nullptr;
    SetHot(hot);
    target->MouseMove(local(target), wParam);
    return;
  }

  MouseEvent event;
  event.at = local(target);
  event.keys = wParam;
  switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_LBUTTONUP: event.button = MouseButton::Left; break;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_RBUTTONUP: event.button = MouseButton::Right; break;
    default: event.button = MouseButton::Middle; break;
  }
  const bool press = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
  const bool doubleClick =
      message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
  if (press || doubleClick) {
    if (!capture_) CaptureFor(*target);
    if (event.button == MouseButton::Left) leftPressed_ = target;
    event.doubleClick = doubleClick;
    target->MouseDown(event);
    if (doubleClick && FindControl(target->Id())) target->DoubleClick(event);
    return;
  }

  // A release.
  const ControlId targetId = target->Id();
  const bool clicks = event.button == MouseButton::Left && leftPressed_ == target;
  if (event.button == MouseButton::Left) leftPressed_ = nullptr;
  target->MouseUp(event);
  const bool buttonsHeld = (wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0;
  if (!buttonsHeld && capture_) {
    capture_ = nullptr;
    if (GetCapture() == Handle()) ::ReleaseCapture();
  }
  // MouseUp may have destroyed the control, hidden or disabled it.
  if (clicks && FindControl(targetId) && target->Enabled() && target->Visible() &&
      target->ClientRect().Contains(event.at))
    target->Click();
}

void WinControl::ShowContextMenu(LPARAM screenPoint) {
  POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  if (at.x == -1 && at.y == -1) {  // from the keyboard: at the control's top-left corner
    at = {0, 0};
    ::ClientToScreen(Handle(), &at);
  }
  POINT client = at;
  ::ScreenToClient(Handle(), &client);
  for (Control* c = ControlAt({client.x, client.y}); c; c = c->Parent())
    if (c->Menu) {
      c->Menu->Popup({at.x, at.y});
      return;
    }
  if (Menu) Menu->Popup({at.x, at.y});
}

void WinControl::SyncBounds() {
  RECT window{};
  GetWindowRect(Handle(), &window);
  if (Parent() || (GetWindowLongW(Handle(), GWL_STYLE) & WS_CHILD))
    MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&window), 2);
  bounds_ = FromRECT(window);
}

void WinControl::ApplyBounds() {
  if (!Handle()) return;
  const Rect& b = Bounds();
  SetWindowPos(Handle(), nullptr, b.left, b.top, b.Width(), b.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

int WinControl::ShowCommand() const {
  return (GetWindowLongW(Handle(), GWL_STYLE) & WS_CHILD) ? SW_SHOWNA : SW_SHOW;
}

void WinControl::ApplyVisible() {
  if (Handle()) ShowWindow(Handle(), Visible() ? ShowCommand() : SW_HIDE);
}

void WinControl::ApplyEnabled() {
  if (Handle()) EnableWindow(Handle(), Enabled());
}

LRESULT WinControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintWindow();
      return 0;
    case WM_PRINTCLIENT:
      PaintTo(reinterpret_cast<HDC>(wParam), ClientRect());
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the painting covers everything
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
      RouteMouse(message, wParam, lParam);
      return 0;
    case WM_RBUTTONUP:
      // The system turns the release into WM_CONTEXTMENU: the nearest menu upwards opens.
      RouteMouse(message, wParam, lParam);
      return DefaultProc(message, wParam, lParam);
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      if (!capture_) SetHot(nullptr);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != Handle()) EndCapture();
      return 0;
    case WM_CANCELMODE:
      if (GetCapture() == Handle()) ::ReleaseCapture();
      EndCapture();
      return DefaultProc(message, wParam, lParam);
    case WM_CONTEXTMENU:
      ShowContextMenu(lParam);
      return 0;
    case WM_DROPFILES:
      AcceptDrop(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_NCHITTEST:
      if (HitTransparent()) return HTTRANSPARENT;
      return DefaultProc(message, wParam, lParam);
    case WM_WINDOWPOSCHANGED: {
      const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
      const Rect before = Bounds();
      SyncBounds();
      if (position->flags & SWP_SHOWWINDOW) SetVisibleState(true);
      if (position->flags & SWP_HIDEWINDOW) SetVisibleState(false);
      const LRESULT result = DefaultProc(message, wParam, lParam);
      Resized();
      if (Bounds() != before) BoundsChanged();
      return result;
    }
    default:
      return Window::WindowProc(message, wParam, lParam);
  }
}

}  // namespace nv
