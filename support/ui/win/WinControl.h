#pragma once
// WinControl: a control with a window of its own that holds other controls — the base of forms and panels.
//
// Its windowless children paint into its off-screen surface in z-order (creation order; BringToFront and
// SendToBack change it), after its background, so each child sees what lies beneath it; the same painting answers
// WM_PRINTCLIENT, so PrintWindow shows the children too. Mouse input goes to the child under the pointer (or to the
// child holding the capture): a press captures the mouse for the pressed child until the buttons are released,
// WM_CANCELMODE and a capture taken elsewhere reach the child's CaptureLost, and MouseEnter/MouseLeave follow the
// pointer in and out. A right click shows the nearest context menu upwards. Files dropped on it go to the child
// under the point, which passes them on upwards unless it handles them.
//
// Aligned children (windowless or not) are laid out inside the client area less ContentInsets() whenever the size
// or a child changes, except while an AlignLock or a LoadingScope holds the layout back.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <vector>

#include "support/ui/win/Control.h"
#include "support/ui/win/Window.h"

namespace nv {

class WinControl : public Control, public Window {
public:
  ~WinControl() override;

  bool IsWindowed() const override { return true; }
  Rect ClientRect() const override;
  using Window::Handle;

  const std::vector<Control*>& Children() const { return children_; }
  void BringToFront(Control& child);
  void SendToBack(Control& child);
  // The windowless child that takes the mouse at a point of the client area, or null when this control does.
  Control* ControlAt(Point at) const;
  Control* CapturedControl() const { return capture_; }

  Insets ContentInsets() const { return insets_; }
  void SetContentInsets(Insets insets);
  // Lays the aligned children out now (unless an AlignLock or a LoadingScope holds it back).
  void Realign();

  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);
  // Paints the background and the windowless children clipped to `clip`, as WM_PAINT and WM_PRINTCLIENT do.
  void PaintTo(HDC dc, const Rect& clip);

  void SetAcceptFiles(bool accept);
  // Files dropped on this control or passed up to it; without a handler they go on to the parent.
  std::function<void(WinControl&, const DroppedFiles&)> OnDropFiles;

protected:
  // Makes the window: a child of `parent`'s window when there is a parent, else a top-level window (whose owner,
  // if any, is `params.parent`).
  WinControl(WinControl* parent, const WindowClass& windowClass, WindowParams params);

  // The background under the children; the default fills with Color().
  virtual void PaintBackground(HDC dc, const Rect& clip);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void DropFiles(const DroppedFiles& files) override;
  void ApplyBounds() override;
  void ApplyVisible() override;
  void ApplyEnabled() override;
  // How the window shows when made visible: SW_SHOWNA for a child, SW_SHOW (activating) for a top-level window.
  virtual int ShowCommand() const;

private:
  friend class Control;
  friend class AlignLock;
  friend class LoadingScope;
  void AddChild(Control& child);
  void RemoveChild(Control& child);
  // A child was hidden, disabled or is going: it loses the mouse.
  void ChildStateLost(Control& child);
  void CaptureFor(Control& control);
  bool LayoutHeld() const;

  void Paint(HDC dc) final {}
  void PaintWindow();
  void RouteMouse(UINT message, WPARAM wParam, LPARAM lParam);
  void SetHot(Control* control);
  void EndCapture();
  void ShowContextMenu(LPARAM screenPoint);
  void AcceptDrop(HDROP drop);
  void Resized();
  void SyncBounds();

  std::vector<Control*> children_;
  Control* capture_ = nullptr;
  Control* hot_ = nullptr;
  Control* leftPressed_ = nullptr;  // what a left release over it clicks
  bool trackingLeave_ = false;
  Insets insets_;
  COLORREF color_;
  int alignLocks_ = 0;
  Size clientSize_;  // as last laid out, for the anchors
};

// Holds a container's layout back while it lives (many changes, one layout at the end).
class AlignLock {
public:
  explicit AlignLock(WinControl& control) : control_(control) { ++control_.alignLocks_; }
  ~AlignLock() {
    if (--control_.alignLocks_ == 0) control_.Realign();
  }
  AlignLock(const AlignLock&) = delete;
  AlignLock& operator=(const AlignLock&) = delete;

private:
  WinControl& control_;
};

}  // namespace nv
