#pragma once
// The root of the framework's COM objects. Each has a non-delegating IUnknown (its own identity, which an outer
// object aggregating it holds), and every COM face of it answers IUnknown through the outer object when there is
// one and through the non-delegating one otherwise. The base counts nothing: a concrete filter counts itself
// (TXBCRefCounted) and its pins forward to it.
#include <windows.h>
#include <unknwn.h>

#include <atomic>
#include <string>
#include <string_view>

namespace nv {

// IUnknown's layout under other names, so that one object can carry both.
struct INonDelegatingUnknown {
  virtual HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** object) = 0;
  virtual ULONG STDMETHODCALLTYPE NonDelegatingAddRef() = 0;
  virtual ULONG STDMETHODCALLTYPE NonDelegatingRelease() = 0;

protected:
  ~INonDelegatingUnknown() = default;
};

class TXBCObject : public INonDelegatingUnknown {
public:
  explicit TXBCObject(IUnknown* outer) : outer_(outer) {}
  virtual ~TXBCObject() = default;
  TXBCObject(const TXBCObject&) = delete;
  TXBCObject& operator=(const TXBCObject&) = delete;

  // IUnknown only; subclasses add their interfaces and end here.
  HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE NonDelegatingAddRef() override { return 0; }
  ULONG STDMETHODCALLTYPE NonDelegatingRelease() override { return 0; }

  // The object's own IUnknown (non-delegating).
  IUnknown* Inner() { return reinterpret_cast<IUnknown*>(static_cast<INonDelegatingUnknown*>(this)); }
  // Who answers IUnknown for every face: the outer object, or the object itself.
  IUnknown* Owner() { return outer_ ? outer_ : Inner(); }

protected:
  // Hands out one of the object's faces, counted.
  static HRESULT GetInterface(IUnknown* face, void** object) {
    face->AddRef();
    *object = face;
    return S_OK;
  }

private:
  IUnknown* outer_;  // not counted: it owns us
};

// Adds a debugging name.
class TXBCNamedObject : public TXBCObject {
public:
  TXBCNamedObject(std::wstring_view name, IUnknown* outer) : TXBCObject(outer), name_(name) {}
  const std::wstring& ObjectName() const { return name_; }

private:
  std::wstring name_;
};

// A concrete object's own interlocked reference count; the object destroys itself when it reaches 0. A new object
// starts at 0: its creator takes the first reference (ComPtr).
template <class Base>
class TXBCRefCounted : public Base {
public:
  using Base::Base;

  ULONG STDMETHODCALLTYPE NonDelegatingAddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE NonDelegatingRelease() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

private:
  std::atomic<ULONG> references_{0};
};

}  // namespace nv

// The IUnknown methods of a class that implements COM interfaces on a TXBCObject; every class that adds an
// interface repeats them, so that they override the slots of all its interfaces.
#define NV_XBC_IUNKNOWN                                                                  \
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {         \
    return Owner()->QueryInterface(iid, object);                                         \
  }                                                                                      \
  ULONG STDMETHODCALLTYPE AddRef() override { return Owner()->AddRef(); }                \
  ULONG STDMETHODCALLTYPE Release() override { return Owner()->Release(); }
