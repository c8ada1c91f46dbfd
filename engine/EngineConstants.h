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

// The window message a graph posts to its notify window when an event waits in its queue (WM_USER + 900); its
// lParam is the graph.
inline constexpr unsigned kGraphEventMessage = 0x400 + 900;

// Stock DirectShow filters graph building puts in.
inline constexpr Guid kDirectSoundRendererClsid = "{79376820-07D0-11CF-A24D-0020AFD79767}"_guid;
inline constexpr Guid kVideoRendererClsid = "{70E102B0-5556-11CE-97C0-00AA0055595A}"_guid;
inline constexpr Guid kOverlayMixerClsid = "{CD8743A1-3736-11D0-9E69-00C04FD7C15B}"_guid;
inline constexpr Guid kVideoMixingRenderer9Clsid = "{51B4ABF3-748F-4E3B-A276-C828330E926A}"_guid;

// The registry's category of DirectShow filters, whose instances carry the filters' friendly names.
inline constexpr Guid kLegacyFilterCategory = "{083863F1-70DE-11D0-BD40-00A0C911CE86}"_guid;

// IMediaSeeking: the graph seeks to absolute positions (AM_SEEKING_CanSeekAbsolute).
inline constexpr std::uint32_t kCanSeekAbsolute = 1;
// IAMExtendedSeeking: the source can seek (AM_EXSEEK_CANSEEK).
inline constexpr std::int32_t kExtendedCanSeek = 1;

}  // namespace nv
