#pragma once
// The filters' locks: a recursive critical section (a filter's own calls come back into it on the same thread,
// e.g. Pause activating its pins) and its scope guard.
#include <windows.h>

#include <mutex>

namespace nv {

class TXBCCritSec {
public:
  TXBCCritSec() { InitializeCriticalSection(&section_); }
  ~TXBCCritSec() { DeleteCriticalSection(&section_); }
  TXBCCritSec(const TXBCCritSec&) = delete;
  TXBCCritSec& operator=(const TXBCCritSec&) = delete;

  void Lock() { EnterCriticalSection(&section_); }
  void Unlock() { LeaveCriticalSection(&section_); }
  // The standard names, so that std::lock_guard and std::unique_lock take it.
  void lock() { Lock(); }
  void unlock() { Unlock(); }

private:
  CRITICAL_SECTION section_;
};

using TXBCAutoLock = std::lock_guard<TXBCCritSec>;

}  // namespace nv
