#include "support/ui/win/Application.h"

#include <algorithm>
#include <memory>

#include "resources/StringIds.h"
#include "support/Errors.h"
#include "support/PathNames.h"
#include "support/ui/win/ExceptionBarrier.h"
#include "support/ui/win/Form.h"
#include "support/ui/win/Hints.h"
#include "support/ui/win/ModalScope.h"
#include "support/ui/win/Resources.h"
#include "support/ui/win/Window.h"
#include "support/win/ModulePath.h"
#include "support/win/WideText.h"

namespace nv {

namespace {

constexpr wchar_t kApplicationWindowClass[] = L"NorvaleApplication";
// How often a wait that handles messages looks at its stop condition when nothing else wakes it.
constexpr DWORD kWaitPollMs = 100;

using WindowHook = std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)>;

// The hidden top-level window of a user-interface thread. Top level (not message-only) so that the system's
// broadcasts reach it; never shown.
class ApplicationWindow final : public Window {
public:
  ApplicationWindow() {
    const std::wstring title = App().Title();
    Create({kApplicationWindowClass}, {.style = WS_POPUP, .caption = title.c_str()});
  }

  std::vector<std::pair<int, WindowHook>> hooks;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    const auto snapshot = hooks;
    for (const auto& [id, hook] : snapshot) {
      const bool stillThere = std::any_of(hooks.begin(), hooks.end(), [&](const auto& h) { return h.first == id; });
      LRESULT result = 0;
      if (stillThere && hook(message, wParam, lParam, result)) return result;
    }
    return Window::WindowProc(message, wParam, lParam);
  }
};

// What each user-interface thread has of its own. Made on first use and never destroyed: the windows die with
// their thread. (A thread-local object with a destructor is not safe here: mingw-w64 may free its storage before
// running the destructor at thread exit.)
struct ThreadState {
  std::unique_ptr<ApplicationWindow> window;
  std::unique_ptr<HintManager> hints;
  bool inIdle = false;
};
thread_local ThreadState* currentThreadState = nullptr;

ThreadState& ThisThread() {
  if (!currentThreadState) currentThreadState = new ThreadState;
  return *currentThreadState;
}

template <class List>
int AddTo(List& list, int& next, typename List::value_type::second_type item) {
  const int id = next++;
  list.emplace_back(id, std::move(item));
  return id;
}

template <class List>
void RemoveFrom(List& list, int id) {
  std::erase_if(list, [id](const auto& entry) { return entry.first == id; });
}

}  // namespace

void ReportCurrentException() noexcept { App().HandleException(std::current_exception()); }

Application& Application::Instance() {
  static Application application;
  return application;
}

void Application::SetTitle(std::string_view heldTitle) {
  const std::lock_guard lock(titleLock_);
  title_ = MarkedToWide(heldTitle);
}

std::wstring Application::Title() const {
  {
    const std::lock_guard lock(titleLock_);
    if (!title_.empty()) return title_;
  }
  return ToWide(ChangeFileExt(ExtractFileName(ToUtf16(ModuleFileName())), u""));
}

void Application::HandleException(std::exception_ptr failure) noexcept {
  try {
    std::rethrow_exception(failure);
  } catch (const EAbort&) {
    // The silent abort: the work ended on purpose, nothing to say.
  } catch (const std::exception& e) {
    try {
      if (OnException) OnException(e);
      else ShowError(e.what());
    } catch (...) {
    }
  } catch (...) {
    try {
      const Exception unknown(WideToMarked(ResourceString(IDS_UNKNOWN_FAILURE)));
      if (OnException) OnException(unknown);
      else ShowError(unknown.what());
    } catch (...) {
    }
  }
}

void Application::ShowError(std::string_view heldMessage) {
  ShowMessageBox(MarkedToWide(heldMessage), MB_OK | MB_ICONSTOP);
}

int Application::Run() {
  while (HandleMessage()) {
  }
  return exitCode_;
}

void Application::Terminate(int exitCode) {
  exitCode_ = exitCode;
  terminated_ = true;
  // Loops that are not ours (a message box, a menu) end on the quit message and post it again for the next.
  PostQuitMessage(exitCode);
}

void Application::QuitSeen(WPARAM exitCode) {
  if (!terminated_) exitCode_ = static_cast<int>(exitCode);
  terminated_ = true;
  PostQuitMessage(static_cast<int>(exitCode));  // the loop around this one sees it too
}

bool Application::HandleMessage() {
  if (terminated_) return false;
  MSG message;
  if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      QuitSeen(message.wParam);
      return false;
    }
    ProcessMessage(message);
  } else {
    Idle();
    if (!terminated_) MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
  return !terminated_;
}

void Application::ProcessMessages() {
  MSG message;
  while (!terminated_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      QuitSeen(message.wParam);
      return;
    }
    ProcessMessage(message);
  }
}

void Application::ProcessMessage(MSG& message) {
  bool handled = false;
  Guarded([&] { handled = PreTranslate(message); });
  if (handled) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

bool Application::PreTranslate(MSG& message) {
  const auto snapshot = filters_;
  for (const auto& [id, filter] : snapshot)
    if (filter(message)) return true;
  if (ThisThread().hints || message.message == WM_MOUSEMOVE) Hints().MessageSeen(message);
  if (Form* form = Form::Containing(message.hwnd)) return form->PreTranslate(message);
  return false;
}

WaitResult Application::WaitPumping(HANDLE object, const std::function<bool()>& stop, DWORD timeoutMs) {
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    if (terminated_) return WaitResult::Terminated;
    if (object && WaitForSingleObject(object, 0) == WAIT_OBJECT_0) return WaitResult::Signalled;
    if (stop && stop()) return WaitResult::Stopped;
    MSG message;
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        QuitSeen(message.wParam);
        return WaitResult::Terminated;
      }
      ProcessMessage(message);
      continue;
    }
    const ULONGLONG waited = GetTickCount64() - start;
    if (timeoutMs != INFINITE && waited >= timeoutMs) return WaitResult::TimedOut;
    const DWORD slice =
        timeoutMs == INFINITE ? kWaitPollMs : static_cast<DWORD>(std::min<ULONGLONG>(kWaitPollMs, timeoutMs - waited));
    MsgWaitForMultipleObjectsEx(object ? 1 : 0, object ? &object : nullptr, slice, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

WaitResult Application::WaitPumping(const std::function<bool()>& stop, DWORD timeoutMs) {
  return WaitPumping(nullptr, stop, timeoutMs);
}

Registration Application::AddMessageFilter(std::function<bool(MSG&)> filter) {
  const int id = AddTo(filters_, nextRegistration_, std::move(filter));
  return Registration([this, id] { RemoveFrom(filters_, id); });
}

void Application::Idle() {
  ThreadState& state = ThisThread();
  if (state.inIdle) return;
  state.inIdle = true;
  Guarded([&] { UpdateActions(); });
  const auto snapshot = idleHandlers_;
  for (const auto& [id, handler] : snapshot) Guarded(handler);
  state.inIdle = false;
}

Registration Application::AddIdleHandler(std::function<void()> handler) {
  const int id = AddTo(idleHandlers_, nextRegistration_, std::move(handler));
  return Registration([this, id] { RemoveFrom(idleHandlers_, id); });
}

void Application::UpdateActions() {
  const DWORD thread = GetCurrentThreadId();
  const std::vector<Form*> snapshot = forms_;
  for (Form* form : snapshot) {
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) continue;  // gone meanwhile
    const HWND handle = form->Handle();
    if (!handle || GetWindowThreadProcessId(handle, nullptr) != thread || !IsWindowVisible(handle)) continue;
    for (ActionList* list : form->ActionLists()) list->UpdateAll();
  }
}

HWND Application::Handle() {
  ThreadState& state = ThisThread();
  if (!state.window) state.window = std::make_unique<ApplicationWindow>();
  return state.window->Handle();
}

Registration Application::HookWindow(std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> hook) {
  Handle();
  ApplicationWindow* window = ThisThread().window.get();
  static int nextHook = 1;
  const int id = AddTo(window->hooks, nextHook, std::move(hook));
  return Registration([window, id] {
    // Only if the thread's window is still the one hooked: "only if still mine".
    if (ThisThread().window.get() == window) RemoveFrom(window->hooks, id);
  });
}

HintManager& Application::Hints() {
  ThreadState& state = ThisThread();
  if (!state.hints) state.hints = std::make_unique<HintManager>();
  return *state.hints;
}

Registration Application::AddModalExtraWindow(HWND window) {
  const int id = AddTo(extraWindows_, nextRegistration_, window);
  return Registration([this, id] { RemoveFrom(extraWindows_, id); });
}

std::vector<HWND> Application::ModalExtraWindows() const {
  std::vector<HWND> windows;
  for (const auto& [id, window] : extraWindows_) windows.push_back(window);
  return windows;
}

void Application::AddForm(Form& form) { forms_.push_back(&form); }

void Application::RemoveForm(Form& form) {
  std::erase(forms_, &form);
  if (mainForm_ == &form) mainForm_ = nullptr;
}

}  // namespace nv
