#include "filters/win/XBCObject.h"

namespace nv {

HRESULT TXBCObject::NonDelegatingQueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown) return GetInterface(Inner(), object);
  *object = nullptr;
  return E_NOINTERFACE;
}

}  // namespace nv
