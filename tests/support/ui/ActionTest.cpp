// Actions: Execute runs the update first, refuses when disabled, runs the list's hook once, reports whether it was
// handled; ExecuteTag runs the first action of a tag that reports handling; clients hear only real changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ui/Action.h"

namespace nv {
namespace {

struct Counter final : ActionClient {
  int changes = 0;
  void ActionChanged(Action&) override { ++changes; }
};

struct ExecuteCase {
  const char* what;
  bool enabledByUpdate;
  bool hasHandler;
  bool hookClaims;
  bool expectedResult;
  int expectedRuns;  // of the action's own handler
  int expectedHooks;
};

TEST(Action, ExecuteTable) {
  const ExecuteCase cases[] = {
      {"enabled, with a handler", true, true, false, true, 1, 1},
      {"disabled by its update: nothing runs, not even the hook", false, true, false, false, 0, 0},
      {"enabled without a handler: not handled", true, false, false, false, 0, 1},
      {"the hook claims it: handled, the handler does not run", true, true, true, true, 0, 1},
      {"disabled and claimed by nothing", false, false, true, false, 0, 0},
  };
  for (const ExecuteCase& c : cases) {
    SCOPED_TRACE(c.what);
    ActionList list;
    int hooks = 0, runs = 0;
    std::vector<std::string> order;
    list.OnExecute = [&](Action&) {
      ++hooks;
      order.push_back("hook");
      return c.hookClaims;
    };
    Action& action = list.Add(u"Play");
    action.SetEnabled(!c.enabledByUpdate);  // the update must set it, whatever it was
    action.OnUpdate = [&](Action& a) {
      order.push_back("update");
      a.SetEnabled(c.enabledByUpdate);
    };
    if (c.hasHandler)
      action.OnExecute = [&](Action&) {
        ++runs;
        order.push_back("execute");
      };
    EXPECT_EQ(action.Execute(), c.expectedResult);
    EXPECT_EQ(runs, c.expectedRuns);
    EXPECT_EQ(hooks, c.expectedHooks);
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.front(), "update") << "the update runs first";
  }
}

TEST(Action, AnActionThatIsRunningDoesNotRunAgain) {
  Action action;
  int runs = 0;
  bool nested = true;
  action.OnExecute = [&](Action& a) {
    ++runs;
    nested = a.Execute();  // a command arriving while this one pumps messages
  };
  EXPECT_TRUE(action.Execute());
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(nested);
  EXPECT_FALSE(action.Executing());
  EXPECT_TRUE(action.Execute()) << "runs again once the first run is over";
}

TEST(Action, AFailingHandlerLeavesTheActionReadyToRunAgain) {
  Action action;
  action.OnExecute = [](Action&) { throw std::runtime_error("no"); };
  EXPECT_THROW(action.Execute(), std::runtime_error);
  EXPECT_FALSE(action.Executing());
}

TEST(ActionList, ExecuteTagRunsTheFirstActionOfTheTagThatReportsHandling) {
  ActionList list;
  std::vector<std::string> ran;
  Action& open = list.Add(u"Open media...", u"", 8);
  Action& other = list.Add(u"Stop", u"", 2);
  Action& myMedia = list.Add(u"My media...", u"", 8);
  for (Action* a : {&open, &other, &myMedia})
    a->OnExecute = [&ran](Action& x) { ran.push_back(std::string(x.Caption().begin(), x.Caption().end())); };

  EXPECT_TRUE(list.ExecuteTag(8));
  EXPECT_EQ(ran, std::vector<std::string>{"Open media..."});

  ran.clear();
  open.OnUpdate = [](Action& a) { a.SetEnabled(false); };
  EXPECT_TRUE(list.ExecuteTag(8)) << "the first is disabled: the second runs";
  EXPECT_EQ(ran, std::vector<std::string>{"My media..."});

  ran.clear();
  myMedia.OnUpdate = [](Action& a) { a.SetEnabled(false); };
  EXPECT_FALSE(list.ExecuteTag(8));
  EXPECT_FALSE(list.ExecuteTag(99)) << "no action has the tag";
  EXPECT_TRUE(ran.empty());

  // Tags move at run time.
  myMedia.OnUpdate = nullptr;
  myMedia.SetEnabled(true);
  open.SetTag(0);
  other.SetTag(8);
  EXPECT_TRUE(list.ExecuteTag(8));
  EXPECT_EQ(ran, std::vector<std::string>{"Stop"});
}

TEST(ActionList, TheUpdateHookCanClaimEveryUpdate) {
  ActionList list;
  int own = 0, hooked = 0;
  list.OnUpdate = [&](Action& a) {
    ++hooked;
    a.SetEnabled(false);
    return true;
  };
  Action& a = list.Add();
  Action& b = list.Add();
  a.OnUpdate = b.OnUpdate = [&](Action&) { ++own; };
  list.UpdateAll();
  EXPECT_EQ(hooked, 2);
  EXPECT_EQ(own, 0);
  EXPECT_FALSE(a.Enabled());
  EXPECT_FALSE(b.Execute());
}

TEST(ActionList, FindsAnActionByItsShortCutOrItsName) {
  ActionList list;
  Action& selectAll = list.Add(u"Select all");
  selectAll.SetShortCut({'A', kModCtrl});
  selectAll.Name = "aSelectAll";
  Action& fullScreen = list.Add(u"Show full screen");
  fullScreen.SetShortCut({0x0D, kModAlt});
  EXPECT_EQ(list.FindShortCut({'A', kModCtrl}), &selectAll);
  EXPECT_EQ(list.FindShortCut({0x0D, kModAlt}), &fullScreen);
  EXPECT_EQ(list.FindShortCut({'A', 0}), nullptr);
  EXPECT_EQ(list.FindShortCut({}), nullptr);
  EXPECT_EQ(list.Find("aSelectAll"), &selectAll);
  EXPECT_EQ(list.Find("aFullScreen"), nullptr) << "no name given";
}

TEST(Action, ClientsHearOnlyRealChanges) {
  Action action;
  Counter counter;
  action.AddClient(counter);
  action.SetEnabled(true);  // already so
  action.SetCaption(u"");
  action.SetTag(5);  // nothing shows the tag
  EXPECT_EQ(counter.changes, 0);
  action.SetEnabled(false);
  action.SetChecked(true);
  action.SetCaption(u"Mute");
  action.SetHint(u"Mute");
  action.SetVisible(false);
  action.SetImageIndex(3);
  action.SetShortCut({'M', kModCtrl});
  EXPECT_EQ(counter.changes, 7);
  action.RemoveClient(counter);
  action.SetEnabled(true);
  EXPECT_EQ(counter.changes, 7);
}

TEST(ActionList, ActionsOutliveTheirListOrLeaveIt) {
  auto list = std::make_unique<ActionList>();
  Action own(list.get());
  {
    Action passing(list.get());
    EXPECT_EQ(list->Actions().size(), 2u);
  }
  EXPECT_EQ(list->Actions().size(), 1u) << "a destroyed action leaves its list";
  list.reset();
  EXPECT_EQ(own.List(), nullptr);
  EXPECT_FALSE(own.Execute()) << "no handler";
}

}  // namespace
}  // namespace nv
