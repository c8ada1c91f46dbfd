#include "skins/win/PlayerLabel.h"

namespace nv {

void TXPlayerLabel::SetStyle(TXPlayerLabelStyle style) {
  style_ = style;
  Refresh();
}

void TXPlayerLabel::SetNameOptions(TXPlayerLabelNameOptions options) {
  options_ = options;
  Refresh();
}

void TXPlayerLabel::Refresh() {
  PlayerLabelFacts facts;
  if (TXPlayer* player = Player()) {
    facts.item = player->CurrentItem();
    facts.durationMs = player->Duration();
    // Only the numbers ask the graph about its stream.
    if (facts.item && (style_ == TXPlayerLabelStyle::lsBitrate || style_ == TXPlayerLabelStyle::lsSampleRate))
      facts.stream = player->GetAudioInfo();
  }
  SetCaption(PlayerLabelText(style_, options_, facts));
}

}  // namespace nv
