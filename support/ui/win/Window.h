#pragma once
// The thin base of every window the program makes. The object is bound to its window at WM_NCCREATE, every message
// goes to the virtual WindowProc through the one exception barrier, and the handle is forgotten at WM_NCDESTROY.
// A window class is registered once per name, on first use.
//
//   class Probe final : public Window {
//   public:
//     Probe() { Create({L"NorvaleProbe"}, {.style = WS_POPUP}); }
//   protected:
//     LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
//       if (message == WM_PAINT) ...
//       return Window::WindowProc(message, wParam, lParam);
//     }
//     void HandleTimer(UINT_PTR id) override { if (id == kBlinkTimer) ...; else Window::HandleTimer(id); }
//   };
//
// Forms (Form.h) and containers of windowless controls (WinControl.h) stand on this; so do the hidden windows of
// the engine and the application.
#include <windows.h>

#include <functional>
#include <optional>

#include "support/ui/Geometry.h"
#include "support/ui/win/WinRect.h"

namespace nv {

struct WindowClass {
  const wchar_t* name = nullptr;
  UINT style = 0;
  HBRUSH background = nullptr;
  HCURSOR cursor = LoadCursorW(nullptr, IDC_ARROW);
  HICON icon = nullptr;
};

struct WindowParams {
  DWORD style = WS_POPUP;
  DWORD exStyle = 0;
  const wchar_t* caption = L"";
  Rect bounds;               // in the parent's client area for a child, on the screen otherwise
  HWND parent = nullptr;     // the parent of a child window, the owner of a top-level one, HWND_MESSAGE
  UINT_PTR childId = 0;      // a child window's identifier
};

class Window {
public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();  // destroys the window if it still exists

  HWND Handle() const { return handle_; }
  // The object of one of the program's windows; null for any other window.
  static Window* FromHandle(HWND window);

  // Timers of this window, numbered by the window's owner; ticks reach HandleTimer.
  void SetTimer(UINT_PTR id, UINT periodMs);
  void KillTimer(UINT_PTR id);

  // True while this program destroys the window (Destroy, the destructor); false when it is destroyed from outside
  // (its parent in another process went away).
  bool DestroyingFromHere() const { return destroyingFromHere_; }

protected:
  Window() = default;

  // Registers the class on first use and creates the window; raises EWin32Error on failure. Messages sent while
  // the window is created reach the WindowProc of the class that calls Create.
  void Create(const WindowClass& windowClass, const WindowParams& params);
  void Destroy();

  // Handles one message; the default passes WM_TIMER to HandleTimer and everything else to DefaultProc.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
  // A timer of this window ticked. Overrides handle their own timers and pass the others on to their base.
  virtual void HandleTimer(UINT_PTR id) {}
  // The handle is gone (WM_NCDESTROY); the object lives on.
  virtual void HandleDestroyed() {}

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND handle_ = nullptr;
  bool destroyingFromHere_ = false;
};

// A subclass of a window of this process (one of ours or a system control), removed when it goes out of scope or
// when the window is destroyed. The handler returns a result for a message it handles, or nothing to pass the
// message on. It runs behind the exception barrier: a failure is reported and the message passed on.
class WindowSubclass {
public:
  using Handler = std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)>;
  WindowSubclass(HWND window, Handler handler);
  ~WindowSubclass();
  WindowSubclass(const WindowSubclass&) = delete;
  WindowSubclass& operator=(const WindowSubclass&) = delete;

  HWND Subclassed() const { return window_; }  // null once the window is gone

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self);
  HWND window_;
  Handler handler_;
};

}  // namespace nv
