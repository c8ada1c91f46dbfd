#pragma once
// The bases of the server's COM objects.
//   TXComObject<I...>       implements IUnknown for the interfaces I...: an interlocked reference count that starts
//                           at 0 (the creator's query takes the first reference), the object freed at 0, and the
//                           module's object count held while it lives.
//   TXTypedComObject<I...>  adds IProvideClassInfo: the class's type information from the type library.
//   TXAutoObject<Dual, I...> adds IDispatch to a dual interface, over the dispatch type information.
#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>

#include "shell/win/XComModule.h"

namespace nv {

class TXTypedComObjectFactory;
class TXAutoObjectFactory;

template <class First, class... Others>
class TXComObject : public First, public Others... {
public:
  TXComObject(const TXComObject&) = delete;
  TXComObject& operator=(const TXComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = FindInterface(iid);
    if (*object == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

protected:
  TXComObject() { ComObjectCreated(); }
  virtual ~TXComObject() { ComObjectDestroyed(); }

  // The interface pointer for `iid`, or null. Derived classes answer the interfaces their bases do not name.
  virtual void* FindInterface(REFIID iid) {
    if (iid == IID_IUnknown || iid == __uuidof(First)) return static_cast<First*>(this);
    void* found = nullptr;
    ((found = found ? found : (iid == __uuidof(Others) ? static_cast<Others*>(this) : nullptr)), ...);
    return found;
  }

private:
  LONG references_ = 0;
};

// The class's type information, for IProvideClassInfo (TXComObjectFactory.cpp).
HRESULT ClassInfoOf(TXTypedComObjectFactory& factory, ITypeInfo** info) noexcept;

template <class First, class... Others>
class TXTypedComObject : public TXComObject<First, Others..., IProvideClassInfo> {
public:
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override { return ClassInfoOf(factory_, info); }

protected:
  explicit TXTypedComObject(TXTypedComObjectFactory& factory) : factory_(factory) {}

private:
  TXTypedComObjectFactory& factory_;
};

// IDispatch over the dispatch type information of the factory (TXComObjectFactory.cpp).
namespace auto_object {
TXTypedComObjectFactory& TypedFactory(TXAutoObjectFactory& factory) noexcept;
HRESULT GetTypeInfo(TXAutoObjectFactory& factory, UINT index, ITypeInfo** info) noexcept;
HRESULT GetIDsOfNames(TXAutoObjectFactory& factory, REFIID iid, LPOLESTR* names, UINT count, DISPID* ids) noexcept;
HRESULT Invoke(TXAutoObjectFactory& factory, void* dual, DISPID member, REFIID iid, WORD flags,
               DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception, UINT* argumentError) noexcept;
}  // namespace auto_object

template <class Dual, class... Others>
class TXAutoObject : public TXTypedComObject<Dual, Others...> {
public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    return auto_object::GetTypeInfo(factory_, index, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    return auto_object::GetIDsOfNames(factory_, iid, names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override {
    return auto_object::Invoke(factory_, static_cast<Dual*>(this), member, iid, flags, parameters, result, exception,
                               argumentError);
  }

protected:
  explicit TXAutoObject(TXAutoObjectFactory& factory)
      : TXTypedComObject<Dual, Others...>(auto_object::TypedFactory(factory)), factory_(factory) {}

  void* FindInterface(REFIID iid) override {
    if (iid == IID_IDispatch) return static_cast<Dual*>(this);
    return TXTypedComObject<Dual, Others...>::FindInterface(iid);
  }

private:
  TXAutoObjectFactory& factory_;
};

}  // namespace nv
