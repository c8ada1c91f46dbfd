#include "skins/win/SpectrumAnalyzer.h"

#include "engine/EngineConstants.h"
#include "skins/win/SkinMessages.h"

namespace nv {

TSpectrumAnalizer::TSpectrumAnalizer(WinControl& parent, Point at) : TXPlayerControl(&parent), uiThread_(Ref()) {
  wave_.fill(128);
  SetBounds(Rect::FromSize(at.x, at.y, kAnalyzerWidth, 16));
}

TSpectrumAnalizer::~TSpectrumAnalizer() {
  // First of all: a frame being delivered on the visualiser's thread still uses the lock and the levels.
  ReleasePlayer();
}

TSpectrumAnalizer::Settings TSpectrumAnalizer::GetSettings() const {
  const std::lock_guard hold(lock_);
  return settings_;
}

void TSpectrumAnalizer::SetSettings(const Settings& settings) {
  {
    const std::lock_guard hold(lock_);
    settings_ = settings;
  }
  coloursStale_ = true;
  UpdateWanted();
  Invalidate();
}

void TSpectrumAnalizer::SetHideOnInactive(bool hide) {
  hideOnInactive_ = hide;
  UpdateActive();
}

SpectrumLevels TSpectrumAnalizer::Levels() const {
  const std::lock_guard hold(lock_);
  return levels_;
}

void TSpectrumAnalizer::AdjustBounds(Rect& bounds) {
  bounds = Rect::FromSize(bounds.left, bounds.top, kAnalyzerWidth, bounds.Height());
}

// --- Following the player ---

void TSpectrumAnalizer::PlayerEvent(TXPlayer&, TPlayerEventType, void*) { UpdateActive(); }

void TSpectrumAnalizer::StateChanged() {
  TXPlayerControl::StateChanged();
  UpdateActive();
}

void TSpectrumAnalizer::UpdateActive() {
  TXPlayer* player = Player();
  const bool wanted =
      player && player->State() != TXPlayerState::psStopped && player->Visualizer().IsStarted();
  const bool active = wanted && Enabled();
  if (active != active_) {
    active_ = active;
    // Active, frames bring every change; inactive, what shows falls on the timer.
    SetTimerInterval(active ? 0 : kAnalyzerFallMs);
  }
  SetVisible(active_ || !hideOnInactive_);
  UpdateWanted();
}

void TSpectrumAnalizer::UpdateWanted() { wanted_ = active_ && Showing(); }

std::uint8_t TSpectrumAnalizer::DataWanted() {
  if (!wanted_) return 0;
  const std::lock_guard hold(lock_);
  return settings_.kind == TVisualizationKind::vkSpectrum ? kWantSpectrum : kWantWaveform;
}

// On the visualiser's thread.
void TSpectrumAnalizer::SpectrumData(const VisualizationFrame& frame) {
  if (!wanted_) return;
  const Settings settings = GetSettings();
  if (settings.kind == TVisualizationKind::vkSpectrum) {
    SpectrumBandLevels left, right;
    ComputeBands(std::span<const std::uint16_t, kSpectrumBins>(frame.spectrum.data(), kSpectrumBins),
                 settings.amplify, settings.bands, left);
    ComputeBands(std::span<const std::uint16_t, kSpectrumBins>(frame.spectrumCopy.data(), kSpectrumBins),
                 settings.amplify, settings.bands, right);
    const std::lock_guard hold(lock_);
    levels_.Merge(&left, &right, settings.channels, settings.falloff, settings.peakFalloff);
  } else {
    const std::lock_guard hold(lock_);
    wave_ = frame.waveLeft;
  }
  PostRepaintOnce();
}

// Any thread: one repaint waits at a time, however many frames come before it is made.
void TSpectrumAnalizer::PostRepaintOnce() {
  if (repaintPending_.exchange(true)) return;
  // Made only while the control exists (the utility window drops the call otherwise).
  uiThread_.PostCall([this] {
    repaintPending_ = false;
    Repaint();
  });
}

void TSpectrumAnalizer::TimerTick() {
  bool fallen;
  {
    const std::lock_guard hold(lock_);
    levels_.Merge(nullptr, nullptr, settings_.channels, settings_.falloff, settings_.peakFalloff);
    wave_.fill(128);
    fallen = settings_.kind == TVisualizationKind::vkOscilloscope || levels_.AllFallen(Height());
  }
  Invalidate();
  if (fallen) SetTimerInterval(0);
}

// --- Painting ---

LRESULT TSpectrumAnalizer::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SKINELEMENTCHANGED) coloursStale_ = true;
  return TXPlayerControl::ControlMessage(message, wParam, lParam);
}

void TSpectrumAnalizer::RefreshColours() {
  if (!coloursStale_) return;
  coloursStale_ = false;
  surface_.SetColours(AnalyserColours(PaletteStripOf(Palette), GetSettings().style));
}

void TSpectrumAnalizer::Paint(HDC dc) {
  RefreshColours();
  const Rect client = ClientRect();
  surface_.SetSize(client.Width(), client.Height());
  {
    const std::lock_guard hold(lock_);
    if (settings_.kind == TVisualizationKind::vkSpectrum)
      PaintSpectrum(surface_.Pixels(), levels_, surface_.ColourCount(), settings_.style, settings_.peaks);
    else
      PaintWaveform(surface_.Pixels(), wave_, surface_.ColourCount());
  }
  surface_.Draw(dc, client);
}

}  // namespace nv
