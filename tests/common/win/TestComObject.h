#pragma once
// A small COM object of the tests that offers one interface: its own interlocked count, freed at 0. Like the
// program's objects it starts at 0; its creator takes the first reference.
#include <windows.h>
#include <unknwn.h>

#include <atomic>

namespace nv::test {

template <class Interface>
class TestComObject : public Interface {
public:
  virtual ~TestComObject() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid != IID_IUnknown && iid != __uuidof(Interface)) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<Interface*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

private:
  std::atomic<ULONG> references_{0};
};

}  // namespace nv::test
