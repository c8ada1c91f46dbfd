#pragma once
// Modal loops and the program modal counter.
//
// ProgramModalScope is what every modal loop of the program holds while it runs: it raises the program modal
// counter (actions that would open a further dialog check it), disables the program's other windows — the visible,
// enabled top-level windows of the thread and the registered extra windows (the strip) — and restores exactly
// those, and the window that was active, when it ends, also when an exception ends it.
//
// ForeignLoopIdle keeps the application's idle processing (action updates, hints) alive while a loop that is not
// ours runs — the system's open and save dialogs, message boxes, menus — through a message hook of the thread,
// at most every 50 ms, and a thread timer that makes sure messages keep coming.
//
// RunForeignModal and ShowMessageBox put the two together.
#include <windows.h>

#include <string_view>
#include <vector>

#include "support/ui/ModalCount.h"

namespace nv {

class ProgramModalScope {
public:
  // `modalWindow` (may be null) stays enabled; with `disableOthers` false only the counter is raised.
  explicit ProgramModalScope(HWND modalWindow = nullptr, bool disableOthers = true);
  ~ProgramModalScope();
  ProgramModalScope(const ProgramModalScope&) = delete;
  ProgramModalScope& operator=(const ProgramModalScope&) = delete;

  // Enables the others again now, before the modal window hides (activation then returns to the program).
  void EnableOthers();

private:
  ModalCount count_;
  std::vector<HWND> disabled_;
  HWND active_;
};

class ForeignLoopIdle {
public:
  ForeignLoopIdle();
  ~ForeignLoopIdle();
  ForeignLoopIdle(const ForeignLoopIdle&) = delete;
  ForeignLoopIdle& operator=(const ForeignLoopIdle&) = delete;
};

// Runs a call that enters a modal loop of the system's (a common dialog, a property frame, a plug-in's box) as a
// modal loop of the program: counted, the other windows disabled, idle processing kept alive.
template <class Body>
auto RunForeignModal(Body&& body) {
  const ProgramModalScope modal;
  const ForeignLoopIdle idle;
  return body();
}

// MessageBoxW with the application's title, run as a modal loop of the program; null `owner`: the active window of
// the program, if any.
int ShowMessageBox(std::wstring_view text, UINT flags, HWND owner = nullptr);

}  // namespace nv
