#pragma once
// A skinned form with the player controls as the expanded player places them — the main panel (play time,
// analyser, labels, mute, volume and balance, mono and stereo, position bar, transport, shuffle, repeat) above the
// playlist panel (the playlist box with its skinned scroll bar) — all bound to one real TXPlayer. The player-control
// tests and the ui-idle benchmark's player program show it.
#include <windows.h>

#include <memory>

#include "engine/win/XPlayer.h"
#include "skins/Skin.h"
#include "skins/win/PlayListBox.h"
#include "skins/win/PlayTime.h"
#include "skins/win/PlayerLabel.h"
#include "skins/win/PlayerSliders.h"
#include "skins/win/SkinButton.h"
#include "skins/win/SkinForm.h"
#include "skins/win/SkinPanel.h"
#include "skins/win/SkinSlider.h"
#include "skins/win/SpectrumAnalyzer.h"
#include "support/ui/Action.h"

namespace nv::test {

class PlayerPanelForm final : public TSkinForm {
public:
  // At `at` on the screen, drawn from `skin`, following `player`.
  PlayerPanelForm(TSkin& skin, TXPlayer& player, Point at);
  ~PlayerPanelForm() override;

  TXPlayer& player;
  ActionList actions;
  Action& aPlayPause;
  Action& aStop;
  Action& aPrevious;
  Action& aNext;
  Action& aMute;

  TSkinPanel pMain;
  TSkinPanel pPlayList;
  TPlayTime PT;
  TSpectrumAnalizer SA;
  TXPlayerLabel lCaption, lBitRate, lSampleRate;
  TSkinButton btMute, btPrev, btPlay, btStop, btNext, btOpen, btShuffle, btRepeat;
  TVolumeBar vbVolume, vbPan;
  TSkinImageArray iaMono, iaStereo;
  TPosBar PosBar;
  TXPlayListBox PlayList;
  TSkinSlider ssPLScrollbar;

private:
  class ChannelLamps;
  std::unique_ptr<ChannelLamps> lamps_;
};

}  // namespace nv::test
