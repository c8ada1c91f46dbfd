// Media keys pressed in any program reach the player: the tray extension in the COM surrogate installs the shell
// hook, a third process raises an application command, and the hook in that process forwards it to the player's
// window through the shared block.
#include <windows.h>
#include <objbase.h>
#include <aclapi.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/AppConstants.h"
#include "app/win/TrayExtClient.h"
#include "shell/TrayExtProtocol.h"
#include "support/win/UniqueHandle.h"
#include "tests/shell/win/FakeTaskbarProcess.h"
#include "tests/shell/win/TrayServerSuite.h"

namespace nv {
namespace {

constexpr wchar_t kBlockName[] = L"{43AF50B2-1F44-470d-B176-63ABDC3310C0}";
constexpr UINT kAppCommandEvent = kShellHookMessageBase + HSHELL_APPCOMMAND;

// A window of this process that counts the shell events it is sent and answers them as told.
class EventWindow {
public:
  EventWindow(const wchar_t* className, LRESULT answer) : answer_(answer) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    handle_ = CreateWindowExW(0, className, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr),
                              nullptr);
    SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~EventWindow() { DestroyWindow(handle_); }
  HWND Handle() const { return handle_; }
  int heard = 0;
  int lastCommand = 0;

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<EventWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message >= kShellHookMessageBase && message < kShellHookMessageBase + 100) {
      ++self->heard;
      self->lastCommand = GET_APPCOMMAND_LPARAM(lParam);
      return self->answer_;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
  HWND handle_ = nullptr;
  LRESULT answer_;
};

class ShellHookTest : public test::TrayServerSuite {
protected:
  void SetUp() override { ASSERT_TRUE(ConnectTrayExt(true)); }
  void TearDown() override {
    DeregisterTrayShellHook();
    TrayServerSuite::TearDown();
  }

  // Another program gets a media key (play/pause) it does not handle itself; this thread answers what is sent to
  // its windows meanwhile.
  static void RaiseMediaKeyElsewhere() {
    const UniqueHandle peer = test::StartShellPeer(L"appcommand " + std::to_wstring(APPCOMMAND_MEDIA_PLAY_PAUSE));
    const HANDLE handles[] = {peer.Get()};
    const ULONGLONG end = GetTickCount64() + 20000;
    while (MsgWaitForMultipleObjects(1, handles, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      ASSERT_LT(GetTickCount64(), end) << "the other program ended";
    }
  }

  // The fake taskbar keeps the extension from reaching into the environment's own shell.
  test::FakeTaskbar taskbar_;
};

TEST_F(ShellHookTest, TheRegisteredPlayerHearsAMediaKeyOfAnotherProgramOnce) {
  struct Case {
    const char* name;
    LRESULT answer;
    int registrations;
    bool deregistered;
    int heard;
  };
  const Case cases[] = {
      {"handled by the player", 1, 1, false, 1},
      {"let through by the player", 0, 1, false, 1},
      {"registered twice: one hook, so a command let through is still heard once", 0, 2, false, 1},
      {"deregistered: the program keeps its key", 1, 1, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EventWindow player(kPlayerWindowClass, c.answer);
    for (int i = 0; i < c.registrations; ++i)
      ASSERT_EQ(RegisterTrayShellHook(player.Handle(), kShellHookMessageBase), ShellHookRegistration::Registered);
    if (c.deregistered) DeregisterTrayShellHook();
    RaiseMediaKeyElsewhere();
    EXPECT_EQ(player.heard, c.heard);
    if (c.heard) EXPECT_EQ(player.lastCommand, APPCOMMAND_MEDIA_PLAY_PAUSE);
    DeregisterTrayShellHook();
  }
}

TEST_F(ShellHookTest, TheHookObeysNoTargetButThePlayersWindowAtThePlayersBase) {
  EventWindow player(kPlayerWindowClass, 1);
  EventWindow foreign(L"NorvaleForeignWindow", 1);
  ASSERT_EQ(RegisterTrayShellHook(player.Handle(), kShellHookMessageBase), ShellHookRegistration::Registered);
  // What another program of the same user could write into the block, were it to get at it.
  const UniqueHandle mapping(OpenFileMappingW(FILE_MAP_WRITE, FALSE, kBlockName));
  ASSERT_TRUE(mapping);
  auto* block = static_cast<std::uint64_t*>(MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, 24));
  ASSERT_NE(block, nullptr);
  struct Case {
    const char* name;
    HWND target;
    std::uint32_t base;
  };
  const Case cases[] = {
      {"a window that is not the player's", foreign.Handle(), kShellHookMessageBase},
      {"the player's window at another base", player.Handle(), 0x8000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    block[1] = reinterpret_cast<std::uintptr_t>(c.target);
    reinterpret_cast<std::uint32_t*>(block)[4] = c.base;
    RaiseMediaKeyElsewhere();
    EXPECT_EQ(foreign.heard, 0);
    EXPECT_EQ(player.heard, 0);
  }
  UnmapViewOfFile(block);
}

TEST_F(ShellHookTest, OnlyTheCurrentUserMayOpenTheSharedBlock) {
  ASSERT_EQ(RegisterTrayShellHook(GetDesktopWindow(), kShellHookMessageBase), ShellHookRegistration::Registered);
  const UniqueHandle mapping(OpenFileMappingW(READ_CONTROL, FALSE, kBlockName));
  ASSERT_TRUE(mapping);
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_EQ(GetSecurityInfo(mapping.Get(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                            nullptr, &descriptor),
            ERROR_SUCCESS);
  ASSERT_NE(dacl, nullptr) << "a null DACL would let any process open the block";
  ASSERT_EQ(dacl->AceCount, 1);
  void* ace = nullptr;
  ASSERT_TRUE(GetAce(dacl, 0, &ace));
  ASSERT_EQ(static_cast<ACE_HEADER*>(ace)->AceType, ACCESS_ALLOWED_ACE_TYPE);
  const PSID granted = &static_cast<ACCESS_ALLOWED_ACE*>(ace)->SidStart;

  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  BYTE user[256];
  DWORD size = sizeof user;
  ASSERT_TRUE(GetTokenInformation(token, TokenUser, user, size, &size));
  CloseHandle(token);
  EXPECT_TRUE(EqualSid(granted, reinterpret_cast<TOKEN_USER*>(user)->User.Sid));
  LocalFree(descriptor);
}

}  // namespace
}  // namespace nv
