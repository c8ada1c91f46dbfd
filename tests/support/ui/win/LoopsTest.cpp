// The message loop and its deferred work: failures from timers, menu commands and deferred calls reach the
// exception handler and the loop goes on; Terminate ends nested loops with exit code 0; posts for a control that is
// gone are dropped, whichever thread posted them; a form released in its own handler goes afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <new>
#include <set>
#include <string>
#include <thread>

#include "support/Errors.h"
#include "support/ui/win/Menus.h"
#include "support/ui/win/UtilityWindow.h"
#include "support/win/UniqueHandle.h"
#include "tests/common/TestPaths.h"
#include "tests/common/win/DesktopDriver.h"
#include "tests/common/win/WineTestEnv.h"
#include "tests/support/ui/win/UiTestSupport.h"

namespace nv::test {
namespace {

constexpr DWORD kTimeoutMs = 5000;

// Failures reach this instead of a message box.
class FailureLog {
public:
  FailureLog() {
    App().OnException = [this](const std::exception& e) { messages.insert(e.what()); };
  }
  ~FailureLog() { App().OnException = nullptr; }
  std::set<std::string> messages;
};

class FailingForm final : public TestForm {
public:
  FailingForm() { SetTimer(7, 20); }

protected:
  void HandleTimer(UINT_PTR id) override {
    if (id != 7) return TestForm::HandleTimer(id);
    KillTimer(id);
    throw EConvertError("from a form timer");
  }
};

TEST(Loops, FailuresFromTimersMenuCommandsAndDeferredCallsReachTheHandlerAndTheLoopGoesOn) {
  FailureLog failures;
  FailingForm form;
  form.Show();
  ProbeControl probe(form, Rect::FromSize(10, 10, 20, 20), RGB(0, 0, 0));
  probe.onTick = [&] {
    probe.SetTimerInterval(0);
    throw EConvertError("from a control timer");
  };
  probe.SetTimerInterval(20);
  UtilityWindow::Current().PostCall([] { throw EConvertError("from a deferred call"); });
  UtilityWindow::Current().PostCall([] { throw EAbort(); });  // the silent abort: nobody hears of it

  // A menu opened from a deferred call; the command chosen fails after the menu has closed.
  PopupMenu menu;
  menu.Items().Add(u"Fail").OnClick = [](MenuItem&) { throw EConvertError("from a menu command"); };
  const Point at{400, 300};
  UtilityWindow::Current().PostCall([&] { menu.Popup(at); });
  std::thread chooser([] {
    HWND open = nullptr;
    if (!WaitUntil([&] { return (open = FindOwnWindow(L"#32768")) != nullptr; }, kTimeoutMs)) return;
    RECT item{};
    GetMenuItemRect(nullptr, reinterpret_cast<HMENU>(SendMessageW(open, MN_GETHMENU, 0, 0)), 0, &item);
    ClickAt((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  });

  const std::set<std::string> expected{"from a form timer", "from a control timer", "from a deferred call",
                                       "from a menu command"};
  const bool allHeard = PumpUntil([&] { return failures.messages == expected; }, kTimeoutMs);
  chooser.join();
  EXPECT_TRUE(allHeard);
  EXPECT_EQ(failures.messages, expected);

  bool later = false;
  UtilityWindow::Current().PostCall([&] { later = true; });
  EXPECT_TRUE(PumpUntil([&] { return later; }, kTimeoutMs)) << "the loop goes on";
}

TEST(Loops, TerminateInsideNestedLoopsEndsThemAllWithExitCodeZero) {
  const std::filesystem::path log = std::filesystem::temp_directory_path() / "norvale-loop-probe.log";
  std::filesystem::remove(log);
  std::wstring command = L"\"" + UnixToWindowsPath(BinaryDir() + "/tests/support/ui/ui_loop_probe.exe") + L"\" \"" +
                        log.wstring() + L"\"";
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
  const UniqueHandle probe(process.hProcess), thread(process.hThread);
  ASSERT_EQ(WaitForSingleObject(probe.Get(), 15000), WAIT_OBJECT_0) << "a loop did not end";
  DWORD code = 1;
  GetExitCodeProcess(probe.Get(), &code);
  EXPECT_EQ(code, 0u);

  std::ifstream in(log);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"wait ended: terminated", "modal loop ended: 2", "main loop ended"}))
      << "innermost first; the modal form ends as cancelled";
}

TEST(Loops, PostsForAControlThatIsGoneAreDroppedWhicheverThreadPostedThem) {
  TestForm form;
  form.Show();
  PumpFor(200);
  // The second control is made where the first was, so that a post that went by address would reach it.
  alignas(ProbeControl) unsigned char storage[sizeof(ProbeControl)];
  auto* first = new (storage) ProbeControl(form, Rect::FromSize(10, 10, 50, 50), RGB(9, 9, 9), "first");
  PumpUntil([&] { return first->paints > 0; }, kTimeoutMs);

  // A live control is repainted and its call made, from a worker thread's posts.
  ValidateRect(form.Handle(), nullptr);
  const int paintsBefore = first->paints;
  int calls = 0;
  const ControlRef live = first->Ref();
  std::thread([live, &calls] {
    live.PostRepaint();
    live.PostCall([&calls] { ++calls; });
  }).join();
  EXPECT_TRUE(PumpUntil([&] { return first->paints == paintsBefore + 1 && calls == 1; }, kTimeoutMs));

  // Posts that arrive after the control died reach nothing, not even the control that took its place.
  const ControlRef stale = first->Ref();
  std::thread([stale, &calls] {
    stale.PostRepaint();
    stale.PostCall([&calls] { ++calls; });
  }).join();
  first->~ProbeControl();
  auto* second = new (storage) ProbeControl(form, Rect::FromSize(10, 10, 50, 50), RGB(9, 9, 9), "second");
  ASSERT_EQ(static_cast<void*>(second), static_cast<void*>(storage));
  ValidateRect(form.Handle(), nullptr);
  PumpFor(300);
  EXPECT_EQ(second->paints, 0);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(stale.Get(), nullptr);
  second->~ProbeControl();
}

TEST(Loops, AFormReleasedInsideItsOwnHandlerIsDeletedAfterwards) {
  struct Witness {
    bool handlerFinished = false;
    bool destroyed = false;
  } witness;
  class SelfReleasing final : public TestForm {
  public:
    explicit SelfReleasing(Witness& witness) : witness_(witness) {
      OnClose = [](Form&, CloseAction& action) { action = CloseAction::Free; };
    }
    ~SelfReleasing() override { witness_.destroyed = true; }

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
      const LRESULT result = TestForm::WindowProc(message, wParam, lParam);
      if (message == WM_CLOSE) witness_.handlerFinished = !witness_.destroyed;  // still here after Close
      return result;
    }

  private:
    Witness& witness_;
  };
  auto* form = new SelfReleasing(witness);
  form->Show();
  PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return witness.destroyed; }, kTimeoutMs));
  EXPECT_TRUE(witness.handlerFinished);
}

TEST(Loops, AWaitHandlesMessagesUntilItsObjectIsSignalled) {
  const UniqueHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  const HANDLE handle = event.Get();
  bool handled = false;
  UtilityWindow::Current().PostCall([&] { handled = true; });
  std::thread setter([handle] {
    Sleep(300);
    SetEvent(handle);
  });
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(App().WaitPumping(handle), WaitResult::Signalled);
  setter.join();
  EXPECT_GE(GetTickCount64() - start, 250u);
  EXPECT_TRUE(handled) << "messages were handled while waiting";

  ResetEvent(handle);
  EXPECT_EQ(App().WaitPumping(handle, {}, 150), WaitResult::TimedOut);
  EXPECT_EQ(App().WaitPumping(handle, [] { return true; }), WaitResult::Stopped);
}

}  // namespace
}  // namespace nv::test
