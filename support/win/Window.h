#pragma once
// The thin base of the program's own windows: a window class registered once per name, messages dispatched to the
// C++ object through a pointer kept with the window. A failure thrown while handling a message is shown by the
// application's exception handler and does not cross the system's window procedure.
#include <windows.h>

namespace nv {

class Window {
public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();  // destroys the window if it still exists

  HWND Handle() const { return handle_; }

protected:
  Window() = default;

  struct ClassStyle {
    UINT style = 0;
    HBRUSH background = nullptr;
    HCURSOR cursor = LoadCursorW(nullptr, IDC_ARROW);
  };
  // Registers `className` on first use (with `classStyle`) and creates the window; raises EWin32Error on failure.
  void Create(const wchar_t* className, const ClassStyle& classStyle, DWORD exStyle, DWORD style, const wchar_t* title,
              int x, int y, int width, int height, HWND parent);
  void Destroy();

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The handle is gone (WM_NCDESTROY); the object lives on.
  virtual void HandleDestroyed() {}

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND handle_ = nullptr;
};

}  // namespace nv
