#pragma once
// Running a blocking call on a worker thread while the calling (user-interface) thread goes on handling its window
// messages, so that commands, timers and graph events arrive while a graph builds.
#include <functional>

namespace nv {

// Runs `work` on a new worker thread (a TXExecuteThread, in COM's multithreaded apartment) and handles the caller's
// window messages one at a time until the worker has finished, the application is terminating, or `abortCheck`
// (asked on the calling thread after each message) answers true.
//   - Finished: an exception the work raised is raised again here.
//   - Not finished: the worker is abandoned (its result is discarded whenever it ends) and the silent EAbort is
//     raised. `work` must therefore own everything it touches: an abandoned worker keeps it until it ends.
//   - A WM_QUIT taken from the queue marks the application as terminating and is posted again, so that the main
//     message loop still sees it.
void ExecuteInThread(std::function<void()> work, const std::function<bool()>& abortCheck = {});

}  // namespace nv
