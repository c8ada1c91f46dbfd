// Pop-up menus read while they are open, as the system shows them (the "#32768" window and MN_GETHMENU): the
// short-cut column from the hot-key table, hidden, grayed, checked, radio and default items, a submenu filled as it
// opens, and the command chosen running only after the menu has gone.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "support/ui/win/Menus.h"
#include "support/ui/win/UtilityWindow.h"
#include "tests/common/win/DesktopDriver.h"
#include "tests/common/win/Screenshot.h"
#include "tests/support/ui/win/UiTestSupport.h"

namespace nv::test {
namespace {

constexpr DWORD kTimeoutMs = 5000;

struct ShownItem {
  std::wstring text;
  UINT type = 0, state = 0;
  bool submenu = false;
  friend bool operator==(const ShownItem&, const ShownItem&) = default;
  friend void PrintTo(const ShownItem& item, std::ostream* out) {
    *out << "{\"" << testing::PrintToString(item.text) << "\" type " << item.type << " state " << item.state
         << (item.submenu ? " with submenu}" : "}");
  }
};

std::vector<ShownItem> ReadMenu(HMENU menu) {
  std::vector<ShownItem> items;
  for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = 255;
    GetMenuItemInfoW(menu, i, TRUE, &info);
    const bool separator = (info.fType & MFT_SEPARATOR) != 0;  // its state means nothing (Wine says grayed)
    items.push_back({text, info.fType & (MFT_SEPARATOR | MFT_RADIOCHECK),
                     separator ? 0 : info.fState & (MFS_GRAYED | MFS_CHECKED | MFS_DEFAULT), info.hSubMenu != nullptr});
  }
  return items;
}

BOOL CALLBACK CollectMenu(HWND window, LPARAM list) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  auto* menus = reinterpret_cast<std::vector<HWND>*>(list);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) && wcscmp(name, L"#32768") == 0)
    menus->insert(menus->begin(), window);  // windows come topmost first: the latest menu first
  return TRUE;
}

// The open menu windows of this process, the first opened first.
std::vector<HWND> OpenMenus() {
  std::vector<HWND> found;
  EnumWindows(&CollectMenu, reinterpret_cast<LPARAM>(&found));
  return found;
}

HMENU MenuOf(HWND window) { return reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0)); }

void ClickItem(HMENU menu, int position) {
  RECT item{};
  GetMenuItemRect(nullptr, menu, position, &item);
  ClickAt((item.left + item.right) / 2, (item.top + item.bottom) / 2);
}

class MenusTest : public ::testing::Test {
protected:
  MenusTest() {
    playPause = &actions.Add(u"Play/pause", u"Play/pause", 1);
    stop = &actions.Add(u"Stop", u"Stop", 2);
    stop->OnUpdate = [this](Action& a) { a.SetEnabled(playing); };
    mute = &actions.Add(u"Mute", u"Mute", 7);
    mute->OnUpdate = [this](Action& a) { a.SetChecked(muted); };
    fileProperties = &actions.Add(u"Properties...");
    fileProperties->OnUpdate = [](Action& a) { a.SetVisible(false); };
    hotKeys = {{1, {0x20, kModWin}}, {2, {0x1B, kModWin}}, {7, {0x6A, kModWin}}};
    menu.ShortCuts = [this](const MenuItem& item) {
      const auto found = hotKeys.find(item.Tag());
      return found == hotKeys.end() ? ActionShortCutText(item) : HotKeyText(found->second);
    };
    menu.LeftButtonTracking = true;
  }
  ~MenusTest() override { MoveMouseTo(5, 5); }

  // Opens the menu on this thread and hands the open menu to `drive` on another, as a person's hand.
  bool PopupAndDrive(const std::function<void()>& drive) {
    bool chosen = false;
    std::thread driver(drive);
    chosen = menu.Popup({300, 200});
    driver.join();
    return chosen;
  }

  ActionList actions;
  Action *playPause, *stop, *mute, *fileProperties;
  bool playing = false, muted = true;
  std::map<int, ShortCut> hotKeys;
  PopupMenu menu;
};

TEST_F(MenusTest, TheOpenMenuShowsWhatTheModelAndTheActionsSay) {
  MenuItem& items = menu.Items();
  items.Add(*playPause);
  items.Add(*stop);
  items.AddSeparator();
  items.Add(*fileProperties);  // hidden by its update
  items.AddSeparator();
  MenuItem& volume = items.Add(u"Volume");
  int volumeOpened = 0;
  volume.OnOpen = [&](MenuItem& item) {
    ++volumeOpened;
    item.Clear();
    item.Add(u"Up");
    item.Add(*mute);
  };
  MenuItem& elapsed = items.Add(u"Elapsed time");
  elapsed.Radio = true;
  elapsed.SetChecked(true);
  items.Insert(0, u"Restore Norvale").Default = true;
  bool popupRan = false;
  menu.OnPopup = [&](PopupMenuModel&) { popupRan = true; };

  std::vector<ShownItem> top, volumeBeforeOpening, volumeOpen;
  const bool chosen = PopupAndDrive([&] {
    HWND open = nullptr;
    if (!WaitUntil([&] { return !OpenMenus().empty(); }, kTimeoutMs)) return;
    open = OpenMenus().front();
    const HMENU root = MenuOf(open);
    top = ReadMenu(root);
    const HMENU submenu = GetSubMenu(root, 4);
    volumeBeforeOpening = ReadMenu(submenu);
    ClickItem(root, 4);  // opens the submenu
    if (WaitUntil([&] { return OpenMenus().size() == 2; }, kTimeoutMs)) {
      volumeOpen = ReadMenu(MenuOf(OpenMenus()[1]));
      TakeScreenshot("ui-menu");  // to look at: the short-cut column, the grayed, checked and default items
    }
    PostMessageW(open, WM_CANCELMODE, 0, 0);  // closes the menu without a choice
  });

  EXPECT_FALSE(chosen);
  EXPECT_TRUE(popupRan);
  const std::vector<ShownItem> expectedTop = {
      {L"Restore Norvale", 0, MFS_DEFAULT, false},
      {L"Play/pause\tWin + Space", 0, 0, false},
      {L"Stop\tWin + Esc", 0, MFS_GRAYED, false},
      {L"", MFT_SEPARATOR, 0, false},
      {L"Volume", 0, 0, true},
      {L"Elapsed time", MFT_RADIOCHECK, MFS_CHECKED, false},
  };
  EXPECT_EQ(top, expectedTop) << "hidden items leave no entry, and their separators fold into one";
  EXPECT_TRUE(volumeBeforeOpening.empty()) << "a submenu is filled when it opens, not before";
  const std::vector<ShownItem> expectedVolume = {{L"Up", 0, 0, false}, {L"Mute\tWin + Num *", 0, MFS_CHECKED, false}};
  EXPECT_EQ(volumeOpen, expectedVolume);
  EXPECT_EQ(volumeOpened, 1);
}

TEST_F(MenusTest, TheShortCutColumnFollowsAChangedHotKeyTable) {
  menu.Items().Add(*playPause);
  std::wstring shown;
  const auto readFirst = [&] {
    if (!WaitUntil([&] { return !OpenMenus().empty(); }, kTimeoutMs)) return;
    const HWND open = OpenMenus().front();
    shown = ReadMenu(MenuOf(open)).at(0).text;
    PostMessageW(open, WM_CANCELMODE, 0, 0);
  };
  PopupAndDrive(readFirst);
  EXPECT_EQ(shown, L"Play/pause\tWin + Space");
  hotKeys[1] = {0x0D, kModWin | kModShift};
  PopupAndDrive(readFirst);
  EXPECT_EQ(shown, L"Play/pause\tShift + Win + Enter");
}

TEST_F(MenusTest, TheChosenCommandRunsAfterTheMenuHasClosed) {
  playing = true;
  bool menuOpenWhileRunning = true;
  int stops = 0;
  stop->OnExecute = [&](Action&) {
    ++stops;
    menuOpenWhileRunning = PopupMenu::AnyOpen() || !OpenMenus().empty();
  };
  menu.Items().Add(*playPause);
  menu.Items().Add(*stop);
  const bool chosen = PopupAndDrive([&] {
    if (!WaitUntil([&] { return !OpenMenus().empty(); }, kTimeoutMs)) return;
    ClickItem(MenuOf(OpenMenus().front()), 1);
  });
  EXPECT_TRUE(chosen);
  EXPECT_EQ(stops, 1);
  EXPECT_FALSE(menuOpenWhileRunning);
}

TEST_F(MenusTest, ADropDownOpensBesideItsButtonWithoutCoveringIt) {
  menu.Items().Add(*playPause);
  const Rect button = Rect::FromSize(400, 300, 23, 18);
  RECT shown{};
  std::thread driver([&] {
    if (!WaitUntil([&] { return !OpenMenus().empty(); }, kTimeoutMs)) return;
    GetWindowRect(OpenMenus().front(), &shown);
    PostMessageW(OpenMenus().front(), WM_CANCELMODE, 0, 0);
  });
  menu.DropDown(button);
  driver.join();
  EXPECT_EQ(shown.left, button.left);
  EXPECT_EQ(shown.top, button.bottom);
}

}  // namespace
}  // namespace nv::test
