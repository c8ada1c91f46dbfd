// The program modal counter and the loops that are not ours. While a message box or the system's open dialog runs,
// the counter is 1, the program's other windows (and the registered extra window) are disabled, and idle processing
// goes on: a timer changes the model and the action linked to a button follows. Afterwards everything is as it
// was — also when an exception ends the modal loop.
#include <gtest/gtest.h>

#include <optional>

#include "support/Errors.h"
#include "support/ui/ModalCount.h"
#include "support/ui/win/FileDialogs.h"
#include "support/ui/win/ModalScope.h"
#include "tests/support/ui/win/UiTestSupport.h"

namespace nv::test {
namespace {

constexpr DWORD kTimeoutMs = 5000;

struct Seen {
  int count = -1;
  bool formEnabled = true, extraEnabled = true, actionEnabled = false, buttonEnabled = false;
};

class ModalTest : public ::testing::Test {
protected:
  ModalTest()
      : other(Rect::FromSize(650, 150, 200, 100)),
        button(form, Rect::FromSize(20, 20, 60, 30), RGB(0, 90, 200), "open"),
        clock(form, Rect::FromSize(0, 0, 1, 1), RGB(0, 0, 0), "clock") {
    open = &actions.Add(u"Open media...");
    open->OnUpdate = [this](Action& a) { a.SetEnabled(modelAllows); };
    form.AddActionList(actions);
    button.SetAction(open);
    extra = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 300, 200, 50, 20, form.Handle(), nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    extraRegistration = App().AddModalExtraWindow(extra);
    other.Show();
    EnableWindow(other.Handle(), FALSE);  // disabled before: it must stay so
    form.Show();
    SetForegroundWindow(form.Handle());
    PumpFor(300);
  }

  // From a timer of the form, while the foreign loop runs: the model changes, then, a while later, what can be
  // seen is recorded and the dialog closed with `close`.
  void ObserveThenClose(UINT closeCommand) {
    int ticks = 0;
    clock.onTick = [this, ticks, closeCommand]() mutable {
      if (++ticks == 1) modelAllows = true;
      if (ticks < 6) return;
      const HWND dialog = FindOwnWindow(L"#32770");
      if (!dialog) return;  // not up yet
      clock.SetTimerInterval(0);
      seen = Seen{ProgramModalCount(), IsWindowEnabled(form.Handle()) != FALSE, IsWindowEnabled(extra) != FALSE,
                  open->Enabled(), button.Enabled()};
      PostMessageW(dialog, WM_COMMAND, closeCommand, 0);
    };
    clock.SetTimerInterval(100);
  }

  void ExpectSeenDuring() {
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->count, 1);
    EXPECT_FALSE(seen->formEnabled);
    EXPECT_FALSE(seen->extraEnabled);
    EXPECT_TRUE(seen->actionEnabled) << "idle went on: the update saw the model change";
    EXPECT_TRUE(seen->buttonEnabled) << "and the linked button followed";
  }

  void ExpectRestored() {
    EXPECT_EQ(ProgramModalCount(), 0);
    EXPECT_TRUE(IsWindowEnabled(form.Handle()));
    EXPECT_TRUE(IsWindowEnabled(extra));
    EXPECT_FALSE(IsWindowEnabled(other.Handle())) << "disabled before, disabled after";
    EXPECT_EQ(GetActiveWindow(), form.Handle());
  }

  TestForm other;
  TestForm form;
  ProbeControl button, clock;
  ActionList actions;
  Action* open = nullptr;
  HWND extra = nullptr;
  Registration extraRegistration;
  bool modelAllows = false;
  std::optional<Seen> seen;
};

TEST_F(ModalTest, IdleAndTheCounterGoOnDuringAMessageBox) {
  ASSERT_EQ(GetActiveWindow(), form.Handle());
  PumpFor(100);
  EXPECT_FALSE(open->Enabled());
  ObserveThenClose(IDOK);
  EXPECT_EQ(ShowMessageBox(L"Waiting for the timer.", MB_OK), IDOK);
  ExpectSeenDuring();
  ExpectRestored();
}

TEST_F(ModalTest, IdleAndTheCounterGoOnDuringTheSystemsOpenDialog) {
  ObserveThenClose(IDCANCEL);
  OpenFileDialog dialog;
  dialog.Filter = L"All files|*.*";
  EXPECT_FALSE(dialog.Execute(form.Handle()));
  ExpectSeenDuring();
  ExpectRestored();
}

TEST_F(ModalTest, AnExceptionThatEndsAModalLoopStillRestoresEverything) {
  int countInside = -1;
  EXPECT_THROW(RunForeignModal([&] {
                 countInside = ProgramModalCount();
                 EXPECT_FALSE(IsWindowEnabled(form.Handle()));
                 throw EConvertError("the dialog failed");
               }),
               EConvertError);
  EXPECT_EQ(countInside, 1);
  ExpectRestored();
}

TEST_F(ModalTest, AFailureInsideAModalFormReachesTheHandlerAndTheFormRunsOn) {
  std::vector<std::string> failures;
  App().OnException = [&](const std::exception& e) { failures.push_back(e.what()); };
  TestForm dialog(Rect::FromSize(300, 300, 200, 100));
  ProbeControl timer(dialog, Rect::FromSize(0, 0, 1, 1), RGB(0, 0, 0));
  int ticks = 0;
  timer.onTick = [&] {
    if (++ticks == 1) throw EConvertError("from inside the modal form");
    timer.SetTimerInterval(0);
    dialog.SetModalResult(mrOk);
  };
  timer.SetTimerInterval(100);
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  App().OnException = nullptr;
  EXPECT_EQ(failures, std::vector<std::string>{"from inside the modal form"});
  EXPECT_EQ(ticks, 2);
  ExpectRestored();
}

}  // namespace
}  // namespace nv::test
