#include "skins/win/CabinetLibrary.h"

#include <mutex>
#include <optional>

#include "support/win/Win32Error.h"

namespace nv {
namespace {

// An entry point as its own function type (through a plain function pointer, which any function pointer converts to).
template <class Function>
Function EntryPoint(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

CabinetLibrary Bind() {
  HMODULE module = LoadLibraryW(L"cabinet.dll");
  if (!module) RaiseLastWin32Error();
  for (const char* name : {"FCICreate", "FCIAddFile", "FCIFlushCabinet", "FCIFlushFolder", "FCIDestroy", "FDICreate",
                           "FDIIsCabinet", "FDICopy", "FDIDestroy"}) {
    if (!GetProcAddress(module, name)) {
      const DWORD error = GetLastError();
      FreeLibrary(module);
      throw EWin32Error(error, SystemErrorMessage(error));
    }
  }
  CabinetLibrary library;
  library.Create = EntryPoint<decltype(&FDICreate)>(module, "FDICreate");
  library.Copy = EntryPoint<decltype(&FDICopy)>(module, "FDICopy");
  library.Destroy = EntryPoint<decltype(&FDIDestroy)>(module, "FDIDestroy");
  return library;
}

}  // namespace

const CabinetLibrary& Cabinet() {
  // Bound once; a failed binding is tried again on the next use.
  static std::mutex lock;
  static std::optional<CabinetLibrary> library;
  std::lock_guard hold(lock);
  if (!library) library = Bind();
  return *library;
}

}  // namespace nv
