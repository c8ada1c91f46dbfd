#include "shell/win/NVTrayExt.h"

#include "shell/TrayExtProtocol.h"
#include "shell/WireWindow.h"

namespace nv {

TNorvaleTrayExt::TNorvaleTrayExt(TXAutoObjectFactory& factory, TrayShellSide& shellSide)
    : TXAutoObject(factory), shellSide_(shellSide) {
  shellSide_.AttachTaskbar();
}

TNorvaleTrayExt::~TNorvaleTrayExt() {
  // The last release must not end the surrogate: a shell side that fails to let go is left as it is.
  try {
    shellSide_.DeregisterShellHook();
  } catch (...) {
  }
  try {
    shellSide_.DetachTaskbar();
  } catch (...) {
  }
}

HRESULT STDMETHODCALLTYPE TNorvaleTrayExt::GetMessages(ULONG* insertMessage, ULONG* removeMessage) {
  if (insertMessage == nullptr || removeMessage == nullptr) return E_POINTER;
  *insertMessage = RegisterWindowMessageW(kInsertMessageName);
  *removeMessage = RegisterWindowMessageW(kRemoveMessageName);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TNorvaleTrayExt::RegisterShellHook(ULONG window, ULONG messageBase, VARIANT_BOOL* result) {
  if (result == nullptr) return E_POINTER;
  *result = VARIANT_FALSE;
  try {
    shellSide_.DeregisterShellHook();
    const HWND target = reinterpret_cast<HWND>(WindowFromWire(window));
    *result = shellSide_.RegisterShellHook(target, messageBase) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  } catch (...) {
    return HResultFromCurrentException();
  }
}

HRESULT STDMETHODCALLTYPE TNorvaleTrayExt::DeregisterShellHook() {
  try {
    shellSide_.DeregisterShellHook();
    return S_OK;
  } catch (...) {
    return HResultFromCurrentException();
  }
}

TNorvaleTrayExtFactory::TNorvaleTrayExtFactory(TrayShellSide& shellSide)
    : TXAutoObjectFactory(kTrayExtClassId, __uuidof(INorvaleTrayExt), ThreadingModel::Free), shellSide_(shellSide) {}

IUnknown* TNorvaleTrayExtFactory::CreateComObject() {
  return static_cast<INorvaleTrayExt*>(new TNorvaleTrayExt(*this, shellSide_));
}

ServerClassEntry TNorvaleTrayExtFactory::RegistryEntry() {
  ServerClassEntry entry = TXAutoObjectFactory::RegistryEntry();
  entry.runsInSurrogate = true;
  return entry;
}

}  // namespace nv
