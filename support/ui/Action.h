#pragma once
// Actions: the commands of the user interface, each with the properties its buttons and menu items show and the
// handlers that decide whether it can run and what it does. Every way of giving a command — a button, a menu item,
// a short-cut, a global hot key, a message from another process — runs the same action, so an action that is
// disabled is disabled everywhere.
//
//   Action& play = actions.Add(u"Play", u"Play");
//   play.OnUpdate = [&](Action& a) { a.SetEnabled(player.State() != psPlaying); };
//   play.OnExecute = [&](Action&) { playList.StartCurrent(true); };
//
// `Execute` runs the update first: a disabled action does not run, and an action already running (a command that
// arrives while its own execution pumps messages) does not run again. Updates run when the application is idle and
// before a menu that shows the action opens.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "support/ui/ShortCut.h"

namespace nv {

class Action;
class ActionList;

// What shows an action (a button, an open menu): told after a property it may show has changed.
class ActionClient {
public:
  virtual void ActionChanged(Action& action) = 0;

protected:
  ~ActionClient() = default;
};

class Action {
public:
  // An action in `list` (or in none), at the end of the list's order.
  explicit Action(ActionList* list = nullptr);
  Action(const Action&) = delete;
  Action& operator=(const Action&) = delete;
  ~Action();

  // The action's name in its list ("aPlay"): what logs and tests call it; nothing shows it.
  std::string Name;

  const std::u16string& Caption() const { return caption_; }
  const std::u16string& Hint() const { return hint_; }
  ShortCut Keys() const { return shortCut_; }
  int Tag() const { return tag_; }
  bool Checked() const { return checked_; }
  bool Enabled() const { return enabled_; }
  bool Visible() const { return visible_; }
  int ImageIndex() const { return imageIndex_; }

  // Each setter tells the clients only when the value really changes: idle runs the updates many times a second.
  void SetCaption(std::u16string caption);
  void SetHint(std::u16string hint);
  void SetShortCut(ShortCut shortCut);
  void SetTag(int tag) { tag_ = tag; }  // nothing shows the tag
  void SetChecked(bool checked);
  void SetEnabled(bool enabled);
  void SetVisible(bool visible);
  void SetImageIndex(int index);

  std::function<void(Action&)> OnExecute;
  std::function<void(Action&)> OnUpdate;

  // Runs the update, then — unless the action is disabled or already running — the list's hook and, unless the
  // hook claimed the action, OnExecute. True when something handled it; false when it did not run or had no
  // handler.
  bool Execute();
  // Runs the list's update hook and, unless it claimed the action, OnUpdate; true when either handled it.
  bool Update();
  bool Executing() const { return executing_; }

  ActionList* List() const { return list_; }
  void AddClient(ActionClient& client);
  void RemoveClient(ActionClient& client);

private:
  friend class ActionList;
  void Changed();

  ActionList* list_ = nullptr;
  std::u16string caption_, hint_;
  ShortCut shortCut_;
  int tag_ = 0;
  bool checked_ = false, enabled_ = true, visible_ = true;
  int imageIndex_ = -1;
  bool executing_ = false;
  std::vector<ActionClient*> clients_;
};

// An ordered list of actions with hooks that see every action of the list run and update.
class ActionList {
public:
  ActionList() = default;
  ActionList(const ActionList&) = delete;
  ActionList& operator=(const ActionList&) = delete;
  ~ActionList();  // the actions it still holds belong to no list afterwards

  // Makes an action owned by the list, at the end of its order.
  Action& Add(std::u16string caption = {}, std::u16string hint = {}, int tag = 0);
  const std::vector<Action*>& Actions() const { return actions_; }

  // Runs before each action's own handler; returning true claims the action (its own handler does not run).
  std::function<bool(Action&)> OnExecute;
  std::function<bool(Action&)> OnUpdate;

  void UpdateAll();
  // Runs the first action (in list order) with this tag whose Execute reports that it was handled; false when
  // none did. Two actions may share a tag: a disabled one gives way to the next.
  bool ExecuteTag(int tag);
  // The action with this short-cut, or null.
  Action* FindShortCut(ShortCut shortCut) const;
  // The action with this name, or null.
  Action* Find(std::string_view name) const;

private:
  friend class Action;
  void Join(Action& action) { actions_.push_back(&action); }
  void Leave(Action& action);

  std::vector<Action*> actions_;
  std::vector<std::unique_ptr<Action>> owned_;
};

}  // namespace nv
