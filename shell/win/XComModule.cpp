#include "shell/win/XComModule.h"

#include <new>

#include "support/win/ModulePath.h"
#include "support/win/Win32Error.h"

namespace nv {

namespace {

LONG objectCount = 0;
LONG lockCount = 0;
HMODULE module = nullptr;
ITypeLib* typeLibrary = nullptr;

std::string OleErrorMessage(HRESULT code) {
  std::string text = SystemErrorMessage(static_cast<DWORD>(code));
  if (!text.empty()) return text;
  char fallback[32];
  wsprintfA(fallback, "OLE error 0x%08X", static_cast<unsigned>(code));
  return fallback;
}

}  // namespace

EOleSysError::EOleSysError(HRESULT code) : Exception(OleErrorMessage(code)), code_(code) {}

HRESULT HResultFromCurrentException() noexcept {
  try {
    throw;
  } catch (const EOleSysError& e) {
    return e.Code();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

void ComObjectCreated() noexcept { InterlockedIncrement(&objectCount); }
void ComObjectDestroyed() noexcept { InterlockedDecrement(&objectCount); }
LONG ComObjectCount() noexcept { return InterlockedCompareExchange(&objectCount, 0, 0); }
void ComServerLock() noexcept { InterlockedIncrement(&lockCount); }
void ComServerUnlock() noexcept { InterlockedDecrement(&lockCount); }
LONG ComServerLockCount() noexcept { return InterlockedCompareExchange(&lockCount, 0, 0); }

void SetComModule(HMODULE handle) noexcept { module = handle; }
HMODULE ComModule() noexcept { return module; }
std::wstring ComModuleFileName() { return ModuleFileName(module); }

ITypeLib& ComModuleTypeLibrary() {
  if (ITypeLib* loaded = static_cast<ITypeLib*>(InterlockedCompareExchangePointer(
          reinterpret_cast<void**>(&typeLibrary), nullptr, nullptr)))
    return *loaded;
  ITypeLib* library = nullptr;
  OleCheck(LoadTypeLibEx(ComModuleFileName().c_str(), REGKIND_NONE, &library));
  if (ITypeLib* first = static_cast<ITypeLib*>(InterlockedCompareExchangePointer(
          reinterpret_cast<void**>(&typeLibrary), library, nullptr))) {
    library->Release();
    return *first;
  }
  return *library;
}

void ReleaseComModuleTypeLibrary() noexcept {
  if (ITypeLib* library = static_cast<ITypeLib*>(
          InterlockedExchangePointer(reinterpret_cast<void**>(&typeLibrary), nullptr)))
    library->Release();
}

}  // namespace nv
