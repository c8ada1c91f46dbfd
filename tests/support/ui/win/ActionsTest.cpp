// Every way of giving a command runs the same action, and a disabled action runs from none of them: a global hot
// key, a menu command, a click on a windowless button linked to it, a short-cut of the form. The list's hook runs
// once per run; two actions on one hot-key identifier give way to each other.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "support/ui/win/HotKeys.h"
#include "support/ui/win/Menus.h"
#include "support/ui/win/UtilityWindow.h"
#include "tests/common/win/DesktopDriver.h"
#include "tests/support/ui/win/UiTestSupport.h"

namespace nv::test {
namespace {

constexpr DWORD kTimeoutMs = 3000;
constexpr int kPlayTag = 5;
const ShortCut kHotKey{VK_F10, kModCtrl | kModAlt};
const ShortCut kShortCut{VK_F9, kModCtrl};

class ActionsTest : public ::testing::Test {
public:
  ActionsTest() : button(form, Rect::FromSize(20, 20, 60, 30), RGB(0, 90, 200), "play") {
    play = &actions.Add(u"Play", u"Play", kPlayTag);
    play->SetShortCut(kShortCut);
    play->OnUpdate = [this](Action& a) { a.SetEnabled(allowed); };
    play->OnExecute = [this](Action&) { ++runs; };
    actions.OnExecute = [this](Action&) {
      ++hooks;
      return false;
    };
    form.AddActionList(actions);
    button.SetAction(play);
    menu.Items().Add(*play);
    form.Show();
    SetForegroundWindow(form.Handle());
    PumpFor(200);
  }
  ~ActionsTest() override { MoveMouseTo(5, 5); }

  // The triggers: each gives the command as a person would, then waits for the program to have handled it.
  void PressHotKey() {
    const HotKeyRegistration registration(form.Handle(), kPlayTag, kHotKey);
    ASSERT_TRUE(registration.Registered());
    PressKeys({VK_CONTROL, VK_MENU, VK_F10});
    PumpFor(400);
  }
  void ChooseFromMenu() {
    std::thread hand([] {
      HWND open = nullptr;
      if (!WaitUntil([&] { return (open = FindOwnWindow(L"#32768")) != nullptr; }, kTimeoutMs)) return;
      RECT item{};
      GetMenuItemRect(nullptr, reinterpret_cast<HMENU>(SendMessageW(open, MN_GETHMENU, 0, 0)), 0, &item);
      ClickAt((item.left + item.right) / 2, (item.top + item.bottom) / 2);
      Sleep(300);
      if (FindOwnWindow(L"#32768")) PostMessageW(open, WM_CANCELMODE, 0, 0);  // a grayed item does not close it
    });
    menu.Popup({500, 400});
    hand.join();
    PumpFor(100);
  }
  void ClickButton() {
    PumpFor(100);  // idle: the button follows its action
    const Point at = ScreenCentre(button);
    ClickAt(at.x, at.y);
    PumpFor(400);
  }
  void PressShortCut() {
    PressKeys({VK_CONTROL, VK_F9});
    PumpFor(400);
  }

  TestForm form;
  ProbeControl button;
  ActionList actions;
  Action* play = nullptr;
  PopupMenu menu;
  bool allowed = true;
  int runs = 0, hooks = 0;
};

TEST_F(ActionsTest, EveryTriggerRunsAnEnabledActionOnceAndADisabledOneNever) {
  struct Trigger {
    const char* name;
    void (ActionsTest::*give)();
  };
  const Trigger triggers[] = {{"hot key", &ActionsTest::PressHotKey},
                              {"menu command", &ActionsTest::ChooseFromMenu},
                              {"click on a linked button", &ActionsTest::ClickButton},
                              {"short-cut", &ActionsTest::PressShortCut}};
  for (const bool enabled : {true, false})
    for (const Trigger& trigger : triggers) {
      SCOPED_TRACE(std::string(trigger.name) + (enabled ? ", enabled" : ", disabled"));
      allowed = enabled;
      runs = hooks = 0;
      (this->*trigger.give)();
      EXPECT_EQ(runs, enabled ? 1 : 0);
      EXPECT_EQ(hooks, enabled ? 1 : 0) << "the list's hook, once per run";
    }
}

TEST_F(ActionsTest, AHotKeySharedByTwoActionsRunsTheSecondWhenTheFirstIsDisabled) {
  Action& myMedia = actions.Add(u"My media...", u"My media", kPlayTag);
  int myMediaRuns = 0;
  myMedia.OnExecute = [&](Action&) { ++myMediaRuns; };
  allowed = false;
  PressHotKey();
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(myMediaRuns, 1);
  allowed = true;
  PressHotKey();
  EXPECT_EQ(runs, 1) << "the first in list order that reports handling";
  EXPECT_EQ(myMediaRuns, 1);
}

TEST_F(ActionsTest, ALinkedButtonFollowsItsActionOnIdle) {
  allowed = false;
  PumpFor(100);
  EXPECT_FALSE(button.Enabled());
  play->SetVisible(false);
  EXPECT_FALSE(button.Visible());
  play->SetVisible(true);
  allowed = true;
  PumpFor(100);
  EXPECT_TRUE(button.Enabled());
  EXPECT_EQ(button.HintText(), L"Play") << "the action's hint, as the control has none of its own";
}

}  // namespace
}  // namespace nv::test
