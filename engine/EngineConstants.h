#pragma once
// The playback engine's fixed numbers and names.
#include <cstdint>

#include "support/Guid.h"

namespace nv {

// The source filter that hosts Winamp input plug-ins. A rule that names it is only worth having when plug-ins are
// installed.
inline constexpr Guid kWinampSourceClsid = "{65C0706F-7892-4980-84E7-706FB23F3DD4}"_guid;

// The visualiser: the tap filter in every decoded PCM stream and the frames it feeds to the player's observers.
inline constexpr Guid kVisualizerFilterClsid = "{500E3DFD-5AD5-44E8-8F01-6EEDA6563EB3}"_guid;
// Sample frames in one block of the tap; the spectrum is taken over one block.
inline constexpr int kVisualizerBlockFrames = 1024;
// Frames per second the player's visualiser delivers.
inline constexpr unsigned kVisualizerFrameRate = 30;
// What an observer asks of the frames (DataWanted): the waveform, the spectrum.
inline constexpr std::uint8_t kWantWaveform = 1;
inline constexpr std::uint8_t kWantSpectrum = 2;
// The spectrum: order 10 (1024 real samples, a 512-point complex transform), magnitudes scaled by 0.1.
inline constexpr int kSpectrumOrder = 10;
inline constexpr double kSpectrumScale = 0.1;

}  // namespace nv
