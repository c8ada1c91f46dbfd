#pragma once
// Hints: the one hint window of a user-interface thread and the manager that decides when it shows.
//
// The manager watches the mouse messages of our loops. When the pointer rests on a control with a hint (its own or
// its action's) for the pause (500 ms; 50 ms when a hint was just showing), it asks the control's ShowHint, which may
// rewrite the text, move the hint, place it exactly over a rectangle (a truncated row), change how long it stays, or
// suppress it; then it shows the hint below the pointer, without activation, even while another program is in
// front. The hint goes when the pointer leaves the hint's cursor rectangle, on a click or a key, or after the hide
// pause. Hints can also be shown by hand, and a drag hint follows a drag at once and stays until the drag ends.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "support/ui/Geometry.h"
#include "support/ui/win/GdiObjects.h"
#include "support/ui/win/UtilityWindow.h"
#include "support/ui/win/Window.h"

namespace nv {

class Control;

struct HintInfo {
  Control* control = nullptr;  // the control the hint is for
  std::wstring text;
  Point position;     // on the screen: the hint window's top-left corner
  Rect area;          // on the screen: when not empty, the hint covers this rectangle instead (on one line, wider
                      // when the text needs it)
  Rect cursorRect;    // on the screen: the hint stays while the pointer stays inside
  UINT hidePause = 0;  // ms until it hides by itself; 0: never
};

// The window a hint shows in: topmost, never activated, never layered (it stays opaque over translucent forms).
// A skin may derive its own and install it with HintManager::SetWindowFactory.
class HintWindow : public Window {
public:
  HintWindow();

  // Shows the text with the window's top-left corner at `at`, kept inside the work area.
  void ShowAt(Point at, const std::wstring& text);
  // Shows the text on one line in a window covering `area` (widened when the text needs more).
  void ShowOver(const Rect& area, const std::wstring& text);
  void HideHint();
  const std::wstring& Text() const { return text_; }

protected:
  // The window's size for a text, frame included.
  virtual Size Measure(const std::wstring& text);
  virtual void PaintHint(HDC dc, const Rect& client);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  HFONT Font() const { return font_.Get(); }

private:
  void Place(const Rect& bounds, const std::wstring& text);
  UniqueFont font_;
  std::wstring text_;
  bool over_ = false;  // shown over an area
};

class HintManager {
public:
  HintManager();
  ~HintManager();
  HintManager(const HintManager&) = delete;
  HintManager& operator=(const HintManager&) = delete;

  UINT Pause = 500;
  UINT ShortPause = 50;
  UINT HidePause = 2500;

  // A message of our loops (the hint step of ProcessMessage).
  void MessageSeen(const MSG& message);

  // Shows a hint now, without the pause: below a point, or exactly over a rectangle (screen coordinates).
  void ShowHint(const std::wstring& text, Point at);
  void ShowHintOver(const std::wstring& text, const Rect& area);
  // A drag hint: shown, moved and rewritten at once on every call; neither the mouse nor a timer hides it.
  void ShowDragHint(const std::wstring& text, Point at);
  void HideDragHint();
  // Hides the hint; the next one waits for the full pause.
  void Hide();

  HintWindow& Window();
  bool Showing() const;
  // The control the pointer rests on (the one a hint is or will be shown for), or null.
  Control* HintControl() const { return current_.Get(); }
  // Replaces the hint window (the skin's); the current hint is hidden.
  void SetWindowFactory(std::function<std::unique_ptr<HintWindow>()> factory);

private:
  class Timers;
  void PauseEnded();
  void PointerAt(HWND window, Point screen);
  void Cancel();

  std::unique_ptr<Timers> timers_;
  std::function<std::unique_ptr<HintWindow>()> factory_;
  std::unique_ptr<HintWindow> window_;
  ControlRef current_;
  Rect cursorRect_;
  bool dragging_ = false;
  bool suppressed_ = false;  // a click on the current control: no hint until the pointer moves on
};

}  // namespace nv
