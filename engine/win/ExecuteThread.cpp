#include "engine/win/ExecuteThread.h"

#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <exception>
#include <memory>

#include "support/Errors.h"
#include "support/win/Application.h"
#include "support/win/UniqueHandle.h"
#include "support/win/Win32Error.h"

namespace nv {

namespace {

// How long the waiting loop sleeps when neither a message nor the worker's end wakes it: the abort check and the
// terminating flag are looked at again after this.
constexpr DWORD kIdleWaitMs = 100;

// The worker's share: the work with everything it owns, and its outcome. The thread and the caller each hold a
// reference, so whichever lets go last frees it; an abandoned worker frees it when it ends.
struct ExecuteState {
  std::function<void()> work;
  std::exception_ptr failure;
  std::atomic<bool> finished{false};
};

// One worker thread per call.
class TXExecuteThread {
public:
  explicit TXExecuteThread(std::function<void()> work) : state_(std::make_shared<ExecuteState>()) {
    state_->work = std::move(work);
    auto* threadShare = new std::shared_ptr<ExecuteState>(state_);
    thread_ = UniqueHandle(CreateThread(nullptr, 0, &TXExecuteThread::Run, threadShare, 0, nullptr));
    if (!thread_) {
      delete threadShare;
      RaiseLastWin32Error();
    }
  }

  HANDLE Handle() const { return thread_.Get(); }
  bool Finished() const { return state_->finished; }
  // After Finished: the work's exception raised again.
  void Result() const {
    if (state_->failure) std::rethrow_exception(state_->failure);
  }
  // Closing the handle leaves the thread running: it ends on its own and drops its share then.

private:
  static DWORD WINAPI Run(void* parameter) {
    const std::unique_ptr<std::shared_ptr<ExecuteState>> share(static_cast<std::shared_ptr<ExecuteState>*>(parameter));
    ExecuteState& state = **share;
    // The multithreaded apartment: what the work makes (the pre-roll opens DirectShow's audio device and stream)
    // outlives the worker, and a single-threaded apartment would end with it. Under Wine that made the process
    // crash on its way out.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    try {
      state.work();
    } catch (...) {
      state.failure = std::current_exception();
    }
    // What the work held goes now, on this thread, whether or not anyone still waits for the outcome.
    state.work = nullptr;
    if (SUCCEEDED(com)) CoUninitialize();
    state.finished = true;
    return 0;
  }

  std::shared_ptr<ExecuteState> state_;
  UniqueHandle thread_;
};

// Handles one waiting message; false when it was WM_QUIT (handed back to the queue for the main loop).
bool HandleOneMessage(const MSG& message) {
  if (message.message == WM_QUIT) {
    SetApplicationTerminating();
    PostQuitMessage(static_cast<int>(message.wParam));
    return false;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
  return true;
}

}  // namespace

void ExecuteInThread(std::function<void()> work, const std::function<bool()>& abortCheck) {
  const TXExecuteThread worker(std::move(work));
  const auto abandoned = [&] { return ApplicationTerminating() || (abortCheck && abortCheck()); };
  while (!worker.Finished()) {
    if (abandoned()) throw EAbort();
    MSG message;
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (!HandleOneMessage(message)) throw EAbort();
      continue;
    }
    const HANDLE thread = worker.Handle();
    MsgWaitForMultipleObjectsEx(1, &thread, kIdleWaitMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
  worker.Result();
}

}  // namespace nv
