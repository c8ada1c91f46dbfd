#include "support/ui/win/Menus.h"

#include <map>
#include <memory>

#include "support/ui/win/Application.h"
#include "support/ui/win/ImageList.h"
#include "support/ui/win/ModalScope.h"
#include "support/ui/win/WinRect.h"
#include "support/win/WideText.h"

namespace nv {

namespace {

// The native menus of one opening of a menu: each level is filled from its item when it opens, and the commands
// are numbered for this opening only.
class MenuSession {
public:
  MenuSession(const PopupMenu& menu, MenuItem& root) : menu_(menu), root_(CreatePopupMenu()) {
    levels_[root_] = {&root, false};
    Fill(root_);
    levels_[root_].fresh = true;  // filled just now: the root's own WM_INITMENUPOPUP need not fill it again
  }
  ~MenuSession() { DestroyMenu(root_); }  // destroys the submenus attached to it
  MenuSession(const MenuSession&) = delete;
  MenuSession& operator=(const MenuSession&) = delete;

  HMENU Root() const { return root_; }
  MenuItem* Command(UINT id) const {
    const auto found = commands_.find(id);
    return found == commands_.end() ? nullptr : found->second;
  }

  // The application window's messages while the menu is open.
  bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
      case WM_INITMENUPOPUP: {
        const auto level = levels_.find(reinterpret_cast<HMENU>(wParam));
        if (level == levels_.end()) return false;
        if (level->second.fresh) level->second.fresh = false;
        else Fill(level->first);
        result = 0;
        return true;
      }
      case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType != ODT_MENU || !menu_.Images) return false;
        measure->itemWidth = menu_.Images->Width();
        measure->itemHeight = menu_.Images->Height();
        result = TRUE;
        return true;
      }
      case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlType != ODT_MENU || !menu_.Images) return false;
        const RECT& r = draw->rcItem;
        const int y = r.top + (r.bottom - r.top - menu_.Images->Height()) / 2;
        menu_.Images->Draw(draw->hDC, static_cast<int>(draw->itemData), r.left, y,
                           (draw->itemState & ODS_GRAYED) == 0);
        result = TRUE;
        return true;
      }
      default:
        return false;
    }
  }

private:
  struct Level {
    MenuItem* item = nullptr;
    bool fresh = false;
    std::vector<UINT> commands;
    std::vector<HMENU> submenus;
  };

  // Empties a level (RemoveMenu keeps nothing but our own submenus, which are destroyed here) and fills it again
  // from its item, after the item's OnOpen and its children's action updates.
  void Fill(HMENU menu) {
    Level& level = levels_[menu];
    while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
    for (HMENU submenu : level.submenus) Forget(submenu);
    for (UINT id : level.commands) commands_.erase(id);
    level.submenus.clear();
    level.commands.clear();

    MenuItem& item = *level.item;
    item.Opening();
    UINT position = 0;
    for (const MenuEntry& entry : MenuLevelEntries(item, menu_.ShortCuts)) {
      if (!entry.item) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        ++position;
        continue;
      }
      std::wstring text = ToWide(entry.text);
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_STATE | MIIM_ID | MIIM_DATA;
      info.fType = MFT_STRING | (entry.radio ? MFT_RADIOCHECK : 0);
      info.fState = (entry.enabled ? 0 : MFS_GRAYED) | (entry.checked ? MFS_CHECKED : 0) |
                    (entry.isDefault ? MFS_DEFAULT : 0);
      info.wID = nextCommand_++;
      info.dwTypeData = text.data();
      info.dwItemData = static_cast<ULONG_PTR>(entry.imageIndex);
      if (menu_.Images && entry.imageIndex >= 0) {
        info.fMask |= MIIM_BITMAP;
        info.hbmpItem = HBMMENU_CALLBACK;
      }
      if (entry.hasChildren) {
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = CreatePopupMenu();
        levels_[info.hSubMenu] = {entry.item, false};
        level.submenus.push_back(info.hSubMenu);
      } else {
        commands_[info.wID] = entry.item;
        level.commands.push_back(info.wID);
      }
      InsertMenuItemW(menu, position++, TRUE, &info);
    }
    level.fresh = false;
  }

  // Destroys a detached submenu and forgets its levels.
  void Forget(HMENU menu) {
    const auto found = levels_.find(menu);
    if (found != levels_.end()) {
      for (HMENU submenu : found->second.submenus) Forget(submenu);
      for (UINT id : found->second.commands) commands_.erase(id);
      levels_.erase(found);
    }
    DestroyMenu(menu);
  }

  const PopupMenu& menu_;
  HMENU root_;
  std::map<HMENU, Level> levels_;
  std::map<UINT, MenuItem*> commands_;
  UINT nextCommand_ = 1;
};

thread_local int openMenus = 0;

}  // namespace

bool PopupMenu::AnyOpen() { return openMenus > 0; }

bool PopupMenu::Popup(Point screen) { return Track(Items(), screen, nullptr, true); }

bool PopupMenu::DropDown(const Rect& button) { return Track(Items(), {button.left, button.bottom}, &button, true); }

bool PopupMenu::DropDownChildren(MenuItem& item, const Rect& button) {
  return Track(item, {button.left, button.bottom}, &button, false);
}

bool PopupMenu::Track(MenuItem& root, Point at, const Rect* exclude, bool runOnPopup) {
  if (runOnPopup && OnPopup) OnPopup(*this);
  MenuItem* chosen = nullptr;
  {
    const HWND owner = App().Handle();
    MenuSession session(*this, root);
    const Registration hook = App().HookWindow(
        [&session](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
          return session.Handle(message, wParam, lParam, result);
        });
    // A drag in progress would keep the mouse from the menu.
    ReleaseCapture();
    // A menu owned by a window of a program in the background would not close when the user clicks elsewhere.
    DWORD foregroundProcess = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &foregroundProcess);
    if (foregroundProcess != GetCurrentProcessId()) SetForegroundWindow(owner);

    TPMPARAMS avoid{sizeof avoid, exclude ? ToRECT(*exclude) : RECT{}};
    // With TPM_RETURNCMD no WM_COMMAND is sent; the submenus' WM_INITMENUPOPUP must come (no TPM_NONOTIFY).
    const UINT flags = TPM_RETURNCMD | (LeftButtonTracking ? TPM_LEFTBUTTON : TPM_RIGHTBUTTON) |
                       (exclude ? TPM_VERTICAL : 0);
    const ForeignLoopIdle idle;
    ++openMenus;
    const UINT command = TrackPopupMenuEx(session.Root(), flags, at.x, at.y, owner, exclude ? &avoid : nullptr);
    --openMenus;
    PostMessageW(owner, WM_NULL, 0, 0);
    chosen = command ? session.Command(command) : nullptr;
  }
  // The menu loop has ended and its menus are gone: now the command runs.
  if (chosen) chosen->Click();
  return chosen != nullptr;
}

}  // namespace nv
