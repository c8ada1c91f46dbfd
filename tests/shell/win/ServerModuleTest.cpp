// Norvale.dll loaded into this process and reached only through its exports, as COM reaches it: the class
// factories, the counts that decide whether it may be unloaded, the tray extension object's interfaces and its
// type library.
#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <string>

#include <gtest/gtest.h>

#include "shell/NorvaleTEL.h"
#include "shell/TrayExtProtocol.h"
#include "support/win/WinGuid.h"
#include "tests/common/win/TrayServer.h"

using Microsoft::WRL::ComPtr;

namespace nv {
namespace {

using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNowFunction = HRESULT(STDAPICALLTYPE*)();

class ServerModuleTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    module_ = LoadLibraryW(test::BuiltServerPath().c_str());
    ASSERT_NE(module_, nullptr);
    getClassObject_ = reinterpret_cast<GetClassObjectFunction>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    canUnloadNow_ =
        reinterpret_cast<CanUnloadNowFunction>(reinterpret_cast<void*>(GetProcAddress(module_, "DllCanUnloadNow")));
    ASSERT_NE(getClassObject_, nullptr);
    ASSERT_NE(canUnloadNow_, nullptr);
  }
  static void TearDownTestSuite() {
    FreeLibrary(module_);
    CoUninitialize();
  }

  static ComPtr<IClassFactory> Factory(const GUID& classId) {
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(getClassObject_(classId, IID_PPV_ARGS(factory.GetAddressOf())), S_OK);
    return factory;
  }
  static ComPtr<INorvaleTrayExt> TrayExtension() {
    ComPtr<INorvaleTrayExt> extension;
    EXPECT_EQ(Factory(ToWinGuid(kTrayExtClassId))->CreateInstance(nullptr, IID_PPV_ARGS(extension.GetAddressOf())),
              S_OK);
    return extension;
  }

  static inline HMODULE module_ = nullptr;
  static inline GetClassObjectFunction getClassObject_ = nullptr;
  static inline CanUnloadNowFunction canUnloadNow_ = nullptr;
};

TEST_F(ServerModuleTest, ClassObjectsForTheTwoClassesAndNoOther) {
  struct Case {
    GUID classId;
    IID iid;
    HRESULT result;
  };
  const GUID unknownClass = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
  const Case cases[] = {
      {ToWinGuid(kTrayExtClassId), IID_IClassFactory, S_OK},
      {ToWinGuid(kTrayExtClassId), IID_IUnknown, S_OK},
      {ToWinGuid(kContextMenuClassId), IID_IClassFactory, S_OK},
      {ToWinGuid(kTrayExtClassId), IID_IDispatch, E_NOINTERFACE},
      {unknownClass, IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
      {ToWinGuid(kTrayExtInterfaceId), IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},  // an interface, not a class
  };
  for (const Case& c : cases) {
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(getClassObject_(c.classId, c.iid, &object), c.result);
    EXPECT_EQ(object != nullptr, SUCCEEDED(c.result)) << "a failure hands out no pointer";
    if (object) static_cast<IUnknown*>(object)->Release();
  }
  EXPECT_EQ(canUnloadNow_(), S_OK);
}

TEST_F(ServerModuleTest, TheModuleStaysWhileAnObjectOrALockLives) {
  ASSERT_EQ(canUnloadNow_(), S_OK);
  {
    ComPtr<IClassFactory> factory = Factory(ToWinGuid(kTrayExtClassId));
    EXPECT_EQ(canUnloadNow_(), S_FALSE) << "a held factory is a lock";
    ComPtr<IUnknown> object;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_PPV_ARGS(object.GetAddressOf())), S_OK);
    factory.Reset();
    EXPECT_EQ(canUnloadNow_(), S_FALSE) << "one live object";
    object.Reset();
    EXPECT_EQ(canUnloadNow_(), S_OK);
  }
  {
    ComPtr<IClassFactory> factory = Factory(ToWinGuid(kContextMenuClassId));
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory.Reset();
    EXPECT_EQ(canUnloadNow_(), S_FALSE) << "locked";
    Factory(ToWinGuid(kContextMenuClassId))->LockServer(FALSE);
    EXPECT_EQ(canUnloadNow_(), S_OK);
  }
}

TEST_F(ServerModuleTest, CreateInstanceRefusesAggregationAndAnswersAFailedQueryWithItsOwnCode) {
  ComPtr<IClassFactory> factory = Factory(ToWinGuid(kTrayExtClassId));
  ComPtr<IUnknown> outer = TrayExtension();
  struct Case {
    IUnknown* outer;
    IID iid;
    HRESULT result;
  };
  const Case cases[] = {
      {outer.Get(), IID_IUnknown, CLASS_E_NOAGGREGATION},
      {nullptr, IID_IClassFactory, E_NOINTERFACE},  // not E_UNEXPECTED: the object just lacks the interface
      {nullptr, IID_IProvideClassInfo, S_OK},
  };
  outer.Reset();
  for (const Case& c : cases) {
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(c.outer, c.iid, &object), c.result);
    EXPECT_EQ(object != nullptr, SUCCEEDED(c.result));
    if (object) static_cast<IUnknown*>(object)->Release();
  }
  factory.Reset();
  EXPECT_EQ(canUnloadNow_(), S_OK) << "the refused objects were freed";

  void* handler = reinterpret_cast<void*>(1);
  EXPECT_EQ(Factory(ToWinGuid(kContextMenuClassId))->CreateInstance(nullptr, IID_IUnknown, &handler), E_NOTIMPL)
      << "the context-menu handler is not part of this build yet";
  EXPECT_EQ(handler, nullptr);
}

TEST_F(ServerModuleTest, TheTrayExtensionHandsOutTheRegisteredDockingMessages) {
  ComPtr<INorvaleTrayExt> extension = TrayExtension();
  ULONG insert = 0, remove = 0;
  ASSERT_EQ(extension->GetMessages(&insert, &remove), S_OK);
  EXPECT_EQ(insert, RegisterWindowMessageW(L"{6F1D3DD1-68C9-43E4-A0D8-70446504397B}"));
  EXPECT_EQ(remove, RegisterWindowMessageW(L"{6F1D3DD2-68C9-43E4-A0D8-70446504397B}"));
  EXPECT_NE(insert, remove);

  // The shell hook is installed for the player's message base only; a call that installs none still succeeds.
  VARIANT_BOOL registered = VARIANT_FALSE;
  EXPECT_EQ(extension->RegisterShellHook(0xFFFF1234, kShellHookMessageBase, &registered), S_OK);
  EXPECT_EQ(registered, VARIANT_TRUE);
  EXPECT_EQ(extension->RegisterShellHook(0xFFFF1234, kShellHookMessageBase + 1, &registered), S_OK);
  EXPECT_EQ(registered, VARIANT_FALSE);
  EXPECT_EQ(extension->DeregisterShellHook(), S_OK);
}

TEST_F(ServerModuleTest, TheObjectAnswersItsInterfacesAndNoOthers) {
  ComPtr<INorvaleTrayExt> extension = TrayExtension();
  struct Case {
    IID iid;
    bool answered;
  };
  const Case cases[] = {{IID_IUnknown, true},          {IID_IDispatch, true},   {__uuidof(INorvaleTrayExt), true},
                        {IID_IProvideClassInfo, true}, {IID_IClassFactory, false}, {IID_IConnectionPointContainer, false}};
  for (const Case& c : cases) {
    ComPtr<IUnknown> answer;
    EXPECT_EQ(extension->QueryInterface(c.iid, reinterpret_cast<void**>(answer.GetAddressOf())),
              c.answered ? S_OK : E_NOINTERFACE);
    EXPECT_EQ(answer != nullptr, c.answered);
  }
  ComPtr<IUnknown> viaDispatch, viaUnknown;
  ComPtr<IDispatch> dispatch;
  ASSERT_EQ(extension.As(&dispatch), S_OK);
  dispatch.As(&viaDispatch);
  extension.As(&viaUnknown);
  EXPECT_EQ(viaDispatch.Get(), viaUnknown.Get()) << "one identity";

  ComPtr<IProvideClassInfo> provider;
  ASSERT_EQ(extension.As(&provider), S_OK);
  ComPtr<ITypeInfo> classInfo;
  ASSERT_EQ(provider->GetClassInfo(classInfo.GetAddressOf()), S_OK);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(classInfo->GetTypeAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->typekind, TKIND_COCLASS);
  EXPECT_EQ(FromWinGuid(attributes->guid), kTrayExtClassId);
  classInfo->ReleaseTypeAttr(attributes);
}

TEST_F(ServerModuleTest, IDispatchCallsTheMethodsByName) {
  ComPtr<INorvaleTrayExt> extension = TrayExtension();
  ComPtr<IDispatch> dispatch;
  ASSERT_EQ(extension.As(&dispatch), S_OK);

  UINT count = 0;
  EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);
  ComPtr<ITypeInfo> info;
  EXPECT_EQ(dispatch->GetTypeInfo(1, 0, info.GetAddressOf()), DISP_E_BADINDEX);
  ASSERT_EQ(dispatch->GetTypeInfo(0, 0, info.GetAddressOf()), S_OK);

  struct Name {
    const wchar_t* name;
    DISPID id;
  };
  for (const Name& n : {Name{L"GetMessages", kDispidGetMessages}, Name{L"registershellhook", kDispidRegisterShellHook},
                        Name{L"DeregisterShellHook", kDispidDeregisterShellHook}}) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(n.name)};
    DISPID id = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK) << n.name;
    EXPECT_EQ(id, n.id) << n.name;
  }
  LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"Dock")};
  DISPID id = 0;
  EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);

  // RegisterShellHook(AWnd, AMsgBase) returns its Result; arguments go in reverse order.
  VARIANT arguments[2];
  arguments[1].vt = VT_UI4;
  arguments[1].ulVal = 0x1234;
  arguments[0].vt = VT_UI4;
  arguments[0].ulVal = kShellHookMessageBase;
  DISPPARAMS parameters{arguments, nullptr, 2, 0};
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(dispatch->Invoke(kDispidRegisterShellHook, IID_NULL, 0, DISPATCH_METHOD, &parameters, &result, nullptr,
                             nullptr),
            S_OK);
  EXPECT_EQ(result.vt, VT_BOOL);
  EXPECT_EQ(result.boolVal, VARIANT_TRUE);
  EXPECT_EQ(extension->DeregisterShellHook(), S_OK);

  // GetMessages fills two out parameters passed by reference.
  ULONG insert = 0, remove = 0;
  arguments[1].vt = VT_UI4 | VT_BYREF;
  arguments[1].pulVal = &insert;
  arguments[0].vt = VT_UI4 | VT_BYREF;
  arguments[0].pulVal = &remove;
  ASSERT_EQ(dispatch->Invoke(kDispidGetMessages, IID_NULL, 0, DISPATCH_METHOD, &parameters, nullptr, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(insert, RegisterWindowMessageW(kInsertMessageName));
  EXPECT_EQ(remove, RegisterWindowMessageW(kRemoveMessageName));

  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXPECT_EQ(dispatch->Invoke(kDispidDeregisterShellHook, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr,
                             nullptr),
            S_OK);
  EXPECT_EQ(dispatch->Invoke(kDispidGetMessages, __uuidof(INorvaleTrayExt), 0, DISPATCH_METHOD, &parameters, nullptr,
                             nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
  EXPECT_EQ(dispatch->Invoke(99, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), DISP_E_MEMBERNOTFOUND);
}

TEST_F(ServerModuleTest, TheTypeLibraryDescribesTheInterfaceAsTheClientsCallIt) {
  ComPtr<ITypeLib> library;
  ASSERT_EQ(LoadTypeLibEx(test::BuiltServerPath().c_str(), REGKIND_NONE, library.GetAddressOf()), S_OK)
      << "resource TYPELIB 1";
  TLIBATTR* libraryAttributes = nullptr;
  ASSERT_EQ(library->GetLibAttr(&libraryAttributes), S_OK);
  EXPECT_EQ(FromWinGuid(libraryAttributes->guid), kTrayExtLibraryId);
  EXPECT_EQ(libraryAttributes->wMajorVerNum, 1);
  EXPECT_EQ(libraryAttributes->wMinorVerNum, 0);
  EXPECT_EQ(libraryAttributes->lcid, 0x409u);
  library->ReleaseTLibAttr(libraryAttributes);

  auto help = [](ITypeLib* lib, int index) {
    BSTR name = nullptr, text = nullptr;
    lib->GetDocumentation(index, &name, &text, nullptr, nullptr);
    std::wstring result = std::wstring(name ? name : L"") + L": " + (text ? text : L"");
    SysFreeString(name);
    SysFreeString(text);
    return result;
  };
  EXPECT_EQ(help(library.Get(), -1), L"NorvaleTEL: Norvale TrayExt Library");

  ComPtr<ITypeInfo> dispatchInfo;
  ASSERT_EQ(library->GetTypeInfoOfGuid(ToWinGuid(kTrayExtInterfaceId), dispatchInfo.GetAddressOf()), S_OK);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(dispatchInfo->GetTypeAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
  EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FDUAL);
  EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FDISPATCHABLE);
  dispatchInfo->ReleaseTypeAttr(attributes);

  // The vtable side: three methods after IUnknown's and IDispatch's seven slots.
  HREFTYPE reference = 0;
  ASSERT_EQ(dispatchInfo->GetRefTypeOfImplType(-1, &reference), S_OK);
  ComPtr<ITypeInfo> interfaceInfo;
  ASSERT_EQ(dispatchInfo->GetRefTypeInfo(reference, interfaceInfo.GetAddressOf()), S_OK);
  ASSERT_EQ(interfaceInfo->GetTypeAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->typekind, TKIND_INTERFACE);
  EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FOLEAUTOMATION);
  ASSERT_EQ(attributes->cFuncs, 3);
  interfaceInfo->ReleaseTypeAttr(attributes);

  struct Method {
    DISPID id;
    const wchar_t* name;
    std::vector<VARTYPE> parameters;  // the pointed-to type for out parameters
  };
  const Method methods[] = {
      {kDispidGetMessages, L"GetMessages", {VT_UI4, VT_UI4}},
      {kDispidRegisterShellHook, L"RegisterShellHook", {VT_UI4, VT_UI4, VT_BOOL}},
      {kDispidDeregisterShellHook, L"DeregisterShellHook", {}},
  };
  for (UINT index = 0; index < 3; ++index) {
    const Method& m = methods[index];
    FUNCDESC* function = nullptr;
    ASSERT_EQ(interfaceInfo->GetFuncDesc(index, &function), S_OK);
    EXPECT_EQ(function->memid, m.id);
    EXPECT_EQ(function->oVft, static_cast<SHORT>((7 + index) * sizeof(void*)));
    EXPECT_EQ(function->elemdescFunc.tdesc.vt, VT_HRESULT);
    ASSERT_EQ(function->cParams, static_cast<SHORT>(m.parameters.size()));
    for (SHORT p = 0; p < function->cParams; ++p) {
      const TYPEDESC& type = function->lprgelemdescParam[p].tdesc;
      const VARTYPE vt = type.vt == VT_PTR ? type.lptdesc->vt : type.vt;
      EXPECT_EQ(vt, m.parameters[p]) << index << "/" << p;
    }
    BSTR name = nullptr;
    interfaceInfo->GetDocumentation(function->memid, &name, nullptr, nullptr, nullptr);
    EXPECT_STREQ(name, m.name);
    SysFreeString(name);
    interfaceInfo->ReleaseFuncDesc(function);
  }

  ComPtr<ITypeInfo> coclass;
  ASSERT_EQ(library->GetTypeInfoOfGuid(ToWinGuid(kTrayExtClassId), coclass.GetAddressOf()), S_OK);
  BSTR text = nullptr;
  coclass->GetDocumentation(MEMBERID_NIL, nullptr, &text, nullptr, nullptr);
  EXPECT_STREQ(text, L"NorvaleTrayExt Object");
  SysFreeString(text);
}

}  // namespace
}  // namespace nv
