#include "skins/win/PlayerSliders.h"

#include <algorithm>
#include <cstdlib>

#include "metadata/MediaFormatting.h"
#include "resources/StringIds.h"
#include "support/ui/win/Application.h"
#include "support/ui/win/Hints.h"
#include "support/ui/win/Resources.h"
#include "support/win/WideText.h"

namespace nv {

// --- Player slider ---

void TPlayerSlider::ShowDragHint() {
  const std::wstring text = DragHintText();
  if (text.empty()) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  App().Hints().ShowDragHint(text, {cursor.x, cursor.y + 20});
}

void TPlayerSlider::DoChangeStart() {
  TCustomSkinSlider::DoChangeStart();
  ShowDragHint();
}

void TPlayerSlider::DoChange() {
  TCustomSkinSlider::DoChange();
  if (Dragging()) ShowDragHint();
}

void TPlayerSlider::DoChangeEnd() {
  App().Hints().HideDragHint();
  TCustomSkinSlider::DoChangeEnd();
}

void TPlayerSlider::MouseMove(Point at, WPARAM keys) {
  TCustomSkinSlider::MouseMove(at, keys);
  if (Dragging()) ShowDragHint();
}

// --- Position bar ---

void TPosBar::SetHideOnInactive(bool hide) {
  hideOnInactive_ = hide;
  SetVisible(!(hideOnInactive_ && Max() <= 0));
}

void TPosBar::PlayerEvent(TXPlayer& player, TPlayerEventType, void*) {
  const bool stopped = player.State() == TXPlayerState::psStopped;
  SetEnabled(!stopped);
  if (!stopped && player.CanSeek()) {
    SetMax(player.Duration());
    if (!Dragging()) SetPosition(player.Position());
  } else {
    SetMax(0);
  }
  SetVisible(!(hideOnInactive_ && Max() <= 0));
}

void TPosBar::DoChange() {
  if (TXPlayer* player = Player(); player && player->State() != TXPlayerState::psStopped)
    player->SetPosition(Position());
  TPlayerSlider::DoChange();
}

std::wstring TPosBar::DragHintText() const {
  return HintText() + L": " + MarkedToWide(FormatDuration(Position() / 1000));
}

// --- Volume, balance and equaliser bars ---

TVolumeBar::TVolumeBar(WinControl& parent, const Rect& bounds) : TPlayerSlider(parent, bounds) {
  TrackChanging = true;
  SetMax(VolumeBarMax(type_));
}

void TVolumeBar::SetVolumeBarType(TVolumeBarType type) {
  type_ = type;
  if (type != TVolumeBarType::vbEqChanel) band_ = 0;
  SetMax(VolumeBarMax(type));
  if (const std::optional<int> value = PlayerValue()) SetPosition(VolumeBarPosition(type_, *value));
}

void TVolumeBar::SetEqChanel(int band) { band_ = std::clamp(band, 0, kEqualizerBands - 1); }

std::optional<int> TVolumeBar::PlayerValue() const {
  TXPlayer* player = Player();
  if (!player) return std::nullopt;
  switch (type_) {
    case TVolumeBarType::vbVolume: return player->Volume();
    case TVolumeBarType::vbPan: return player->Balance();
    default: return std::nullopt;
  }
}

void TVolumeBar::PlayerEvent(TXPlayer&, TPlayerEventType, void*) {
  if (const std::optional<int> value = PlayerValue()) SetPosition(VolumeBarPosition(type_, *value));
}

void TVolumeBar::DoChange() {
  if (TXPlayer* player = Player()) {
    const int value = VolumeBarValue(type_, Position());
    if (type_ == TVolumeBarType::vbVolume) player->SetVolume(value);
    if (type_ == TVolumeBarType::vbPan) player->SetBalance(value);
    // A value snapped to the centre shows as the centre.
    if (const std::optional<int> applied = PlayerValue()) SetPosition(VolumeBarPosition(type_, *applied));
  }
  TPlayerSlider::DoChange();
}

std::wstring TVolumeBar::ValueText() const {
  const int value = VolumeBarValue(type_, Position());
  if (type_ != TVolumeBarType::vbPan) return std::to_wstring(value);
  if (value == 0) return ResourceString(IDS_BALANCE_CENTRE);
  return ResourceString(value < 0 ? IDS_BALANCE_LEFT : IDS_BALANCE_RIGHT) + std::to_wstring(std::abs(value));
}

std::wstring TVolumeBar::DragHintText() const {
  if (type_ == TVolumeBarType::vbEqChanel) return ValueText();
  return HintText() + L": " + ValueText();
}

bool TVolumeBar::ShowHint(HintInfo& info) {
  info.text = DragHintText();
  return TPlayerSlider::ShowHint(info);
}

}  // namespace nv
