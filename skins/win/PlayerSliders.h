#pragma once
// The sliders that steer the player: the position bar (its range the item's duration, seeking when moved, a hint
// with the time under the thumb while it is dragged) and the volume, balance and equaliser bars (VolumeBarValues.h:
// a bar let go near its centre snaps back to it). Each reads the player on every event.
#include <optional>
#include <string>

#include "skins/VolumeBarValues.h"
#include "skins/win/PlayerControl.h"
#include "skins/win/SkinSlider.h"

namespace nv {

struct HintInfo;

class TPlayerSlider : public PlayerObserving<TCustomSkinSlider> {
public:
  using PlayerObserving<TCustomSkinSlider>::PlayerObserving;

protected:
  // The hint while the thumb is dragged, shown at once by the pointer and kept up until the drag ends.
  virtual std::wstring DragHintText() const { return {}; }
  void DoChangeStart() override;
  void DoChange() override;
  void DoChangeEnd() override;
  void MouseMove(Point at, WPARAM keys) override;

private:
  void ShowDragHint();
};

class TPosBar : public TPlayerSlider {
public:
  TPosBar(WinControl& parent, const Rect& bounds) : TPlayerSlider(parent, bounds) {}
  // Hidden while there is nothing to seek in.
  bool HideOnInactive() const { return hideOnInactive_; }
  void SetHideOnInactive(bool hide);

protected:
  void PlayerEvent(TXPlayer& player, TPlayerEventType event, void* param) override;
  void DoChange() override;
  std::wstring DragHintText() const override;

private:
  bool hideOnInactive_ = false;
};

class TVolumeBar : public TPlayerSlider {
public:
  TVolumeBar(WinControl& parent, const Rect& bounds);

  TVolumeBarType VolumeBarType() const { return type_; }
  // Sets the range; any type but a band's resets the band to 0.
  void SetVolumeBarType(TVolumeBarType type);
  int EqChanel() const { return band_; }
  // 0..9 (higher is stored as 9).
  void SetEqChanel(int band);
  bool ShowHint(HintInfo& info) override;

protected:
  void PlayerEvent(TXPlayer& player, TPlayerEventType event, void* param) override;
  void DoChange() override;
  std::wstring DragHintText() const override;

private:
  // The player's value this bar shows (none for the equaliser, which the player does not have yet).
  std::optional<int> PlayerValue() const;
  std::wstring ValueText() const;

  TVolumeBarType type_ = TVolumeBarType::vbVolume;
  int band_ = 0;
};

}  // namespace nv
