#include "support/ui/win/Hints.h"

#include <algorithm>
#include <map>

#include "support/ui/win/Application.h"
#include "support/ui/win/Control.h"
#include "support/ui/win/ExceptionBarrier.h"
#include "support/ui/win/WinControl.h"

namespace nv {

namespace {
constexpr wchar_t kHintWindowClass[] = L"NorvaleHintWindow";
constexpr int kTextMargin = 2;
// A hint over the text it stands for: the text's own line, a pixel in from the frame.
constexpr int kOverMargin = 1;
constexpr int kMaxHintWidth = 400;
// How far below the pointer's hot spot a hint starts: below the arrow.
constexpr int kBelowPointer = 20;

UniqueFont StatusFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return UniqueFont(CreateFontIndirectW(&metrics.lfStatusFont));
}
}  // namespace

HintWindow::HintWindow() : font_(StatusFont()) {
  Create({kHintWindowClass, 0, nullptr},
         {.style = WS_POPUP | WS_BORDER, .exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE});
}

Size HintWindow::Measure(const std::wstring& text) {
  const WindowDC dc(Handle());
  const SelectedObject font(dc.Get(), font_.Get());
  RECT area{0, 0, kMaxHintWidth, 0};
  DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &area,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  const int frame = GetSystemMetrics(SM_CXBORDER);
  return {area.right + 2 * (kTextMargin + frame) + 2, area.bottom + 2 * (kTextMargin + frame)};
}

void HintWindow::ShowAt(Point at, const std::wstring& text) {
  over_ = false;
  const Size size = Measure(text);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  at.x = std::clamp<int>(at.x, work.left, std::max<int>(work.left, work.right - size.width));
  at.y = std::clamp<int>(at.y, work.top, std::max<int>(work.top, work.bottom - size.height));
  Place(Rect::FromSize(at.x, at.y, size.width, size.height), text);
}

void HintWindow::ShowOver(const Rect& area, const std::wstring& text) {
  // One line, as the text it stands for; wider than the area when the whole text needs it.
  over_ = true;
  const WindowDC dc(Handle());
  const SelectedObject font(dc.Get(), font_.Get());
  SIZE extent{};
  GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
  const int needed = extent.cx + 2 * (kOverMargin + GetSystemMetrics(SM_CXBORDER));
  Rect bounds = area;
  bounds.right = std::max(bounds.right, bounds.left + needed);
  Place(bounds, text);
}

void HintWindow::Place(const Rect& bounds, const std::wstring& text) {
  text_ = text;
  SetWindowPos(Handle(), HWND_TOPMOST, bounds.left, bounds.top, bounds.Width(), bounds.Height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(Handle(), nullptr, TRUE);
  UpdateWindow(Handle());
}

void HintWindow::HideHint() {
  if (IsWindowVisible(Handle())) ShowWindow(Handle(), SW_HIDE);
}

void HintWindow::PaintHint(HDC dc, const Rect& client) {
  const RECT all = ToRECT(client);
  FillRect(dc, &all, GetSysColorBrush(COLOR_INFOBK));
  const SelectedObject font(dc, font_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  if (over_) {
    RECT line = ToRECT(client.Deflate({kOverMargin, 0, kOverMargin, 0}));
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &line, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    return;
  }
  RECT text = ToRECT(client.Deflate({kTextMargin + 1, kTextMargin, kTextMargin, kTextMargin}));
  DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &text, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
}

LRESULT HintWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(Handle(), &paint);
      RECT client{};
      GetClientRect(Handle(), &client);
      PaintHint(dc, FromRECT(client));
      EndPaint(Handle(), &paint);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client{};
      GetClientRect(Handle(), &client);
      PaintHint(reinterpret_cast<HDC>(wParam), FromRECT(client));
      return 0;
    }
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // the pointer belongs to what lies beneath
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    default:
      return Window::WindowProc(message, wParam, lParam);
  }
}

// The manager's two timers: thread timers, whose callbacks run behind the exception barrier. Each arming is a new
// timer of the system, so a tick of an earlier arming is never taken for the current one.
class HintManager::Timers {
public:
  explicit Timers(HintManager& manager) : manager_(manager) {}
  ~Timers() {
    Disarm(pause);
    Disarm(hide);
  }

  void Arm(UINT_PTR& timer, UINT periodMs) {
    Disarm(timer);
    timer = ::SetTimer(nullptr, 0, periodMs, &Timers::Tick);
    if (timer) armed_[timer] = this;
  }
  void Disarm(UINT_PTR& timer) {
    if (!timer) return;
    ::KillTimer(nullptr, timer);
    armed_.erase(timer);
    timer = 0;
  }
  UINT_PTR pause = 0, hide = 0;

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    const auto found = armed_.find(timer);
    if (found == armed_.end()) {
      ::KillTimer(nullptr, timer);
      return;
    }
    Timers& self = *found->second;
    Guarded([&] {
      if (timer == self.pause) {
        self.Disarm(self.pause);
        HintManager* manager = &self.manager_;
        UtilityWindow::Current().PostCall([manager] { manager->PauseEnded(); });
      } else if (timer == self.hide) {
        self.Disarm(self.hide);
        if (!self.manager_.dragging_) self.manager_.Window().HideHint();
      }
    });
  }

  HintManager& manager_;
  // The armed timers of this thread (a thread timer's callback has no other way back to its object).
  static thread_local std::map<UINT_PTR, Timers*> armed_;
};

thread_local std::map<UINT_PTR, HintManager::Timers*> HintManager::Timers::armed_;

HintManager::HintManager() : timers_(std::make_unique<Timers>(*this)) {}
HintManager::~HintManager() = default;

HintWindow& HintManager::Window() {
  if (!window_) window_ = factory_ ? factory_() : std::make_unique<HintWindow>();
  return *window_;
}

bool HintManager::Showing() const { return window_ && IsWindowVisible(window_->Handle()); }

void HintManager::SetWindowFactory(std::function<std::unique_ptr<HintWindow>()> factory) {
  factory_ = std::move(factory);
  window_.reset();
}

void HintManager::MessageSeen(const MSG& message) {
  if (dragging_) return;
  switch (message.message) {
    case WM_MOUSEMOVE:
      PointerAt(message.hwnd, {message.pt.x, message.pt.y});
      break;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_MOUSEWHEEL:
      Cancel();
      suppressed_ = true;
      break;
    case WM_MOUSELEAVE: {
      // Only the window of the control the pointer rested on: the next window's move may have come first.
      const Control* control = current_.Get();
      const Control* surface = control && !control->IsWindowed() ? control->Parent() : control;
      if (surface && static_cast<const WinControl*>(surface)->Handle() == message.hwnd) {
        Cancel();
        current_ = {};
      }
      break;
    }
    default:
      break;
  }
}

void HintManager::PointerAt(HWND window, Point screen) {
  // A hint over its control (a row's full text) is in the pointer's way but stands for what lies beneath it.
  if (window_ && window == window_->Handle()) return;
  Control* under = nullptr;
  // A system control inside one of ours (the playlist box's list) stands for the control that holds it.
  if (!nv::Window::FromHandle(window) && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
  if (auto* container = dynamic_cast<WinControl*>(nv::Window::FromHandle(window))) {
    POINT client{screen.x, screen.y};
    ScreenToClient(window, &client);
    under = container->ControlAt({client.x, client.y});
    if (!under) under = container;
  }
  if (under != current_.Get()) {
    const bool wasShowing = Showing();
    Cancel();
    suppressed_ = false;
    current_ = under ? under->Ref() : ControlRef();
    if (under) timers_->Arm(timers_->pause, wasShowing ? ShortPause : Pause);
    return;
  }
  if (Showing() && !cursorRect_.Contains(screen)) {
    // Left the rectangle the hint stands for (a row of a list): the next one follows shortly.
    Cancel();
    if (under && !suppressed_) timers_->Arm(timers_->pause, ShortPause);
  }
}

void HintManager::PauseEnded() {
  Control* control = current_.Get();
  if (!control || suppressed_ || !control->Showing()) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  HintInfo info;
  info.control = control;
  info.text = control->HintText();
  info.position = {cursor.x, cursor.y + kBelowPointer};
  info.cursorRect = control->ScreenRect();
  info.hidePause = HidePause;
  if (!control->ShowHint(info) || info.text.empty()) return;
  cursorRect_ = info.cursorRect;
  if (!info.area.IsEmpty()) Window().ShowOver(info.area, info.text);
  else Window().ShowAt(info.position, info.text);
  if (info.hidePause > 0) timers_->Arm(timers_->hide, info.hidePause);
}

void HintManager::Cancel() {
  timers_->Disarm(timers_->pause);
  timers_->Disarm(timers_->hide);
  if (window_) window_->HideHint();
}

void HintManager::Hide() {
  Cancel();
  dragging_ = false;
  current_ = {};
}

void HintManager::ShowHint(const std::wstring& text, Point at) {
  Cancel();
  cursorRect_ = Rect::FromSize(at.x, at.y, 1, 1);
  Window().ShowAt(at, text);
  if (HidePause > 0) timers_->Arm(timers_->hide, HidePause);
}

void HintManager::ShowHintOver(const std::wstring& text, const Rect& area) {
  Cancel();
  cursorRect_ = area;
  Window().ShowOver(area, text);
  if (HidePause > 0) timers_->Arm(timers_->hide, HidePause);
}

void HintManager::ShowDragHint(const std::wstring& text, Point at) {
  if (!dragging_) Cancel();
  dragging_ = true;
  Window().ShowAt(at, text);
}

void HintManager::HideDragHint() {
  if (!dragging_) return;
  dragging_ = false;
  Cancel();
}

}  // namespace nv
