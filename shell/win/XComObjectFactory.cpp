#include "shell/win/XComObjectFactory.h"

#include <oleauto.h>

#include "shell/win/ServerRegistration.h"
#include "shell/win/XComModule.h"
#include "shell/win/XComObject.h"
#include "support/win/WideText.h"
#include "support/win/WinGuid.h"

namespace nv {

namespace {

TXComObjectFactory* firstFactory = nullptr;

// Loads a type information once; the pointer is kept until the factory goes.
ITypeInfo& LoadOnce(ITypeInfo*& held, const GUID& id) {
  if (held == nullptr) OleCheck(ComModuleTypeLibrary().GetTypeInfoOfGuid(id, &held));
  return *held;
}

void ReleaseHeld(ITypeInfo*& held) {
  if (held != nullptr) held->Release();
  held = nullptr;
}

}  // namespace

// --- TXComObjectFactory ---

TXComObjectFactory::TXComObjectFactory(const Guid& classId, std::u16string description,
                                       ThreadingModel threadingModel, bool internal)
    : classId_(classId),
      description_(std::move(description)),
      threadingModel_(threadingModel),
      internal_(internal),
      next_(firstFactory) {
  firstFactory = this;
}

TXComObjectFactory::~TXComObjectFactory() {
  for (TXComObjectFactory** link = &firstFactory; *link != nullptr; link = &(*link)->next_) {
    if (*link == this) {
      *link = next_;
      break;
    }
  }
}

HRESULT STDMETHODCALLTYPE TXComObjectFactory::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_IClassFactory) {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  *object = static_cast<IClassFactory*>(this);
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE TXComObjectFactory::AddRef() {
  ComServerLock();
  return 2;
}

ULONG STDMETHODCALLTYPE TXComObjectFactory::Release() {
  ComServerUnlock();
  return 1;
}

HRESULT STDMETHODCALLTYPE TXComObjectFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  try {
    IUnknown* created = CreateComObject();
    if (created == nullptr) return E_NOTIMPL;
    // The object starts with no references: the query takes the first, and a failed one frees it.
    created->AddRef();
    const HRESULT result = created->QueryInterface(iid, object);
    created->Release();
    return result;
  } catch (...) {
    return HResultFromCurrentException();
  }
}

HRESULT STDMETHODCALLTYPE TXComObjectFactory::LockServer(BOOL lock) {
  return CoLockObjectExternal(static_cast<IClassFactory*>(this), lock, TRUE);
}

ServerClassEntry TXComObjectFactory::RegistryEntry() {
  ServerClassEntry entry;
  entry.classId = classId_;
  entry.description = Description();
  entry.threadingModel = threadingModel_;
  entry.internal = internal_;
  return entry;
}

HRESULT TXComObjectFactory::UpdateRegistry(bool registering) {
  try {
    const ServerClassEntry entry = RegistryEntry();
    if (entry.internal) return S_OK;
    if (registering) return RegisterServerClass(entry, ToUtf16(ComModuleFileName()));
    UnregisterServerClass(entry);
    return S_OK;
  } catch (...) {
    return HResultFromCurrentException();
  }
}

// --- TXTypedComObjectFactory ---

TXTypedComObjectFactory::TXTypedComObjectFactory(const Guid& classId, ThreadingModel threadingModel)
    : TXComObjectFactory(classId, {}, threadingModel) {}

TXTypedComObjectFactory::~TXTypedComObjectFactory() { ReleaseHeld(classInfo_); }

ITypeInfo& TXTypedComObjectFactory::ClassInfo() { return LoadOnce(classInfo_, ToWinGuid(ClassId())); }

std::u16string TXTypedComObjectFactory::Description() {
  BSTR help = nullptr;
  OleCheck(ClassInfo().GetDocumentation(MEMBERID_NIL, nullptr, &help, nullptr, nullptr));
  std::u16string description = help ? ToUtf16(std::wstring_view(help, SysStringLen(help))) : std::u16string();
  SysFreeString(help);
  return description;
}

ServerClassEntry TXTypedComObjectFactory::RegistryEntry() {
  ServerClassEntry entry = TXComObjectFactory::RegistryEntry();
  entry.typeLibrary = ModuleTypeLibraryVersion();
  return entry;
}

HRESULT ClassInfoOf(TXTypedComObjectFactory& factory, ITypeInfo** info) noexcept {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  try {
    *info = &factory.ClassInfo();
    (*info)->AddRef();
    return S_OK;
  } catch (...) {
    return HResultFromCurrentException();
  }
}

// --- TXAutoObjectFactory ---

TXAutoObjectFactory::TXAutoObjectFactory(const Guid& classId, const IID& dispatchInterface,
                                         ThreadingModel threadingModel)
    : TXTypedComObjectFactory(classId, threadingModel), dispatchInterface_(dispatchInterface) {}

TXAutoObjectFactory::~TXAutoObjectFactory() {
  ReleaseHeld(interfaceInfo_);
  ReleaseHeld(dispatchInfo_);
}

ITypeInfo& TXAutoObjectFactory::DispatchInfo() { return LoadOnce(dispatchInfo_, dispatchInterface_); }

ITypeInfo& TXAutoObjectFactory::InterfaceInfo() {
  if (interfaceInfo_ == nullptr) {
    // A dual interface's dispatch description refers to its vtable description as implemented type -1.
    HREFTYPE reference = 0;
    OleCheck(DispatchInfo().GetRefTypeOfImplType(-1, &reference));
    OleCheck(DispatchInfo().GetRefTypeInfo(reference, &interfaceInfo_));
  }
  return *interfaceInfo_;
}

namespace auto_object {

TXTypedComObjectFactory& TypedFactory(TXAutoObjectFactory& factory) noexcept { return factory; }

HRESULT GetTypeInfo(TXAutoObjectFactory& factory, UINT index, ITypeInfo** info) noexcept {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  try {
    *info = &factory.DispatchInfo();
    (*info)->AddRef();
    return S_OK;
  } catch (...) {
    return HResultFromCurrentException();
  }
}

HRESULT GetIDsOfNames(TXAutoObjectFactory& factory, REFIID iid, LPOLESTR* names, UINT count, DISPID* ids) noexcept {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  try {
    return DispGetIDsOfNames(&factory.DispatchInfo(), names, count, ids);
  } catch (...) {
    return HResultFromCurrentException();
  }
}

HRESULT Invoke(TXAutoObjectFactory& factory, void* dual, DISPID member, REFIID iid, WORD flags,
               DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception, UINT* argumentError) noexcept {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  // A put by value or by reference reaches the property either way.
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) flags |= DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF;
  try {
    return factory.InterfaceInfo().Invoke(dual, member, flags, parameters, result, exception, argumentError);
  } catch (...) {
    return HResultFromCurrentException();
  }
}

}  // namespace auto_object

// --- The module's list ---

TXComObjectFactory* FirstComObjectFactory() { return firstFactory; }

TXComObjectFactory* FindComObjectFactory(const GUID& classId) {
  const Guid wanted = FromWinGuid(classId);
  for (TXComObjectFactory* factory = firstFactory; factory != nullptr; factory = factory->Next())
    if (factory->ClassId() == wanted) return factory;
  return nullptr;
}

TypeLibraryVersion ModuleTypeLibraryVersion() {
  ITypeLib& library = ComModuleTypeLibrary();
  TLIBATTR* attributes = nullptr;
  OleCheck(library.GetLibAttr(&attributes));
  const TypeLibraryVersion version{FromWinGuid(attributes->guid), attributes->wMajorVerNum, attributes->wMinorVerNum,
                                  attributes->lcid};
  library.ReleaseTLibAttr(attributes);
  return version;
}

}  // namespace nv
