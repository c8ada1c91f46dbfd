#include "engine/win/ExecuteThread.h"

#include <windows.h>
#include <objbase.h>

#include <exception>
#include <memory>

#include "support/Errors.h"
#include "support/ui/win/Application.h"
#include "support/win/UniqueHandle.h"
#include "support/win/Win32Error.h"

namespace nv {

namespace {

// The worker's share: the work with everything it owns, and its outcome. The thread and the caller each hold a
// reference, so whichever lets go last frees it; an abandoned worker frees it when it ends.
struct ExecuteState {
  std::function<void()> work;
  std::exception_ptr failure;
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

  // Signalled when the worker has ended.
  HANDLE Handle() const { return thread_.Get(); }
  // After the end: the work's exception raised again.
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
    return 0;
  }

  std::shared_ptr<ExecuteState> state_;
  UniqueHandle thread_;
};

}  // namespace

void ExecuteInThread(std::function<void()> work, const std::function<bool()>& abortCheck) {
  const TXExecuteThread worker(std::move(work));
  // A quit that arrives meanwhile terminates the application: the wait ends and the quit goes on to the main loop.
  const WaitResult waited = App().WaitPumping(worker.Handle(), abortCheck);
  if (waited != WaitResult::Signalled) throw EAbort();
  worker.Result();
}

}  // namespace nv
