#pragma once
// The class factories of the server's creatable classes, kept in the module's list (newest first).
//   TXComObjectFactory       IClassFactory for one class: its id, threading model, description and registry rows.
//                            Its own references are the module's server locks.
//   TXTypedComObjectFactory  a class described by the module's type library: its coclass type information; the
//                            description defaults to the coclass's help string.
//   TXAutoObjectFactory      adds the dispatch interface's type information for IDispatch.
#include <windows.h>
#include <oaidl.h>

#include <string>

#include "shell/ServerRegistryTable.h"
#include "support/Guid.h"

namespace nv {

class TXComObjectFactory : public IClassFactory {
public:
  TXComObjectFactory(const Guid& classId, std::u16string description, ThreadingModel threadingModel,
                     bool internal = false);
  virtual ~TXComObjectFactory();
  TXComObjectFactory(const TXComObjectFactory&) = delete;
  TXComObjectFactory& operator=(const TXComObjectFactory&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // An outer unknown is refused (CLASS_E_NOAGGREGATION); a failed query frees the new object and answers its own
  // HRESULT.
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

  // Creates one object with no references yet; null when the class cannot make one. May raise.
  virtual IUnknown* CreateComObject() = 0;
  // Writes or deletes this class's registry rows; the first failing HRESULT, after trying every row.
  virtual HRESULT UpdateRegistry(bool registering);

  const Guid& ClassId() const { return classId_; }
  TXComObjectFactory* Next() const { return next_; }

protected:
  // What this class registers. Derived factories add their rows to the base's entry.
  virtual ServerClassEntry RegistryEntry();
  virtual std::u16string Description() { return description_; }

private:
  Guid classId_;
  std::u16string description_;
  ThreadingModel threadingModel_;
  bool internal_;
  TXComObjectFactory* next_;
};

class TXTypedComObjectFactory : public TXComObjectFactory {
public:
  TXTypedComObjectFactory(const Guid& classId, ThreadingModel threadingModel);
  ~TXTypedComObjectFactory() override;

  // The coclass's type information, loaded on first use. Raises EOleSysError.
  ITypeInfo& ClassInfo();

protected:
  ServerClassEntry RegistryEntry() override;
  std::u16string Description() override;

private:
  ITypeInfo* classInfo_ = nullptr;
};

class TXAutoObjectFactory : public TXTypedComObjectFactory {
public:
  TXAutoObjectFactory(const Guid& classId, const IID& dispatchInterface, ThreadingModel threadingModel);
  ~TXAutoObjectFactory() override;

  // The dual interface's dispatch type information (what GetTypeInfo hands out), and the interface's own, on
  // which calls are invoked. Raise EOleSysError.
  ITypeInfo& DispatchInfo();
  ITypeInfo& InterfaceInfo();
  const IID& DispatchInterface() const { return dispatchInterface_; }

private:
  IID dispatchInterface_;
  ITypeInfo* dispatchInfo_ = nullptr;
  ITypeInfo* interfaceInfo_ = nullptr;
};

// The factories of the module, newest first; null at the end.
TXComObjectFactory* FirstComObjectFactory();
TXComObjectFactory* FindComObjectFactory(const GUID& classId);

// The type library's identity, version and locale, for the registry rows of typed classes.
TypeLibraryVersion ModuleTypeLibraryVersion();

}  // namespace nv
