#include "support/ui/MenuModel.h"

namespace nv {

MenuItem& MenuItem::Adopt(std::size_t index, std::unique_ptr<MenuItem> item) {
  item->parent_ = this;
  index = std::min(index, items_.size());
  return **items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
}

MenuItem& MenuItem::Add(std::u16string caption) { return Insert(items_.size(), std::move(caption)); }
MenuItem& MenuItem::Add(Action& action) { return Insert(items_.size(), action); }
MenuItem& MenuItem::AddSeparator() { return Add(u"-"); }

MenuItem& MenuItem::Insert(std::size_t index, std::u16string caption) {
  return Adopt(index, std::make_unique<MenuItem>(std::move(caption)));
}

MenuItem& MenuItem::Insert(std::size_t index, Action& action) {
  return Adopt(index, std::make_unique<MenuItem>(action));
}

std::u16string MenuItem::Caption() const { return action_ ? action_->Caption() : caption_; }

void MenuItem::Click() {
  if (action_) {
    action_->Execute();
    return;
  }
  if (OnClick) OnClick(*this);
}

void MenuItem::Opening() {
  if (OnOpen) OnOpen(*this);
  for (const auto& child : items_)
    if (Action* action = child->LinkedAction()) action->Update();
}

std::u16string ActionShortCutText(const MenuItem& item) {
  const Action* action = item.LinkedAction();
  return action ? ShortCutText(action->Keys()) : std::u16string();
}

std::vector<MenuEntry> MenuLevelEntries(const MenuItem& parent, const MenuShortCutSource& shortCuts) {
  std::vector<MenuEntry> entries;
  bool separatorPending = false;
  for (std::size_t i = 0; i < parent.Count(); ++i) {
    MenuItem& item = parent[i];
    if (!item.Visible()) continue;
    if (item.IsSeparator()) {
      separatorPending = !entries.empty();
      continue;
    }
    if (separatorPending) entries.push_back(MenuEntry{});
    separatorPending = false;

    MenuEntry entry;
    entry.item = &item;
    entry.text = item.Caption();
    const std::u16string column = !item.RightText.empty() ? item.RightText
                                  : shortCuts                ? shortCuts(item)
                                                             : std::u16string();
    if (!column.empty()) entry.text += u'\t' + column;
    entry.enabled = item.Enabled();
    entry.checked = item.Checked();
    entry.radio = item.Radio;
    entry.isDefault = item.Default;
    entry.hasChildren = item.Count() > 0 || static_cast<bool>(item.OnOpen);
    entry.imageIndex = item.ImageIndex();
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::u16string MenuCaptionText(std::u16string_view text) {
  std::u16string escaped;
  for (const char16_t c : text) {
    if (c == u'&') escaped += u'&';
    escaped += c;
  }
  return escaped;
}

}  // namespace nv
