#pragma once
// TXPlayerLabel: a skinned label that shows what the player plays: the current item's name as its options compose
// it, the stream's bit rate or sample rate, or the duration (PlayerTexts.h). It reads the player on every event.
#include "skins/PlayerTexts.h"
#include "skins/win/PlayerControl.h"
#include "skins/win/SkinLabel.h"

namespace nv {

class TXPlayerLabel : public PlayerObserving<TSkinLabel> {
public:
  using PlayerObserving<TSkinLabel>::PlayerObserving;

  TXPlayerLabelStyle Style() const { return style_; }
  void SetStyle(TXPlayerLabelStyle style);
  TXPlayerLabelNameOptions NameOptions() const { return options_; }
  void SetNameOptions(TXPlayerLabelNameOptions options);

protected:
  void PlayerEvent(TXPlayer&, TPlayerEventType, void*) override { Refresh(); }
  void PlayerGone() override { SetCaption({}); }

private:
  void Refresh();

  TXPlayerLabelStyle style_ = TXPlayerLabelStyle::lsName;
  TXPlayerLabelNameOptions options_ = noShowTitle;
};

}  // namespace nv
