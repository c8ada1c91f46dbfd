#include "support/win/Window.h"

#include "support/win/Application.h"
#include "support/win/Win32Error.h"

namespace nv {

Window::~Window() { Destroy(); }

void Window::Create(const wchar_t* className, const ClassStyle& classStyle, DWORD exStyle, DWORD style,
                    const wchar_t* title, int x, int y, int width, int height, HWND parent) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExW(instance, className, &existing)) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = classStyle.style;
    windowClass.lpfnWndProc = &Window::Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = classStyle.cursor;
    windowClass.hbrBackground = classStyle.background;
    windowClass.lpszClassName = className;
    Win32Check(RegisterClassExW(&windowClass) != 0);
  }
  const HWND created =
      CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, nullptr, instance, this);
  Win32Check(created != nullptr);
}

void Window::Destroy() {
  if (handle_) DestroyWindow(handle_);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
  try {
    result = self->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& e) {
    ShowException(e);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
    self->HandleDestroyed();
  }
  return result;
}

}  // namespace nv
