#pragma once
// TSpectrumAnalizer: the spectrum analyser (or the oscilloscope) of what the player is heard playing, 76 pixels
// wide. While the player plays with its visualiser running the control asks for frames; each frame's bands
// (SpectrumBands.h) are merged on the visualiser's thread under the control's lock and a repaint is posted to the
// user-interface thread, at most one waiting at a time. When playback stops the bars and peaks fall on a 33 ms
// timer, which stops once nothing shows; with HideOnInactive the control hides instead.
#include <atomic>
#include <mutex>

#include "skins/SpectrumBands.h"
#include "skins/win/DrawBitmap.h"
#include "skins/win/PlayerControl.h"

namespace nv {

enum class TVisualizationKind : std::uint8_t { vkSpectrum, vkOscilloscope };

inline constexpr int kAnalyzerWidth = kSpectrumBands;
inline constexpr unsigned kAnalyzerFallMs = 33;

class TSpectrumAnalizer : public TXPlayerControl {
public:
  TSpectrumAnalizer(WinControl& parent, Point at);
  ~TSpectrumAnalizer() override;

  // The colour strip (the skin's "Palettes"); colours 0 background, 1 grid, 2 peaks, 3 on the gradient.
  TSkinElement Palette{Notices()};

  struct Settings {
    float amplify = 1.0f;
    TFalloffSpeed falloff = TFalloffSpeed::fsMedium, peakFalloff = TFalloffSpeed::fsMedium;
    bool peaks = true;
    TAnalizerStyle style = TAnalizerStyle::asFire;
    TBandStyle bands = TBandStyle::bsThin;
    TChanels channels = TChanels::chBoth;
    TVisualizationKind kind = TVisualizationKind::vkSpectrum;
  };
  Settings GetSettings() const;
  void SetSettings(const Settings& settings);
  bool HideOnInactive() const { return hideOnInactive_; }
  void SetHideOnInactive(bool hide);

  // Playing with the visualiser running (and the control enabled).
  bool Active() const { return active_; }
  // The bars and peaks on show.
  SpectrumLevels Levels() const;
  // The fall timer runs.
  bool Falling() const { return TimerInterval() > 0; }

  void Paint(HDC dc) override;

protected:
  void PlayerEvent(TXPlayer& player, TPlayerEventType event, void* param) override;
  std::uint8_t DataWanted() override;
  void SpectrumData(const VisualizationFrame& frame) override;
  void TimerTick() override;
  void StateChanged() override;
  void AdjustBounds(Rect& bounds) override;
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void UpdateActive();
  // Whether frames are wanted: active, visible, on a form that shows.
  void UpdateWanted();
  void PostRepaintOnce();
  void RefreshColours();

  mutable std::mutex lock_;  // the settings, the levels and the waveform
  Settings settings_;
  SpectrumLevels levels_;
  std::array<std::uint8_t, kVisualizerBlockFrames> wave_;

  bool hideOnInactive_ = false;
  bool active_ = false;
  std::atomic<bool> wanted_{false};
  std::atomic<bool> repaintPending_{false};
  const ControlRef uiThread_;  // taken on the user-interface thread, posted to from the visualiser's
  TDrawBitmap surface_;
  bool coloursStale_ = true;
};

}  // namespace nv
