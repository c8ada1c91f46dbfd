// Registering and unregistering Norvale.dll through its own exports, seen in the registry: what it writes, that
// doing it twice changes nothing, that unregistering leaves HKEY_CLASSES_ROOT exactly as it was, and that a step
// that fails is reported without stopping the others.
#include <windows.h>

#include <algorithm>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/win/RegistryKey.h"
#include "tests/common/win/RegistryDump.h"
#include "tests/common/win/TrayServer.h"

namespace nv {
namespace {

using ::testing::IsEmpty;

using RegistrationFunction = HRESULT(STDAPICALLTYPE*)();

constexpr wchar_t kTray[] = L"{3350B1B8-0FB3-4C57-AABD-9C0F5C914410}";
constexpr wchar_t kMenu[] = L"{11CD2A0E-1225-193C-1989-000000000000}";
constexpr wchar_t kLibrary[] = L"{717943C4-AD3E-4242-B20C-25D41B5D0910}";
constexpr wchar_t kInterface[] = L"{07AD0995-CA55-48F8-9FE3-4E1F10BB8CFC}";
constexpr wchar_t kIDispatchKey[] = L"Interface\\{00020400-0000-0000-C000-000000000046}";

std::wstring Row(const std::wstring& key, const std::wstring& name, const std::wstring& data) {
  return key + L"\t[" + name + L"]\t1\t" + data;
}

// Key names compare without regard to case: the system's type library registration writes "Typelib" on Wine.
bool HasRow(const test::RegistryDump& dump, const std::wstring& row) {
  return std::any_of(dump.begin(), dump.end(), [&](const std::wstring& line) {
    return CompareStringOrdinal(line.c_str(), -1, row.c_str(), -1, TRUE) == CSTR_EQUAL;
  });
}

class ServerRegistrationTest : public ::testing::Test {
protected:
  void SetUp() override {
    module_ = LoadLibraryW(test::BuiltServerPath().c_str());
    ASSERT_NE(module_, nullptr);
    register_ = Export("DllRegisterServer");
    unregister_ = Export("DllUnregisterServer");
    ASSERT_EQ(unregister_(), S_OK) << "nothing registered is no failure";
  }
  void TearDown() override {
    unregister_();
    FreeLibrary(module_);
  }
  RegistrationFunction Export(const char* name) {
    return reinterpret_cast<RegistrationFunction>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }
  static test::RegistryDump Classes() { return test::DumpRegistry(HKEY_CLASSES_ROOT); }

  HMODULE module_ = nullptr;
  RegistrationFunction register_ = nullptr, unregister_ = nullptr;
};

TEST_F(ServerRegistrationTest, RegistersEveryRowOnceAndUnregistersToTheRegistryItFound) {
  const test::RegistryDump before = Classes();
  const test::RegistryDump dispatchBefore = test::DumpRegistry(HKEY_CLASSES_ROOT, kIDispatchKey);
  ASSERT_FALSE(dispatchBefore.empty());

  ASSERT_EQ(register_(), S_OK);
  const test::RegistryDump registered = Classes();
  ASSERT_EQ(register_(), S_OK);
  EXPECT_EQ(Classes(), registered) << "registering again changes nothing";

  const std::wstring module = test::BuiltServerPath();
  const std::wstring tray = std::wstring(L"CLSID\\") + kTray, menu = std::wstring(L"CLSID\\") + kMenu;
  const std::wstring appId = std::wstring(L"AppID\\") + kTray;
  const std::wstring library = std::wstring(L"TypeLib\\") + kLibrary + L"\\1.0";
  const std::wstring iface = std::wstring(L"Interface\\") + kInterface;
  const test::RegistryDump added = test::Added(before, registered);
  for (const std::wstring& row : {
           Row(tray, L"", L"NorvaleTrayExt Object"), Row(tray, L"AppID", kTray),
           Row(tray + L"\\InprocServer32", L"", module), Row(tray + L"\\InprocServer32", L"ThreadingModel", L"Free"),
           Row(tray + L"\\Version", L"", L"1.0"), Row(tray + L"\\TypeLib", L"", kLibrary),
           Row(appId, L"", L"NorvaleTrayExt Object"), Row(appId, L"DllSurrogate", L""),
           Row(menu, L"", L"Brindle Norvale"), Row(menu + L"\\InprocServer32", L"", module),
           Row(menu + L"\\InprocServer32", L"ThreadingModel", L"Apartment"),
           Row(menu + L"\\shellex\\MayChangeDefaultMenu", L"", L""),
           Row(L"*\\shellex\\ContextMenuHandlers\\Brindle Norvale", L"", kMenu),
           Row(L"Directory\\shellex\\ContextMenuHandlers\\Brindle Norvale", L"", kMenu),
           Row(L"Drive\\shellex\\ContextMenuHandlers\\Brindle Norvale", L"", kMenu),
           Row(library, L"", L"Norvale TrayExt Library"), Row(library + L"\\409\\win64", L"", module),
           Row(library + L"\\0\\win64", L"", module),  // where the type-library marshaller looks
           Row(iface + L"\\ProxyStubClsid32", L"", L"{00020424-0000-0000-C000-000000000046}"),
           Row(iface + L"\\TypeLib", L"", kLibrary)}) {
    EXPECT_TRUE(HasRow(added, row)) << std::string(row.begin(), row.end());
  }
  EXPECT_EQ(test::DumpRegistry(HKEY_CLASSES_ROOT, kIDispatchKey), dispatchBefore)
      << "the type library's own IDispatch declaration is not registered over the system's";

  ASSERT_EQ(unregister_(), S_OK);
  const test::RegistryDump after = Classes();
  EXPECT_THAT(test::Added(before, after), IsEmpty()) << "nothing the server wrote is left";
  EXPECT_THAT(test::Added(after, before), IsEmpty()) << "and nothing else went";
  ASSERT_EQ(unregister_(), S_OK) << "twice is no failure";
}

TEST_F(ServerRegistrationTest, AFailedStepIsReportedAfterTheOtherStepsRan) {
  // A volatile key accepts no lasting subkeys: the context-menu handler's class key cannot be filled in.
  const std::wstring menu = std::wstring(L"CLSID\\") + kMenu;
  {
    RegistryKey blocker;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, menu.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_WRITE, nullptr,
                              blocker.Receive(), nullptr),
              ERROR_SUCCESS);
  }
  EXPECT_EQ(register_(), HRESULT_FROM_WIN32(ERROR_CHILD_MUST_BE_VOLATILE));
  // The tray extension's class registered after the failing one, and its type library, are all there.
  EXPECT_FALSE(test::DumpRegistry(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + kTray + L"\\InprocServer32").empty());
  EXPECT_FALSE(test::DumpRegistry(HKEY_CLASSES_ROOT, std::wstring(L"AppID\\") + kTray).empty());
  EXPECT_FALSE(test::DumpRegistry(HKEY_CLASSES_ROOT, std::wstring(L"TypeLib\\") + kLibrary).empty());
  EXPECT_FALSE(test::DumpRegistry(HKEY_CLASSES_ROOT, L"Drive\\shellex\\ContextMenuHandlers\\Brindle Norvale").empty());
  EXPECT_EQ(unregister_(), S_OK);
  EXPECT_TRUE(test::DumpRegistry(HKEY_CLASSES_ROOT, menu).empty());
}

}  // namespace
}  // namespace nv
