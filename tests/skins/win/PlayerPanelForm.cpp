#include "tests/skins/win/PlayerPanelForm.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "skins/SkinSlicing.h"
#include "support/ui/win/LoadingScope.h"
#include "tests/skins/win/SkinTestSupport.h"

namespace nv::test {

namespace {

constexpr int kMainHeight = 116;
// The playlist panel tucks under the main panel's lower edge, as the expanded player lays them out.
constexpr int kPlayListTop = kMainHeight - 15;

Rect Place(const char* panel, const char* control) {
  const SkinPlace* place = FindSkinPlace(panel, control);
  return Rect::FromSize(place->Left, place->Top, place->Width, place->Height);
}

Anchors AnchorsOf(const char* panel, const char* control) {
  const std::string_view anchors = FindSkinPlace(panel, control)->Anchors;
  auto has = [&](std::string_view edge) { return anchors.find(edge) != std::string_view::npos; };
  return {has("left"), has("top"), has("right"), has("bottom")};
}

const SkinSlice& Slice(const char* id) { return *FindSkinSlice(id); }

void Skinned(TSkinButton& button, TSkin& skin, const char* slice) {
  button.Glyph.SetSkinSlice(Slice(slice));
  button.Glyph.SetSkin(&skin);
}

void Skinned(TCustomSkinSlider& slider, TSkin& skin, const char* track, const char* thumb) {
  slider.Image.SetSlice(Slice(track));
  slider.ThumbGlyph.SetSkinSlice(Slice(thumb));
  slider.Image.SetSkin(&skin);
  slider.ThumbGlyph.SetSkin(&skin);
}

void Coloured(TXPlayerLabel& label, TSkin& skin, int paletteIndex, TXPlayerLabelStyle style) {
  label.SetAutoSize(false);
  label.SetStyle(style);
  label.Color.SetColorIndex(paletteIndex);
  label.Color.SetSkin(&skin);
}

FormParams PanelFormParams(Point at) {
  FormParams params = SkinFormParams(L"NorvaleTestPlayerPanel");
  params.topmost = true;
  params.bounds = Rect::FromSize(at.x, at.y, 275, kPlayListTop + kMainHeight);
  return params;
}

}  // namespace

// Mono and stereo follow what plays, as the expanded player shows them.
class PlayerPanelForm::ChannelLamps final : public IXPlayerObserver {
public:
  ChannelLamps(TXPlayer& player, TSkinImageArray& mono, TSkinImageArray& stereo)
      : player_(player), mono_(mono), stereo_(stereo) {
    player_.AddObserver(*this);
  }
  ~ChannelLamps() {
    if (bound_) player_.RemoveObserver(*this);
  }
  void PlayerEvent(TPlayerCore&, TPlayerEventType event, void*) override {
    if (event != peStateChanged && event != peCurrentChanged && event != peLoaded) return;
    const bool playing = player_.State() == TXPlayerState::psPlaying;
    const int channels = playing ? player_.GetAudioInfo().Channels : 0;
    mono_.SetImageIndex(channels == 1 ? 0 : 1);
    stereo_.SetImageIndex(channels > 1 ? 0 : 1);
  }
  std::uint8_t DataWanted() override { return 0; }
  void SpectrumData(const VisualizationFrame&) override {}
  void PlayerFreed(TPlayerCore&) override { bound_ = false; }

private:
  TXPlayer& player_;
  TSkinImageArray& mono_;
  TSkinImageArray& stereo_;
  bool bound_ = true;
};


PlayerPanelForm::PlayerPanelForm(TSkin& skin, TXPlayer& player, Point at)
    : TSkinForm(PanelFormParams(at)),
      player(player),
      aPlayPause(actions.Add(u"Play/pause", u"Play/pause")),
      aStop(actions.Add(u"Stop", u"Stop")),
      aPrevious(actions.Add(u"Previous track", u"Previous track")),
      aNext(actions.Add(u"Next track", u"Next track")),
      aMute(actions.Add(u"Mute", u"Mute")),
      pMain(*this, Rect::FromSize(0, 0, 275, kMainHeight)),
      pPlayList(*this, Rect::FromSize(0, kPlayListTop, 275, kMainHeight)),
      PT(pMain, Place("Main.Panel", "PT")),
      SA(pMain, Place("Main.Panel", "SA").TopLeft()),
      lCaption(pMain, Place("Main.Panel", "Caption")),
      lBitRate(pMain, Place("Main.Panel", "lBitRate")),
      lSampleRate(pMain, Place("Main.Panel", "lSampleRate")),
      btMute(pMain, Place("Main.Panel", "btMute")),
      btPrev(pMain, Place("Main.Panel", "btPrev")),
      btPlay(pMain, Place("Main.Panel", "btPlay")),
      btStop(pMain, Place("Main.Panel", "btStop")),
      btNext(pMain, Place("Main.Panel", "btNext")),
      btOpen(pMain, Place("Main.Panel", "btOpen")),
      btShuffle(pMain, Place("Main.Panel", "btShuffle")),
      btRepeat(pMain, Place("Main.Panel", "btRepeat")),
      vbVolume(pMain, Place("Main.Panel", "vbVolume")),
      vbPan(pMain, Place("Main.Panel", "vbPan")),
      iaMono(pMain, Place("Main.Panel", "iaMono")),
      iaStereo(pMain, Place("Main.Panel", "iaStereo")),
      PosBar(pMain, Place("Main.Panel", "PosBar")),
      PlayList(pPlayList, Place("MainPlayList.Panel", "PlayList")),
      ssPLScrollbar(pPlayList, Place("MainPlayList.Panel", "ssPLScrollbar")) {
  LoadingScope loading(*this);
  AddActionList(actions);
  aPlayPause.OnUpdate = [&](Action& a) { a.SetChecked(player.State() == TXPlayerState::psPlaying); };
  aPlayPause.OnExecute = [&](Action&) {
    if (player.State() == TXPlayerState::psPlaying) player.Pause();
    else player.PlayList().StartCurrent(true);
  };
  aStop.OnUpdate = [&](Action& a) { a.SetEnabled(player.State() != TXPlayerState::psStopped); };
  aStop.OnExecute = [&](Action&) { player.Stop(); };
  aPrevious.OnExecute = [&](Action&) { player.PlayList().Previous(player.State() == TXPlayerState::psPlaying); };
  aNext.OnExecute = [&](Action&) { player.PlayList().Next(player.State() == TXPlayerState::psPlaying); };
  aMute.OnUpdate = [&](Action& a) { a.SetChecked(player.Mute()); };
  aMute.OnExecute = [&](Action&) { player.SetMute(!player.Mute()); };

  pMain.Image.SetSlice(Slice("Main.Panel"));
  pMain.Image.SetSkin(&skin);
  pPlayList.SetSizeable(true);
  const SkinStretch& listStretch = *FindSkinStretch("MainPlayList.Panel");
  pPlayList.SetBorders({listStretch.Left, listStretch.Top, listStretch.Right, listStretch.Bottom});
  pPlayList.Image.SetSlice(Slice("MainPlayList.Panel"));
  pPlayList.Image.SetSkin(&skin);
  // The playlist panel's top edge lies over the main panel's bottom.
  SetWindowPos(pPlayList.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  const SkinPlayTime& time = *std::find_if(std::begin(kSkinPlayTimes), std::end(kSkinPlayTimes),
                                           [](const SkinPlayTime& p) { return std::string_view(p.Id) == "Panel"; });
  PT.Image.SetSlice(Slice(time.Image));
  PT.Digits.SetSlice(Slice(time.Digits));
  PT.StateIcons.SetSlice(Slice("Playpaus.State"));
  PT.PosIcons.SetSlice(Slice("Playpaus.Position"));
  for (TSkinElement* e : {&PT.Image, &PT.Digits, &PT.StateIcons, &PT.PosIcons}) e->SetSkin(&skin);
  PT.SetBorders({time.BorderLeft, time.BorderTop, time.BorderRight, time.BorderBottom});
  PT.SetDigitSpacing({time.DigitSpacing1, time.DigitSpacing2, time.DigitSpacing3, time.DigitSpacing4});
  PT.SetPlayStateWidth(Place("Main.Panel", "PT").Width() - Slice(time.Image).ImageWidth);

  SA.Palette.SetSlice(Slice("Palettes.Spectrum"));
  SA.Palette.SetSkin(&skin);

  Coloured(lCaption, skin, 23, TXPlayerLabelStyle::lsName);
  lCaption.SetNameOptions(noShowTitle | noShowArtist | noShowAlbum | noShowDuration);
  lCaption.SetAutoScroll(true);
  Coloured(lBitRate, skin, 24, TXPlayerLabelStyle::lsBitrate);
  Coloured(lSampleRate, skin, 24, TXPlayerLabelStyle::lsSampleRate);

  Skinned(btMute, skin, "Mute.Mute");
  btMute.SetAction(&aMute);
  const std::pair<TSkinButton*, const char*> transport[] = {
      {&btPrev, "CButtons.Previous"}, {&btPlay, "CButtons.Play"}, {&btStop, "CButtons.Stop"},
      {&btNext, "CButtons.Next"},     {&btOpen, "CButtons.Open"}, {&btShuffle, "ShufRep.Shuffle"},
      {&btRepeat, "ShufRep.Repeat"}};
  for (const auto& [button, slice] : transport) Skinned(*button, skin, slice);
  btPrev.SetAction(&aPrevious);
  btPlay.SetAction(&aPlayPause);
  btStop.SetAction(&aStop);
  btNext.SetAction(&aNext);
  auto toggle = [&](TSkinButton& button, TXPlayListOption option) {
    button.OnClick = [&, option](Control&) {
      TXPlayList& list = player.PlayList();
      list.SetOptions(list.Options() ^ option);
      button.SetChecked(list.Options() & option);
    };
  };
  toggle(btShuffle, ploShuffle);
  toggle(btRepeat, ploRepeat);

  Skinned(vbVolume, skin, "Volume.Track", "Volume.Thumb");
  vbVolume.Hint = L"Volume";
  Skinned(vbPan, skin, "Balance.Track", "Balance.Thumb");
  vbPan.SetVolumeBarType(TVolumeBarType::vbPan);
  vbPan.Hint = L"Balance";
  Skinned(PosBar, skin, "posbar.Track", "posbar.Thumb");
  PosBar.Hint = L"Position";
  for (auto [array, slice] : {std::pair{&iaMono, "MonoSter.Mono"}, std::pair{&iaStereo, "MonoSter.Stereo"}}) {
    array->Image.SetSlice(Slice(slice));
    array->Image.SetSkin(&skin);
    array->SetImageIndex(1);
  }

  PlayList.Image.SetSlice(Slice("PlayList.Rows"));
  PlayList.Image.SetSkin(&skin);
  PlayList.SetAnchoring(AnchorsOf("MainPlayList.Panel", "PlayList"));
  ssPLScrollbar.SetStyle(SliderStyle::ssScrollBar);
  ssPLScrollbar.SetOrientation(SliderOrientation::soVertical);
  ssPLScrollbar.SetButtons(true, true);
  ssPLScrollbar.SetSizeable(true);
  const SkinStretch& scrollStretch = *FindSkinStretch("scroll.Track");
  ssPLScrollbar.BorderStart = scrollStretch.Top;
  ssPLScrollbar.BorderEnd = scrollStretch.Bottom;
  Skinned(ssPLScrollbar, skin, "scroll.Track", "scroll.Thumb");
  ssPLScrollbar.UpButtonGlyph.SetSkinSlice(Slice("scroll.Up"));
  ssPLScrollbar.DownButtonGlyph.SetSkinSlice(Slice("scroll.Down"));
  ssPLScrollbar.UpButtonGlyph.SetSkin(&skin);
  ssPLScrollbar.DownButtonGlyph.SetSkin(&skin);
  ssPLScrollbar.SetAnchoring(AnchorsOf("MainPlayList.Panel", "ssPLScrollbar"));
  PlayList.SetScrollBar(&ssPLScrollbar);

  for (TXPlayerControl* control : std::initializer_list<TXPlayerControl*>{&PT, &SA}) control->SetPlayer(&player);
  for (TXPlayerLabel* label : {&lCaption, &lBitRate, &lSampleRate}) label->SetPlayer(&player);
  for (TPlayerSlider* slider : std::initializer_list<TPlayerSlider*>{&vbVolume, &vbPan, &PosBar})
    slider->SetPlayer(&player);
  PlayList.SetPlayer(&player);
  lamps_ = std::make_unique<ChannelLamps>(player, iaMono, iaStereo);
}

PlayerPanelForm::~PlayerPanelForm() = default;

}  // namespace nv::test
