#include "shell/win/SubclassUtils.h"

#include <vector>

#include "shell/win/XComModule.h"

namespace nv {

namespace {

constexpr wchar_t kSubclasserProperty[] = L"Norvale.Subclasser";
// The window of another process answers whether it is subclassed within this time; a hung shell is not waited for.
constexpr UINT kRemoteAnswerTimeoutMs = 2000;

std::vector<SubclassFactory>& SubclassClasses() {
  static std::vector<SubclassFactory> classes;
  return classes;
}

SubclassFactory FactoryFor(LPARAM classIndex) {
  const std::vector<SubclassFactory>& classes = SubclassClasses();
  return classIndex >= 1 && static_cast<std::size_t>(classIndex) <= classes.size() ? classes[classIndex - 1]
                                                                                      : nullptr;
}

// Keeps the module in this process for good: the hook that brought it may go any time.
void PinModule() {
  static const bool pinned = LoadLibraryW(ComModuleFileName().c_str()) != nullptr;
  (void)pinned;
}

// The window the hook last subclassed on this thread. Only the unhook message posted right after that subclass
// message is honoured: any process can post these messages, and no other should remove hooks inside the shell.
thread_local HWND awaitingUnhook = nullptr;

void CreateSubclassFor(HWND window, LPARAM classIndex) {
  const SubclassFactory factory = FactoryFor(classIndex);
  if (factory == nullptr) return;
  if (TSubclasser* existing = TSubclasser::Of(window); existing && existing->IsSubclassed()) return;
  TWindowSubclass* created = factory(window, static_cast<int>(classIndex));
  if (created && !created->Subclass()) delete created;
}

LRESULT CALLBACK SubclassHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    const MSG& message = *reinterpret_cast<const MSG*>(lParam);
    if (message.message == SubclassMessage() && message.wParam == kSubclassAttach) {
      CreateSubclassFor(message.hwnd, message.lParam);
      awaitingUnhook = message.hwnd;
    } else if (message.message == UnhookMessage()) {
      if (awaitingUnhook != nullptr && awaitingUnhook == message.hwnd)
        UnhookWindowsHookEx(reinterpret_cast<HHOOK>(message.lParam));
      awaitingUnhook = nullptr;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

UINT SubclassMessage() {
  static const UINT message = RegisterWindowMessageW(L"{412025F8-C930-4F55-AFED-0930BEFB7961}");
  return message;
}

UINT UnhookMessage() {
  static const UINT message = RegisterWindowMessageW(L"{412025F9-C930-4F55-AFED-0930BEFB7961}");
  return message;
}

TSubclasser::~TSubclasser() { Unsubclass(); }

TSubclasser* TSubclasser::Of(HWND window) { return static_cast<TSubclasser*>(GetPropW(window, kSubclasserProperty)); }

bool TSubclasser::Subclass() {
  if (IsSubclassed()) return true;
  if (window_ == nullptr || !IsWindow(window_) || Of(window_) != nullptr) return false;
  if (!SetPropW(window_, kSubclasserProperty, this)) return false;
  previous_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TSubclasser::Procedure)));
  if (previous_ == nullptr) RemovePropW(window_, kSubclasserProperty);
  return previous_ != nullptr;
}

bool TSubclasser::Unsubclass() {
  if (!IsSubclassed()) return true;
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC)) != &TSubclasser::Procedure) return false;
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  RemovePropW(window_, kSubclasserProperty);
  previous_ = nullptr;
  return true;
}

LRESULT TSubclasser::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) const {
  if (previous_ == nullptr) return DefWindowProcW(window_, message, wParam, lParam);
  return CallWindowProcW(previous_, window_, message, wParam, lParam);
}

LRESULT CALLBACK TSubclasser::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TSubclasser* self = Of(window);
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window goes: the previous procedure gets its last message, and the property with it.
    const WNDPROC previous = self->previous_;
    self->previous_ = nullptr;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropW(window, kSubclasserProperty);
    return CallWindowProcW(previous, window, message, wParam, lParam);
  }
  return self->owner_.SubclassedProc(*self, message, wParam, lParam);
}

LRESULT TWindowSubclass::SubclassedProc(TSubclasser&, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == SubclassMessage() && lParam == classIndex_) {
    switch (wParam) {
      case kSubclassAttach:
        if (++references_ == 1) PinModule();
        return references_;
      case kSubclassDetach:
        if (references_ > 0 && --references_ == 0) Released();
        return references_;
      default:
        return 0;
    }
  }
  if (references_ > 0) return WindowProc(message, wParam, lParam);
  return main_.CallPrevious(message, wParam, lParam);
}

int RegisterSubclassClass(SubclassFactory factory) {
  SubclassClasses().push_back(factory);
  return static_cast<int>(SubclassClasses().size());
}

LRESULT RemoteSubclass(HWND window, int classIndex, bool attach) {
  if (window == nullptr) return 0;
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, SubclassMessage(), attach ? kSubclassAttach : kSubclassDetach, classIndex,
                           SMTO_ABORTIFHUNG, kRemoteAnswerTimeoutMs, &answer))
    answer = 0;
  if (!attach || static_cast<LRESULT>(answer) > 0) return static_cast<LRESULT>(answer);
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  const HHOOK hook = thread ? SetWindowsHookExW(WH_GETMESSAGE, SubclassHookProc, ComModule(), thread) : nullptr;
  if (hook == nullptr) return 0;
  PostMessageW(window, SubclassMessage(), kSubclassAttach, classIndex);
  PostMessageW(window, UnhookMessage(), 0, reinterpret_cast<LPARAM>(hook));
  return 0;
}

}  // namespace nv
