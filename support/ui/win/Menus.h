#pragma once
// Pop-up menus: a menu model (MenuModel.h) turned into a native menu each time it opens.
//
//   PopupMenu pmMain;
//   pmMain.Items().Add(aPlayPause);
//   pmMain.ShortCuts = [&](const MenuItem& item) { return HotKeyTextForTag(item.Tag()); };
//   pmMain.Popup(cursor);
//
// Opening runs OnPopup and updates the items' actions; each submenu is filled when it opens (its item's OnOpen, then
// its items' actions). Captions carry their short-cut text after a tab, so the system draws it in the short-cut
// column. The command chosen runs after the menu loop has ended, and Popup returns after it. While the menu is
// open, idle processing goes on (ForeignLoopIdle). The menu belongs to the application window of the thread.
#include <windows.h>

#include "support/ui/Geometry.h"
#include "support/ui/MenuModel.h"

namespace nv {

class ImageList;

class PopupMenu : public PopupMenuModel {
public:
  ImageList* Images = nullptr;    // drawn beside the captions, by the items' image indexes
  bool LeftButtonTracking = false;

  // Opens at a screen point. True when an item was chosen (its command has run by then).
  bool Popup(Point screen);
  // Opens beside a button's screen rectangle without covering it (below it, or above when there is no room).
  bool DropDown(const Rect& button);
  // The children of one of this menu's items as a menu of their own, beside a button (a button standing for a
  // menu item).
  bool DropDownChildren(MenuItem& item, const Rect& button);

  // True while a menu of this thread is open.
  static bool AnyOpen();

private:
  bool Track(MenuItem& root, Point at, const Rect* exclude, bool runOnPopup);
};

}  // namespace nv
