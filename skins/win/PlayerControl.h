#pragma once
// The player controls' tie to the player: each control is an observer of one TXPlayer and reads what it shows from
// the player on every event (it keeps no copy of the player's state). PlayerBinding does the registering for any
// kind of control: at once when the player is set on a built form, when the form has been built otherwise
// (Loaded), and it lets go when the player changes, when the control goes and when the player itself goes.
//
//   class Lamp final : public TXPlayerControl {
//   public:
//     explicit Lamp(WinControl& parent) : TXPlayerControl(&parent) {}
//   protected:
//     void PlayerEvent(TXPlayer& player, TPlayerEventType, void*) override {
//       on_ = player.State() == TXPlayerState::psPlaying;
//       Invalidate();
//     }
//   };
//   lamp.SetPlayer(&player);
//
// PlayerEvent comes on the user-interface thread; DataWanted and SpectrumData on the visualiser's thread.
#include "engine/PlayerObservers.h"
#include "engine/win/XPlayer.h"
#include "skins/win/SkinControl.h"

namespace nv {

class PlayerBinding {
public:
  explicit PlayerBinding(IXPlayerObserver& observer) : observer_(observer) {}
  ~PlayerBinding() { Release(); }
  PlayerBinding(const PlayerBinding&) = delete;
  PlayerBinding& operator=(const PlayerBinding&) = delete;

  TXPlayer* Player() const { return player_; }
  // Leaves the old player; registers with the new one now unless the form is still being built.
  void SetPlayer(TXPlayer* player, bool loading);
  // The form has been built.
  void Loaded();
  // Leaves the player (waiting for a frame being delivered to the observer).
  void Release();
  // The player went: nothing to leave.
  void Forget() { player_ = nullptr, registered_ = false; }

private:
  IXPlayerObserver& observer_;
  TXPlayer* player_ = nullptr;
  bool registered_ = false;
};

// Any control that follows the player: `Base` (a skinned control, a slider, a label, a window) with the observer
// and its binding. PlayerEvent(TXPlayer&, ...) is what a control overrides; PlayerGone runs when the player itself
// is destroyed.
template <class Base>
class PlayerObserving : public Base, protected IXPlayerObserver {
public:
  using Base::Base;
  ~PlayerObserving() override { binding_.Release(); }

  TXPlayer* Player() const { return binding_.Player(); }
  void SetPlayer(TXPlayer* player) { binding_.SetPlayer(player, this->Loading()); }

protected:
  virtual void PlayerEvent(TXPlayer& player, TPlayerEventType event, void* param) {}
  virtual void PlayerGone() {}
  // Leaves the player now (waiting for a frame being delivered): the first thing a destructor does whose control
  // takes frames.
  void ReleasePlayer() { binding_.Release(); }
  void Loaded() override {
    Base::Loaded();
    binding_.Loaded();
  }

  std::uint8_t DataWanted() override { return 0; }
  void SpectrumData(const VisualizationFrame&) override {}

private:
  void PlayerEvent(TPlayerCore&, TPlayerEventType event, void* param) final {
    if (TXPlayer* player = binding_.Player()) PlayerEvent(*player, event, param);
  }
  void PlayerFreed(TPlayerCore&) final {
    binding_.Forget();
    PlayerGone();
  }

  PlayerBinding binding_{*this};
};

// A windowless skinned control that follows the player.
using TXPlayerControl = PlayerObserving<TSkinControl>;

// The player's state for the controls: stopped without a player.
inline TXPlayerState StateOf(TXPlayer* player) { return player ? player->State() : TXPlayerState::psStopped; }

}  // namespace nv
