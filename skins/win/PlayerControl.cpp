#include "skins/win/PlayerControl.h"

namespace nv {

void PlayerBinding::SetPlayer(TXPlayer* player, bool loading) {
  if (player == player_) return;
  Release();
  player_ = player;
  if (!loading) Loaded();
}

void PlayerBinding::Loaded() {
  if (!player_ || registered_) return;
  registered_ = true;
  // The player tells a new observer peLoaded at once: it shows the player's state from the start.
  player_->AddObserver(observer_);
}

void PlayerBinding::Release() {
  if (player_ && registered_) player_->RemoveObserver(observer_);
  registered_ = false;
  player_ = nullptr;
}

}  // namespace nv
