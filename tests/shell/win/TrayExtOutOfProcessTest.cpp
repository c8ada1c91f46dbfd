// The player's client and the tray extension in the COM surrogate, as a 32-bit player always meets them: the real
// registration, a dllhost.exe that COM starts, calls through the type-library proxy, and what happens when that
// process is ended under the client.
#include <windows.h>
#include <shellapi.h>
#include <wrl/client.h>

#include <algorithm>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/AppConstants.h"
#include "app/win/TrayExtClient.h"
#include "shell/DockingMode.h"
#include "shell/NorvaleTEL.h"
#include "shell/TrayExtProtocol.h"
#include "tests/common/win/TrayServer.h"

using Microsoft::WRL::ComPtr;

namespace nv {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class TrayExtOutOfProcessTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    SetEnvironmentVariableW(kTrayExtOutOfProcessVariable, L"1");
  }
  static void TearDownTestSuite() { CoUninitialize(); }

  void TearDown() override {
    while (TrayExtConnectionCount() > 0) ConnectTrayExt(false);
  }

  // The one surrogate serving the extension, after a connect.
  static DWORD Surrogate() {
    const std::vector<DWORD> surrogates = test::SurrogateProcesses();
    EXPECT_EQ(surrogates.size(), 1u);
    return surrogates.empty() ? 0 : surrogates.front();
  }

  test::RegisteredTrayServer server_;
};

TEST_F(TrayExtOutOfProcessTest, TheClientConnectsThroughTheSurrogate) {
  ASSERT_THAT(test::SurrogateProcesses(), IsEmpty());
  ASSERT_TRUE(ConnectTrayExt(true));
  EXPECT_EQ(TrayInsertMessage(), RegisterWindowMessageW(kInsertMessageName));
  EXPECT_EQ(TrayRemoveMessage(), RegisterWindowMessageW(kRemoveMessageName));
  const DWORD surrogate = Surrogate();
  EXPECT_NE(surrogate, GetCurrentProcessId());
  if (test::SeesModulesOf64BitProcesses()) {
    EXPECT_TRUE(test::ProcessHasModule(surrogate, L"Norvale.dll")) << "the server runs in the surrogate";
  }
  EXPECT_EQ(GetModuleHandleW(L"Norvale.dll"), nullptr) << "and not in the client";

  // Across the processes, the surrogate installs the shell hook.
  const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  const int reconnections = TrayExtReconnections();
  EXPECT_EQ(RegisterTrayShellHook(window, kShellHookMessageBase), ShellHookRegistration::Registered);
  EXPECT_EQ(RegisterTrayShellHook(window, 1000), ShellHookRegistration::NotRegistered)
      << "no hook for another message base: the hook forwards only at the player's";
  EXPECT_EQ(TrayExtReconnections(), reconnections);
  DeregisterTrayShellHook();
  DestroyWindow(window);

  EXPECT_TRUE(ConnectTrayExt(true));
  EXPECT_EQ(TrayExtConnectionCount(), 2);
  ConnectTrayExt(false);
  ConnectTrayExt(false);
  ConnectTrayExt(false);
  EXPECT_EQ(TrayExtConnectionCount(), 0);
}

TEST_F(TrayExtOutOfProcessTest, TheDualInterfaceAnswersByNameThroughTheProxy) {
  ComPtr<IDispatch> dispatch;
  ASSERT_EQ(CoCreateInstance(__uuidof(NorvaleTrayExt), nullptr, CLSCTX_LOCAL_SERVER,
                             IID_PPV_ARGS(dispatch.GetAddressOf())),
            S_OK);
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"RegisterShellHook")};
  DISPID id = 0;
  ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
  EXPECT_EQ(id, kDispidRegisterShellHook);
  VARIANT arguments[2];
  arguments[1].vt = VT_UI4;
  arguments[1].ulVal = 0x1234;
  arguments[0].vt = VT_UI4;
  arguments[0].ulVal = kShellHookMessageBase;
  DISPPARAMS parameters{arguments, nullptr, 2, 0};
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &parameters, &result, nullptr, nullptr), S_OK);
  EXPECT_EQ(result.vt, VT_BOOL);
}

TEST_F(TrayExtOutOfProcessTest, AnEndedSurrogateIsReplacedAtTheNextRegistration) {
  ASSERT_TRUE(ConnectTrayExt(true));
  ASSERT_TRUE(ConnectTrayExt(true));
  const DWORD first = Surrogate();
  test::EndSurrogates();

  const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  const int reconnections = TrayExtReconnections();
  const ULONGLONG started = GetTickCount64();
  EXPECT_EQ(RegisterTrayShellHook(window, kShellHookMessageBase), ShellHookRegistration::Registered)
      << "answered by a new surrogate, not given up";
  const ULONGLONG took = GetTickCount64() - started;
  DestroyWindow(window);
  EXPECT_EQ(TrayExtReconnections(), reconnections + 1);
  EXPECT_EQ(TrayExtConnectionCount(), 2) << "the player's two connections are kept";
  const DWORD second = Surrogate();
  EXPECT_NE(second, first);
  if (test::SeesModulesOf64BitProcesses()) {
    EXPECT_TRUE(test::ProcessHasModule(second, L"Norvale.dll"));
  }
  EXPECT_EQ(TrayInsertMessage(), RegisterWindowMessageW(kInsertMessageName));
  EXPECT_LT(took, 10000u) << "a new surrogate starts in a few seconds";
}

TEST_F(TrayExtOutOfProcessTest, AServerThatCannotBeStartedRefusesTheConnection) {
  test::SetSurrogate(L"C:\\windows\\system32\\no-such-surrogate.exe");
  EXPECT_FALSE(ConnectTrayExt(true));
  EXPECT_EQ(TrayExtConnectionCount(), 0);
}

// A window of the taskbar's class in front of Wine's own, answering the docking requests as the taskbar's side
// does; what the client sends it and what the client hears back.
class DockingTaskbar {
public:
  struct Request {
    UINT message;
    WPARAM mode;
    HWND window;
  };

  DockingTaskbar() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kTaskbarWindowClass;
    RegisterClassW(&windowClass);
    handle_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kTaskbarWindowClass, L"", WS_POPUP, 0, 760, 1280, 40,
                              nullptr, nullptr, GetModuleHandleW(nullptr), this);
    SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~DockingTaskbar() {
    DestroyWindow(handle_);
    UnregisterClassW(kTaskbarWindowClass, GetModuleHandleW(nullptr));
  }
  HWND Handle() const { return handle_; }
  std::vector<Request> requests;
  std::vector<HWND> docked;

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<DockingTaskbar*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    const HWND target = reinterpret_cast<HWND>(lParam);
    if (self && message == RegisterWindowMessageW(kInsertMessageName)) {
      self->requests.push_back({message, wParam, target});
      switch (DockAnswerForKind(DockingKind(static_cast<std::uint32_t>(wParam)))) {
        case DockAnswer::Refused: return 0;
        case DockAnswer::Reparented: SetParent(target, window); break;
        case DockAnswer::Accepted: break;
      }
      self->docked.push_back(target);
      return 1;
    }
    if (self && message == RegisterWindowMessageW(kRemoveMessageName)) {
      self->requests.push_back({message, wParam, target});
      const auto found = std::find(self->docked.begin(), self->docked.end(), target);
      if (found == self->docked.end()) return 0;
      self->docked.erase(found);
      SetParent(target, nullptr);
      return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
  HWND handle_ = nullptr;
};

TEST_F(TrayExtOutOfProcessTest, DockingRequestsCarryTheModeAndTheTaskbarsAnswer) {
  ASSERT_TRUE(ConnectTrayExt(true));
  DockingTaskbar taskbar;
  ASSERT_EQ(FindWindowW(kTaskbarWindowClass, nullptr), taskbar.Handle()) << "found in front of Wine's taskbar";

  struct Case {
    std::uint32_t mode;
    bool docked;
    bool underTaskbar;  // the window's parent while docked
  };
  const Case cases[] = {
      {DockingModeForTrayPosition(0), true, false},  // 6: placed, parent unchanged
      {DockingModeForTrayPosition(1), true, true},   // 3
      {DockingModeForTrayPosition(2), true, true},   // 5
      {MakeDockingMode(kDockStartOfTaskBand, DockAlignment::End), true, true},
      {2, false, false},
      {MakeDockingMode(4, DockAlignment::Start), false, false},
      {0, true, false},
      {15, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    const HWND strip = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 80, 30, nullptr, nullptr,
                                       nullptr, nullptr);
    taskbar.requests.clear();
    EXPECT_EQ(DockWindow(c.mode, strip), c.docked);
    EXPECT_EQ(GetAncestor(strip, GA_PARENT) == taskbar.Handle(), c.underTaskbar);
    EXPECT_EQ(UndockWindow(strip), c.docked) << "only a docked window can be removed";
    EXPECT_NE(GetAncestor(strip, GA_PARENT), taskbar.Handle());
    ASSERT_EQ(taskbar.requests.size(), 2u);
    EXPECT_EQ(taskbar.requests[0].message, TrayInsertMessage());
    EXPECT_EQ(taskbar.requests[0].mode, c.mode);
    EXPECT_EQ(taskbar.requests[0].window, strip);
    EXPECT_EQ(taskbar.requests[1].message, TrayRemoveMessage());
    EXPECT_EQ(taskbar.requests[1].mode, 0u);
    DestroyWindow(strip);
  }
}

TEST_F(TrayExtOutOfProcessTest, TheTaskbarStateIsAskedWithTheRecordsRealSize) {
  // Wine's taskbar is always on top; a record given as 36 bytes on a 64-bit system would not be answered.
  EXPECT_TRUE(GetTaskbarState() & ABS_ALWAYSONTOP);
}

}  // namespace
}  // namespace nv
