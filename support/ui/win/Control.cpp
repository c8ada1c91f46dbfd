#include "support/ui/win/Control.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <unordered_map>

#include "support/ui/win/Hints.h"
#include "support/ui/win/LoadingScope.h"
#include "support/ui/win/WinControl.h"
#include "support/win/WideText.h"

namespace nv {

namespace {

// Every living control by identifier. Identifiers are never reused, so a stale one finds nothing.
struct ControlRegistry {
  std::mutex lock;
  std::unordered_map<ControlId, Control*> controls;
  ControlId next = 1;
};

ControlRegistry& Registry() {
  static ControlRegistry registry;
  return registry;
}

ControlId Register(Control* control) {
  ControlRegistry& registry = Registry();
  const std::lock_guard lock(registry.lock);
  const ControlId id = registry.next++;
  registry.controls.emplace(id, control);
  return id;
}

void Unregister(ControlId id) {
  ControlRegistry& registry = Registry();
  const std::lock_guard lock(registry.lock);
  registry.controls.erase(id);
}

}  // namespace

Control* FindControl(ControlId id) {
  if (id == 0) return nullptr;
  ControlRegistry& registry = Registry();
  const std::lock_guard lock(registry.lock);
  const auto found = registry.controls.find(id);
  return found == registry.controls.end() ? nullptr : found->second;
}

Control::Control(WinControl* parent) : parent_(parent), id_(Register(this)) {
  LoadingScope::Enlist(*this);
  if (parent_) parent_->AddChild(*this);
}

Control::~Control() {
  if (timerInterval_ > 0) UtilityWindow::Current().KillControlTimer(id_);
  if (action_) action_->RemoveClient(*this);
  LoadingScope::Withdraw(*this);
  if (parent_) {
    if (!IsWindowed() && visible_) Invalidate();
    parent_->RemoveChild(*this);
  }
  Unregister(id_);
}

ControlRef Control::Ref() const { return ControlRef(id_, UtilityWindow::Current().Handle()); }

void Control::SetBounds(const Rect& requested) {
  Rect bounds = requested;
  if (!loading_) AdjustBounds(bounds);
  if (bounds == bounds_) return;
  Invalidate();
  bounds_ = bounds;
  ApplyBounds();
  Invalidate();
  BoundsChanged();
  if (parent_ && align_ != Align::None) parent_->Realign();
}

void Control::SetAlignment(Align align) {
  if (align == align_) return;
  align_ = align;
  if (parent_) parent_->Realign();
}

Point Control::ClientToScreen(Point point) const {
  for (const Control* c = this; c; c = c->parent_) {
    if (c->IsWindowed()) {
      POINT p{point.x, point.y};
      ::ClientToScreen(static_cast<const WinControl*>(c)->Handle(), &p);
      return {p.x, p.y};
    }
    point = {point.x + c->bounds_.left, point.y + c->bounds_.top};
  }
  return point;
}

Point Control::ScreenToClient(Point point) const {
  const Point origin = ClientToScreen({0, 0});
  return {point.x - origin.x, point.y - origin.y};
}

Rect Control::ScreenRect() const {
  const Point origin = ClientToScreen({0, 0});
  return Rect::FromSize(origin.x, origin.y, Width(), Height());
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  if (!visible) Invalidate();
  visible_ = visible;
  ApplyVisible();
  if (visible) Invalidate();
  if (!visible && parent_) parent_->ChildStateLost(*this);
  StateChanged();
  if (parent_ && align_ != Align::None) parent_->Realign();
}

void Control::SetVisibleState(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (!visible && parent_) parent_->ChildStateLost(*this);
  StateChanged();
}

bool Control::Showing() const {
  if (!visible_) return false;
  return parent_ ? parent_->Showing() : true;
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  ApplyEnabled();
  if (!enabled && parent_) parent_->ChildStateLost(*this);
  StateChanged();
  Invalidate();
}

void Control::SetAction(Action* action) {
  if (action == action_) return;
  if (action_) action_->RemoveClient(*this);
  action_ = action;
  if (action_) {
    action_->AddClient(*this);
    ActionChanged(*action_);
  }
}

void Control::ActionChanged(Action& action) {
  SetEnabled(action.Enabled());
  SetVisible(action.Visible());
  Invalidate();
}

// The window a control paints in: its own, or its parent's.
static HWND Surface(const Control& control) {
  if (control.IsWindowed()) return static_cast<const WinControl&>(control).Handle();
  return control.Parent() ? control.Parent()->Handle() : nullptr;
}

void Control::Invalidate() {
  if (loading_ || !visible_) return;
  const HWND surface = Surface(*this);
  if (!surface) return;
  if (IsWindowed()) {
    InvalidateRect(surface, nullptr, FALSE);
    return;
  }
  const RECT area = ToRECT(bounds_);
  InvalidateRect(surface, &area, FALSE);
}

void Control::Repaint() {
  Invalidate();
  if (const HWND surface = Surface(*this)) UpdateWindow(surface);
}

void Control::SetCapture() {
  if (parent_) parent_->CaptureFor(*this);
}

void Control::ReleaseCapture() {
  if (HasCapture()) ::ReleaseCapture();
}

bool Control::HasCapture() const { return parent_ && parent_->CapturedControl() == this; }

void Control::Click() {
  if (OnClick) OnClick(*this);
  else if (action_) action_->Execute();
}

std::wstring Control::HintText() const {
  if (!Hint.empty()) return Hint;
  return action_ ? ToWide(action_->Hint()) : std::wstring();
}

bool Control::ShowHint(HintInfo& info) {
  if (OnShowHint) OnShowHint(*this, info);
  return !info.text.empty();
}

void Control::SetTimerInterval(UINT periodMs) {
  UtilityWindow& utility = UtilityWindow::Current();
  if (timerInterval_ > 0) utility.KillControlTimer(id_);
  timerInterval_ = periodMs;
  if (periodMs > 0) utility.SetControlTimer(id_, periodMs);
}

void Control::MouseDown(const MouseEvent& event) {
  if (OnMouseDown) OnMouseDown(*this, event);
}

void Control::MouseMove(Point at, WPARAM keys) {
  if (OnMouseMove) OnMouseMove(*this, at, keys);
}

void Control::MouseUp(const MouseEvent& event) {
  if (OnMouseUp) OnMouseUp(*this, event);
}

void Control::DoubleClick(const MouseEvent& event) {
  if (OnDoubleClick) OnDoubleClick(*this, event);
}

void Control::DropFiles(const DroppedFiles& files) {
  if (!parent_) return;
  DroppedFiles passed = files;
  passed.at = {files.at.x + bounds_.left, files.at.y + bounds_.top};
  parent_->DropFiles(passed);
}

void Control::Loaded() {
  // The size rule did not run while the form was built: run it now.
  Rect bounds = bounds_;
  AdjustBounds(bounds);
  if (bounds != bounds_) SetBounds(bounds);
}

void Control::SetMouseInside(bool inside) {
  if (inside == mouseInside_) return;
  mouseInside_ = inside;
  if (inside) MouseEnter();
  else MouseLeave();
}

}  // namespace nv
