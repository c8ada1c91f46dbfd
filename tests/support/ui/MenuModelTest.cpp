// What one level of a menu shows: entries for the visible items only, tidy separators, the short-cut column from
// the menu's source, and the state of linked actions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ui/MenuModel.h"

namespace nv {
namespace {

std::vector<std::u16string> Texts(const std::vector<MenuEntry>& entries) {
  std::vector<std::u16string> texts;
  for (const MenuEntry& e : entries) texts.push_back(e.item ? e.text : u"-");
  return texts;
}

// A hot-key table as the main form keeps it: tag 1 is Win + Space, tag 2 Win + Esc.
std::u16string HotKeys(const MenuItem& item) {
  switch (item.Tag()) {
    case 1: return HotKeyText({0x20, kModWin});
    case 2: return HotKeyText({0x1B, kModWin});
    default: return ActionShortCutText(item);
  }
}

class MenuModelTest : public ::testing::Test {
protected:
  MenuModelTest() {
    playPause = &actions.Add(u"Play/pause", u"Play/pause", 1);
    stop = &actions.Add(u"Stop", u"Stop", 2);
    selectAll = &actions.Add(u"Select all");
    selectAll->SetShortCut({'A', kModCtrl});
    hidden = &actions.Add(u"Hidden");
    hidden->SetVisible(false);
  }
  ActionList actions;
  Action *playPause, *stop, *selectAll, *hidden;
  PopupMenuModel menu;
};

TEST_F(MenuModelTest, ShowsVisibleItemsWithTheirShortCutColumn) {
  MenuItem& items = menu.Items();
  items.AddSeparator();  // leading: dropped
  items.Add(*playPause);
  items.Add(*stop);
  items.AddSeparator();
  items.Add(*hidden);    // hidden: no entry, and the separators around it fold into one
  items.AddSeparator();
  items.Add(*selectAll);
  MenuItem& duration = items.Add(u"Song");
  duration.RightText = u"3:05";
  items.AddSeparator();  // trailing: dropped

  EXPECT_EQ(Texts(MenuLevelEntries(items, HotKeys)),
            (std::vector<std::u16string>{u"Play/pause\tWin + Space", u"Stop\tWin + Esc", u"-",
                                         u"Select all\tCtrl+A", u"Song\t3:05"}));
  EXPECT_EQ(Texts(MenuLevelEntries(items, ActionShortCutText)),
            (std::vector<std::u16string>{u"Play/pause", u"Stop", u"-", u"Select all\tCtrl+A", u"Song\t3:05"}))
      << "without hot keys only the actions' own short-cuts show";
}

TEST_F(MenuModelTest, EntriesCarryTheStateOfTheirActionsOrTheirOwn) {
  MenuItem& items = menu.Items();
  stop->SetEnabled(false);
  playPause->SetChecked(true);
  items.Add(*playPause);
  items.Add(*stop);
  MenuItem& elapsed = items.Add(u"Elapsed time");
  elapsed.Radio = true;
  elapsed.SetChecked(true);
  MenuItem& restore = items.Insert(0, u"Restore Norvale");  // in front of the inherited items
  restore.Default = true;
  MenuItem& volume = items.Add(u"Volume");
  volume.Add(u"Up");

  const std::vector<MenuEntry> entries = MenuLevelEntries(items, HotKeys);
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0].text, u"Restore Norvale");
  EXPECT_TRUE(entries[0].isDefault);
  EXPECT_TRUE(entries[1].checked);
  EXPECT_FALSE(entries[2].enabled) << "a disabled action shows grayed";
  EXPECT_TRUE(entries[3].radio && entries[3].checked);
  EXPECT_TRUE(entries[4].hasChildren);
  EXPECT_FALSE(entries[1].hasChildren);
}

TEST_F(MenuModelTest, OpeningFillsTheChildrenAndUpdatesTheirActions) {
  MenuItem& sort = menu.Items().Add(u"Sort");
  int updates = 0;
  stop->OnUpdate = [&](Action& a) {
    ++updates;
    a.SetEnabled(false);
  };
  sort.OnOpen = [&](MenuItem& item) {
    item.Clear();
    item.Add(u"By name");
    item.Add(*stop);
  };
  EXPECT_TRUE(MenuLevelEntries(menu.Items(), HotKeys)[0].hasChildren) << "an item filled on opening has children";
  sort.Opening();
  sort.Opening();  // filled again, not twice over
  const std::vector<MenuEntry> entries = MenuLevelEntries(sort, HotKeys);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].text, u"By name");
  EXPECT_FALSE(entries[1].enabled);
  EXPECT_EQ(updates, 2);
}

TEST_F(MenuModelTest, ClickingRunsTheActionOrTheItemsOwnHandler) {
  int played = 0, clicked = 0;
  playPause->OnExecute = [&](Action&) { ++played; };
  MenuItem& linked = menu.Items().Add(*playPause);
  MenuItem& own = menu.Items().Add(u"Elapsed time");
  own.OnClick = [&](MenuItem&) { ++clicked; };
  linked.Click();
  own.Click();
  EXPECT_EQ(played, 1);
  EXPECT_EQ(clicked, 1);
  playPause->OnUpdate = [](Action& a) { a.SetEnabled(false); };
  linked.Click();
  EXPECT_EQ(played, 1) << "a disabled action does not run from its menu item";
}

TEST(MenuCaption, AmpersandsOfATextAreShownAsTheyStand) {
  EXPECT_EQ(MenuCaptionText(u"Rock & Roll.mp3"), u"Rock && Roll.mp3");
  EXPECT_EQ(MenuCaptionText(u"&&"), u"&&&&");
  EXPECT_EQ(MenuCaptionText(u""), u"");
}

}  // namespace
}  // namespace nv
