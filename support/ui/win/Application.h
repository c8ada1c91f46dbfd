#pragma once
// The application: the one message loop every loop of the program uses, idle processing, termination, the
// exception handler, the forms that are open and the hidden application window that owns dialogs and menus.
//
// Every loop of ours — the main loop, a modal form's, a wait for a worker — handles a message in the same steps
// (ProcessMessage): the message filters, the hints, the form's short-cuts (and dialog keys), then dispatch. When
// the queue is empty the loop runs the idle processing (action updates, the idle handlers) and waits. Loops that
// are not ours (the system's dialogs, message boxes, menus) keep idle alive through ForeignLoopIdle (ModalScope.h).
//
// Terminate ends every loop: the innermost returns at once, hands the quit on to the loop around it, and Run
// returns the exit code. Loops never block the thread without handling messages: the strip is a child of the
// shell's taskbar, whose input is attached to ours, so a thread that stops handling messages freezes the taskbar.
//
// The user-interface objects belong to the thread that makes them; the application's hidden windows (this one, the
// utility window, the hint window) are made once per such thread.
#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "support/ui/Registration.h"

namespace nv {

class Form;
class HintManager;

enum class WaitResult { Signalled, Stopped, TimedOut, Terminated };

class Application {
public:
  static Application& Instance();

  // The caption of the program's message boxes; until one is set, the program file's name without its extension.
  void SetTitle(std::string_view heldTitle);
  std::wstring Title() const;

  // --- Failures ---
  // Reports a failure: the silent abort is dropped, anything else goes to OnException when one is set, otherwise
  // to a message box with the failure's message. Never throws.
  void HandleException(std::exception_ptr failure) noexcept;
  std::function<void(const std::exception&)> OnException;
  // A message box with the stop icon and the application's title.
  void ShowError(std::string_view heldMessage);

  // --- The message loop ---
  // Handles messages until the application terminates; returns the exit code.
  int Run();
  // Ends every loop of the program; Run returns `exitCode`.
  void Terminate(int exitCode = 0);
  bool Terminated() const { return terminated_; }
  // Handles one message, or runs the idle processing and waits for one; false once the application terminates.
  bool HandleMessage();
  // Handles every message that is waiting, then returns.
  void ProcessMessages();
  // The steps every loop of ours takes for one message: filters, hints, short-cuts and dialog keys, dispatch.
  void ProcessMessage(MSG& message);
  // Waits until `object` is signalled, `stop` says so (asked after every message and at least every 100 ms) or the
  // time is up, handling messages all the while.
  WaitResult WaitPumping(HANDLE object, const std::function<bool()>& stop = {}, DWORD timeoutMs = INFINITE);
  WaitResult WaitPumping(const std::function<bool()>& stop, DWORD timeoutMs = INFINITE);

  // A filter sees every message of our loops first; true means handled (the message goes no further).
  Registration AddMessageFilter(std::function<bool(MSG&)> filter);

  // --- Idle ---
  // Updates the actions of the visible forms and runs the idle handlers; does nothing when called inside itself.
  void Idle();
  Registration AddIdleHandler(std::function<void()> handler);
  // Updates the action lists of every visible form of this thread at once.
  void UpdateActions();

  // --- Windows ---
  // The hidden application window of this thread: the owner of dialogs and menus, and the window the system's
  // broadcasts reach (session end, setting and composition changes).
  HWND Handle();
  // A hook sees the application window's messages before it does; true (with `result` set) means handled.
  Registration HookWindow(std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)> hook);
  HintManager& Hints();

  // Windows that modal loops of the program disable besides the thread's own (the strip, a child of another
  // process's window).
  Registration AddModalExtraWindow(HWND window);
  std::vector<HWND> ModalExtraWindows() const;

  // --- Forms ---
  const std::vector<Form*>& Forms() const { return forms_; }
  template <class T>
  T* FindForm() const {
    for (Form* form : forms_)
      if (auto* found = dynamic_cast<T*>(form)) return found;
    return nullptr;
  }
  // Closing the main form terminates the application.
  Form* MainForm() const { return mainForm_; }
  void SetMainForm(Form* form) { mainForm_ = form; }

private:
  friend class Form;
  Application() = default;
  void AddForm(Form& form);
  void RemoveForm(Form& form);
  bool PreTranslate(MSG& message);
  void QuitSeen(WPARAM exitCode);

  mutable std::mutex titleLock_;
  std::wstring title_;
  std::atomic<bool> terminated_{false};
  int exitCode_ = 0;
  std::vector<Form*> forms_;
  Form* mainForm_ = nullptr;
  std::vector<std::pair<int, std::function<bool(MSG&)>>> filters_;
  std::vector<std::pair<int, std::function<void()>>> idleHandlers_;
  std::vector<std::pair<int, HWND>> extraWindows_;
  int nextRegistration_ = 1;
};

inline Application& App() { return Application::Instance(); }

}  // namespace nv
