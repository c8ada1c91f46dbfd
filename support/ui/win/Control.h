#pragma once
// Control: the base of everything placed on a form — windowless controls (skin buttons, labels, sliders), which
// paint into their parent's surface and get their mouse input routed to them by the parent, and windowed ones
// (WinControl: panels, forms). A windowless control derives from Control directly:
//
//   class Lamp final : public Control {
//   public:
//     explicit Lamp(WinControl& parent) : Control(&parent) { SetBounds(10, 10, 16, 16); }
//     void Paint(HDC dc) override { ... draw at (0, 0) .. (Width(), Height()) ... }
//     void MouseDown(const MouseEvent& e) override { on_ = !on_; Invalidate(); Control::MouseDown(e); }
//   };
//
// Bounds are in the parent's client coordinates; a control's own points (mouse events, painting) start at its
// top-left corner. The parent owns nothing: a control is a member (or a unique_ptr) of the form that builds it, and
// leaves its parent when destroyed.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/ui/Action.h"
#include "support/ui/Geometry.h"
#include "support/ui/Layout.h"
#include "support/ui/win/UtilityWindow.h"

namespace nv {

class WinControl;
class PopupMenu;
struct HintInfo;

// The control with this identifier on this thread, or null when it is gone.
Control* FindControl(ControlId id);

enum class MouseButton { Left, Right, Middle };

struct MouseEvent {
  MouseButton button = MouseButton::Left;
  Point at;         // in the control's coordinates
  WPARAM keys = 0;  // MK_SHIFT, MK_CONTROL and the buttons held, as the system gives them
  bool doubleClick = false;  // the press is the second of a double click
};

struct DroppedFiles {
  std::vector<std::wstring> names;
  Point at;  // in the coordinates of the control it is offered to
};

class Control : private ActionClient {
public:
  explicit Control(WinControl* parent);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  WinControl* Parent() const { return parent_; }
  ControlId Id() const { return id_; }
  ControlRef Ref() const;
  virtual bool IsWindowed() const { return false; }

  // --- Place ---
  const Rect& Bounds() const { return bounds_; }
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.Width(); }
  int Height() const { return bounds_.Height(); }
  // The area its own points cover: its bounds' size, or a window's client area.
  virtual Rect ClientRect() const { return {0, 0, Width(), Height()}; }
  // Runs AdjustBounds (not while loading), moves the control and has its parent realign.
  void SetBounds(const Rect& bounds);
  void SetBounds(int left, int top, int width, int height) { SetBounds(Rect::FromSize(left, top, width, height)); }
  Align Alignment() const { return align_; }
  void SetAlignment(Align align);
  Anchors Anchoring() const { return anchors_; }
  void SetAnchoring(Anchors anchors) { anchors_ = anchors; }
  Point ClientToScreen(Point point) const;
  Point ScreenToClient(Point point) const;
  Rect ScreenRect() const;

  // --- State ---
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so are all its parents.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // A transparent control lets the mouse through to what lies beneath it.
  bool HitTransparent() const { return hitTransparent_; }
  void SetHitTransparent(bool transparent) { hitTransparent_ = transparent; }
  // True while the mouse is over the control (or over it while it holds the capture).
  bool MouseInside() const { return mouseInside_; }

  // --- What it shows for ---
  // The control follows the action's enabled and visible state, shows its hint when the control has none of its
  // own, and a click executes it.
  Action* LinkedAction() const { return action_; }
  void SetAction(Action* action);
  std::wstring Hint;
  PopupMenu* Menu = nullptr;  // the context menu (the nearest one upwards is shown)

  // --- Painting ---
  // Paints the control into its parent's surface: the origin is the control's top-left corner and the clip its
  // bounds. What the parent and the controls beneath have painted is already there.
  virtual void Paint(HDC dc) {}
  void Invalidate();
  // Paints now.
  void Repaint();
  // Any thread: repaints later on the control's thread, unless it is gone by then.
  void PostRepaint() const { Ref().PostRepaint(); }

  // --- Mouse ---
  std::function<void(Control&)> OnClick;
  std::function<void(Control&, const MouseEvent&)> OnMouseDown, OnMouseUp, OnDoubleClick;
  std::function<void(Control&, Point, WPARAM)> OnMouseMove;
  // Holds the mouse for this control until released (a drag). A press captures by itself until the button goes up.
  void SetCapture();
  void ReleaseCapture();
  bool HasCapture() const;
  // What a click does: OnClick, else the action's Execute.
  virtual void Click();

  // --- Hints ---
  // The hint to show now: its own, else its action's.
  std::wstring HintText() const;
  // May rewrite, move, force or suppress the hint the hint manager is about to show (true: show it); the default
  // asks OnShowHint and shows any hint with a text.
  virtual bool ShowHint(HintInfo& info);
  std::function<void(Control&, HintInfo&)> OnShowHint;

  // --- Messages and timers ---
  // A message for this control alone, handled at once (the skin's notices).
  LRESULT Perform(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { return ControlMessage(message, wParam, lParam); }
  // A timer on the utility window; 0 stops it. Ticks reach TimerTick while the interval is above 0.
  void SetTimerInterval(UINT periodMs);
  UINT TimerInterval() const { return timerInterval_; }

  // --- Loading ---
  // True while the form that holds it is being built (LoadingScope).
  bool Loading() const { return loading_; }

protected:
  friend class WinControl;
  friend class UtilityWindow;
  friend class LoadingScope;

  // The defaults run the matching On… event. A double click arrives as a press (with `doubleClick` set), then
  // DoubleClick.
  virtual void MouseDown(const MouseEvent& event);
  virtual void MouseMove(Point at, WPARAM keys);
  virtual void MouseUp(const MouseEvent& event);
  virtual void DoubleClick(const MouseEvent& event);
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  // The capture was taken away (WM_CANCELMODE, another window took the mouse): end a drag here.
  virtual void CaptureLost() {}
  // Files dropped on the control; the default passes them to the parent.
  virtual void DropFiles(const DroppedFiles& files);
  virtual LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) { return 0; }
  virtual void TimerTick() {}
  // Called once when the form that holds the control has been built.
  virtual void Loaded();
  // The size rule of the control (its image's size, its text's): may change the bounds it is about to take.
  virtual void AdjustBounds(Rect& bounds) {}
  // The bounds, visibility or enabled state have been applied.
  virtual void BoundsChanged() {}
  virtual void StateChanged() {}
  // The linked action changed; the default follows its enabled and visible state and repaints.
  void ActionChanged(Action& action) override;

  // A window's visibility changed from outside (ShowWindow, the system): the state follows without applying it.
  void SetVisibleState(bool visible);

  // How a windowed control applies its place and state to its window.
  virtual void ApplyBounds() {}
  virtual void ApplyVisible() {}
  virtual void ApplyEnabled() {}

private:
  void SetMouseInside(bool inside);

  WinControl* parent_;
  ControlId id_;
  Rect bounds_;
  Align align_ = Align::None;
  Anchors anchors_;
  bool visible_ = true, enabled_ = true, hitTransparent_ = false, mouseInside_ = false, loading_ = false;
  Action* action_ = nullptr;
  UINT timerInterval_ = 0;
};

}  // namespace nv
