#pragma once
// The state the COM server module keeps for all its classes: the counts that say whether it can be unloaded, its
// own handle and file, and its type library.
#include <windows.h>
#include <oaidl.h>

#include <string>

#include "support/Errors.h"

namespace nv {

// A failed OLE call inside the server frame: the system's text for the code, or "OLE error 0x" and the code in
// eight hexadecimal digits when the system has none. COM methods answer with the code.
class EOleSysError : public Exception {
public:
  explicit EOleSysError(HRESULT code);
  HRESULT Code() const noexcept { return code_; }

private:
  HRESULT code_;
};

inline void OleCheck(HRESULT result) {
  if (FAILED(result)) throw EOleSysError(result);
}

// The HRESULT a COM method answers for the exception being handled: the code of an OLE failure, E_OUTOFMEMORY
// for an allocation, E_UNEXPECTED for anything else. Call it only inside a catch block.
HRESULT HResultFromCurrentException() noexcept;

// Live objects and server locks (factory references), both changed with interlocked operations. The module may
// be unloaded when both are 0.
void ComObjectCreated() noexcept;
void ComObjectDestroyed() noexcept;
LONG ComObjectCount() noexcept;
void ComServerLock() noexcept;
void ComServerUnlock() noexcept;
LONG ComServerLockCount() noexcept;

void SetComModule(HMODULE module) noexcept;
HMODULE ComModule() noexcept;
std::wstring ComModuleFileName();

// The module's own type library (resource TYPELIB 1), loaded on first use. Two threads may load it at once: the
// first to finish wins and the other copy is released. Raises EOleSysError when it cannot be loaded.
ITypeLib& ComModuleTypeLibrary();
void ReleaseComModuleTypeLibrary() noexcept;

}  // namespace nv
