#include "support/ui/win/Window.h"

#include <commctrl.h>

#include "support/ui/win/ExceptionBarrier.h"
#include "support/win/Win32Error.h"

namespace nv {

Window::~Window() { Destroy(); }

Window* Window::FromHandle(HWND window) {
  // The class's procedure tells the program's windows from others; a subclass changes only the window's own.
  if (window == nullptr ||
      GetClassLongPtrW(window, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&Window::Procedure))
    return nullptr;
  return reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Window::Create(const WindowClass& windowClass, const WindowParams& params) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExW(instance, windowClass.name, &existing)) {
    WNDCLASSEXW registered{};
    registered.cbSize = sizeof registered;
    registered.style = windowClass.style;
    registered.lpfnWndProc = &Window::Procedure;
    registered.hInstance = instance;
    registered.hCursor = windowClass.cursor;
    registered.hIcon = windowClass.icon;
    registered.hbrBackground = windowClass.background;
    registered.lpszClassName = windowClass.name;
    Win32Check(RegisterClassExW(&registered) != 0);
  }
  const Rect& r = params.bounds;
  const HWND created = CreateWindowExW(params.exStyle, windowClass.name, params.caption, params.style, r.left, r.top,
                                       r.Width(), r.Height(), params.parent,
                                       reinterpret_cast<HMENU>(params.childId), instance, this);
  Win32Check(created != nullptr);
}

void Window::Destroy() {
  if (!handle_) return;
  destroyingFromHere_ = true;
  DestroyWindow(handle_);
}

void Window::SetTimer(UINT_PTR id, UINT periodMs) {
  if (handle_) ::SetTimer(handle_, id, periodMs, nullptr);
}

void Window::KillTimer(UINT_PTR id) {
  if (handle_) ::KillTimer(handle_, id);
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    HandleTimer(wParam);
    return 0;
  }
  return DefaultProc(message, wParam, lParam);
}

LRESULT Window::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);

  LRESULT result = 0;
  Guarded([&] { result = self->WindowProc(message, wParam, lParam); });
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
    Guarded([&] { self->HandleDestroyed(); });
    self->destroyingFromHere_ = false;
  }
  return result;
}

WindowSubclass::WindowSubclass(HWND window, Handler handler) : window_(window), handler_(std::move(handler)) {
  Win32Check(SetWindowSubclass(window_, &WindowSubclass::Procedure, reinterpret_cast<UINT_PTR>(this),
                               reinterpret_cast<DWORD_PTR>(this)) != FALSE);
}

WindowSubclass::~WindowSubclass() {
  // Each subclass has its own identifier, so removing this one leaves any installed after it in place.
  if (window_) RemoveWindowSubclass(window_, &WindowSubclass::Procedure, reinterpret_cast<UINT_PTR>(this));
}

LRESULT CALLBACK WindowSubclass::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR data) {
  auto* self = reinterpret_cast<WindowSubclass*>(data);
  std::optional<LRESULT> handled;
  Guarded([&] { handled = self->handler_(message, wParam, lParam); });
  if (message == WM_NCDESTROY) {
    // The handler has seen the end; the window's own procedure must see it too.
    RemoveWindowSubclass(window, &WindowSubclass::Procedure, id);
    self->window_ = nullptr;
    return DefSubclassProc(window, message, wParam, lParam);
  }
  return handled ? *handled : DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace nv
