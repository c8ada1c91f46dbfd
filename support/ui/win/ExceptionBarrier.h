#pragma once
// The one barrier between the program's code and the system's. Every window procedure, hook, subclass and timer
// callback runs its body through Guarded, so that no exception unwinds through user32: the i686 build cannot unwind
// through the system's frames, and the system would not expect it anyway. A failure goes to the application's
// exception handler (a message box; the silent abort shows nothing) and the loop that called goes on.
namespace nv {

// Hands the exception being handled to the application's handler. Call it only inside a catch block.
void ReportCurrentException() noexcept;

// Runs `body`; false when it failed (the failure has been reported).
template <class Body>
bool Guarded(Body&& body) noexcept {
  try {
    body();
    return true;
  } catch (...) {
    ReportCurrentException();
    return false;
  }
}

}  // namespace nv
