#include "support/ui/Action.h"

#include <algorithm>

namespace nv {

Action::Action(ActionList* list) : list_(list) {
  if (list_) list_->Join(*this);
}

Action::~Action() {
  if (list_) list_->Leave(*this);
}

namespace {
template <class T>
bool Assign(T& field, T value) {
  if (field == value) return false;
  field = std::move(value);
  return true;
}
}  // namespace

void Action::SetCaption(std::u16string caption) {
  if (Assign(caption_, std::move(caption))) Changed();
}
void Action::SetHint(std::u16string hint) {
  if (Assign(hint_, std::move(hint))) Changed();
}
void Action::SetShortCut(ShortCut shortCut) {
  if (Assign(shortCut_, shortCut)) Changed();
}
void Action::SetChecked(bool checked) {
  if (Assign(checked_, checked)) Changed();
}
void Action::SetEnabled(bool enabled) {
  if (Assign(enabled_, enabled)) Changed();
}
void Action::SetVisible(bool visible) {
  if (Assign(visible_, visible)) Changed();
}
void Action::SetImageIndex(int index) {
  if (Assign(imageIndex_, index)) Changed();
}

bool Action::Update() {
  if (list_ && list_->OnUpdate && list_->OnUpdate(*this)) return true;
  if (!OnUpdate) return false;
  OnUpdate(*this);
  return true;
}

bool Action::Execute() {
  if (executing_) return false;
  Update();
  if (!enabled_) return false;
  executing_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{executing_};
  if (list_ && list_->OnExecute && list_->OnExecute(*this)) return true;
  if (!OnExecute) return false;
  OnExecute(*this);
  return true;
}

void Action::AddClient(ActionClient& client) {
  if (std::find(clients_.begin(), clients_.end(), &client) == clients_.end()) clients_.push_back(&client);
}

void Action::RemoveClient(ActionClient& client) { std::erase(clients_, &client); }

void Action::Changed() {
  // A client may remove itself (or another) while it is told: tell a copy, and only those still listening.
  const std::vector<ActionClient*> snapshot = clients_;
  for (ActionClient* client : snapshot)
    if (std::find(clients_.begin(), clients_.end(), client) != clients_.end()) client->ActionChanged(*this);
}

ActionList::~ActionList() {
  owned_.clear();
  for (Action* action : actions_) action->list_ = nullptr;
}

Action& ActionList::Add(std::u16string caption, std::u16string hint, int tag) {
  auto action = std::make_unique<Action>(this);
  action->caption_ = std::move(caption);
  action->hint_ = std::move(hint);
  action->tag_ = tag;
  owned_.push_back(std::move(action));
  return *owned_.back();
}

void ActionList::Leave(Action& action) { std::erase(actions_, &action); }

void ActionList::UpdateAll() {
  // An update may not add or remove actions, but a copy costs nothing and keeps the walk safe if one does.
  const std::vector<Action*> snapshot = actions_;
  for (Action* action : snapshot) action->Update();
}

bool ActionList::ExecuteTag(int tag) {
  const std::vector<Action*> snapshot = actions_;
  for (Action* action : snapshot)
    if (action->Tag() == tag && action->Execute()) return true;
  return false;
}

Action* ActionList::FindShortCut(ShortCut shortCut) const {
  if (shortCut.IsNone()) return nullptr;
  for (Action* action : actions_)
    if (action->Keys() == shortCut) return action;
  return nullptr;
}

Action* ActionList::Find(std::string_view name) const {
  for (Action* action : actions_)
    if (action->Name == name) return action;
  return nullptr;
}

}  // namespace nv
