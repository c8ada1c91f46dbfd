#pragma once
// Menus as a tree of items that the Windows layer turns into native menus each time one opens. An item linked to an
// action shows the action's caption, check mark, enabled and visible state and image, and clicking it executes the
// action; an item without one shows its own fields and runs OnClick.
//
//   PopupMenu pmMain;
//   pmMain.Items().Add(aPlayPause);
//   pmMain.Items().AddSeparator();
//   MenuItem& volume = pmMain.Items().Add(u"Volume");
//   volume.Add(aVolumeUp);
//
// What one level of a menu shows is worked out here (`MenuLevelEntries`): hidden items leave no entry, separators
// never lead, trail or follow each other, and the short-cut column holds the text the menu's short-cut source gives
// for the item.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/ui/Action.h"

namespace nv {

class MenuItem {
public:
  MenuItem() = default;
  explicit MenuItem(std::u16string caption) : caption_(std::move(caption)) {}
  explicit MenuItem(Action& action) : action_(&action) {}
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  // Children, at the end or in front of the item at `index`.
  MenuItem& Add(std::u16string caption);
  MenuItem& Add(Action& action);
  MenuItem& AddSeparator();
  MenuItem& Insert(std::size_t index, std::u16string caption);
  MenuItem& Insert(std::size_t index, Action& action);
  void Clear() { items_.clear(); }
  std::size_t Count() const { return items_.size(); }
  MenuItem& operator[](std::size_t index) const { return *items_.at(index); }
  MenuItem* Parent() const { return parent_; }

  // What it shows: the action's properties when it has one.
  Action* LinkedAction() const { return action_; }
  std::u16string Caption() const;
  bool IsSeparator() const { return action_ == nullptr && caption_ == u"-"; }
  bool Enabled() const { return action_ ? action_->Enabled() : enabled_; }
  bool Checked() const { return action_ ? action_->Checked() : checked_; }
  bool Visible() const { return action_ ? action_->Visible() : visible_; }
  int ImageIndex() const { return action_ ? action_->ImageIndex() : imageIndex_; }
  int Tag() const { return action_ ? action_->Tag() : tag_; }

  void SetCaption(std::u16string caption) { caption_ = std::move(caption); }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  void SetChecked(bool checked) { checked_ = checked; }
  void SetVisible(bool visible) { visible_ = visible; }
  void SetImageIndex(int index) { imageIndex_ = index; }
  void SetTag(int tag) { tag_ = tag; }

  // A radio item shows its check as a dot; the default item is drawn bold and is what a double click runs.
  bool Radio = false;
  bool Default = false;
  // Shown in the short-cut column instead of what the menu's short-cut source says (a duration, say).
  std::u16string RightText;

  std::function<void(MenuItem&)> OnClick;
  // Runs before the item's children are shown, so that they can be filled when they are needed.
  std::function<void(MenuItem&)> OnOpen;

  // What choosing the item does: the action's Execute, else OnClick.
  void Click();
  // Before the item's children show: OnOpen, then the update of each child's action.
  void Opening();

private:
  MenuItem& Adopt(std::size_t index, std::unique_ptr<MenuItem> item);

  std::u16string caption_;
  Action* action_ = nullptr;
  bool enabled_ = true, checked_ = false, visible_ = true;
  int imageIndex_ = -1;
  int tag_ = 0;
  MenuItem* parent_ = nullptr;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

// The text of an item's short-cut column; the default gives an action's own short-cut ("Ctrl+A").
using MenuShortCutSource = std::function<std::u16string(const MenuItem&)>;
std::u16string ActionShortCutText(const MenuItem& item);

// One entry of an open menu level, in the order shown.
struct MenuEntry {
  MenuItem* item = nullptr;  // null for a separator
  std::u16string text;       // caption, then a tab and the short-cut column when there is one
  bool enabled = true, checked = false, radio = false, isDefault = false, hasChildren = false;
  int imageIndex = -1;
};

std::vector<MenuEntry> MenuLevelEntries(const MenuItem& parent, const MenuShortCutSource& shortCuts);

// A text shown as a caption as it stands: every "&" doubled, so that none is taken for a mnemonic (file names).
std::u16string MenuCaptionText(std::u16string_view text);

// A menu that opens where it is asked to. Its items are the children of `Items()`.
class PopupMenuModel {
public:
  MenuItem& Items() { return root_; }
  const MenuItem& Items() const { return root_; }
  // Runs before the menu opens (items may be shown, hidden or checked here).
  std::function<void(PopupMenuModel&)> OnPopup;
  MenuShortCutSource ShortCuts = ActionShortCutText;

private:
  MenuItem root_;
};

}  // namespace nv
