// The entry points of the COM server module: its creatable classes' factories, whether it may be unloaded, and
// its registration.
#include <windows.h>

#include <mutex>

#include "shell/win/NVTrayExt.h"
#include "shell/win/PlayerContextMenuFactory.h"
#include "shell/win/ServerRegistration.h"
#include "shell/win/XSharedMem.h"
#include "shell/win/XComModule.h"
#include "shell/win/XComObjectFactory.h"

namespace nv {
namespace {

// The module's factories, made on first use rather than while the module loads: the typed ones read the type
// library, which must not be loaded under the loader lock. In the shell's process, where hooks bring the module,
// none is ever made.
struct ServerFactories {
  TNorvaleTrayExtFactory trayExtension{ModuleTrayShellSide()};
  TPlayerContextMenuFactory contextMenu;
};
ServerFactories* factories = nullptr;
std::once_flag factoriesMade;

// Runs `step` once the factories exist; failing to make them is the answer.
template <class Step>
HRESULT WithFactories(Step step) noexcept {
  try {
    std::call_once(factoriesMade, [] { factories = new ServerFactories; });
  } catch (...) {
    return HResultFromCurrentException();
  }
  return step();
}

// Every step runs; the answer is the first failure.
HRESULT UpdateEveryFactory(bool registering) {
  HRESULT first = S_OK;
  for (TXComObjectFactory* factory = FirstComObjectFactory(); factory != nullptr; factory = factory->Next()) {
    const HRESULT result = factory->UpdateRegistry(registering);
    if (FAILED(result) && SUCCEEDED(first)) first = result;
  }
  return first;
}

}  // namespace
}  // namespace nv

using namespace nv;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    SetComModule(instance);
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // Unloaded by FreeLibrary: the factories and the type library go. When the process ends, nothing is released
    // into libraries that may already be gone.
    delete factories;
    factories = nullptr;
    ReleaseComModuleTypeLibrary();
    CloseShellHookBlock();
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  return WithFactories([&] {
    TXComObjectFactory* factory = FindComObjectFactory(classId);
    return factory ? factory->QueryInterface(iid, object) : CLASS_E_CLASSNOTAVAILABLE;
  });
}

STDAPI DllCanUnloadNow() { return ComObjectCount() == 0 && ComServerLockCount() == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() {
  return WithFactories([] {
    const HRESULT library = RegisterModuleTypeLibrary();
    const HRESULT classes = UpdateEveryFactory(true);
    return FAILED(library) ? library : classes;
  });
}

STDAPI DllUnregisterServer() {
  return WithFactories([] {
    const HRESULT library = UnregisterModuleTypeLibrary();
    const HRESULT classes = UpdateEveryFactory(false);
    return FAILED(library) ? library : classes;
  });
}
