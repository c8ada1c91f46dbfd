#pragma once
// A stand-in for the expanded player until it exists: a plain window that a person can see and use wherever the
// strip cannot be seen (under Wine a child of another process's taskbar never reaches the screen). It shows the
// player's state and "Now playing" with the current entry marked; a double click plays an entry, Space is
// play/pause, and a right click or the menu key opens the main menu. Closing it closes the player: there is no
// other window to come back to.
#include <memory>

#include "app/win/BasePlayerForm.h"

namespace nv {

class ExpandedPlayerStandIn final : public TChildPlayerForm {
public:
  explicit ExpandedPlayerStandIn(TMainPlayerFm& mainForm);
  ~ExpandedPlayerStandIn() override;

  void PlayerEvent(TPlayerCore& player, TPlayerEventType event, void* param) override;

protected:
  void Closing(CloseAction& action) override;
  bool KeyDown(WORD key, std::uint8_t modifiers) override;

private:
  class ListView;
  std::unique_ptr<ListView> list_;
};

}  // namespace nv
