#pragma once
// Values the player and its graphs share: the player's events and the choice of video renderer.
#include <cstdint>

namespace nv {

// The player's notifications, by number. The parameter is named where the event carries one.
enum TPlayerEventType : std::uint8_t {
  peLoaded = 0,
  peStateChanged = 1,
  peSoundChanged = 2,
  pePositionChanged = 3,
  pePlayListChanged = 4,   // the playlist
  peCurrentChanged = 5,    // the current item, or none
  peStreamEnded = 6,
  peCompleted = 7,
  pePreparedEnded = 8,
  pePrepareNext = 9,
  peVideoStarted = 10,
  peVideoStopped = 11,
  peVideoBuildBegin = 12,
  peVideoBuildEnd = 13,
  peFullScreenChanged = 14,
  peItemInfoChanged = 15,  // the item
  peGraphBuilt = 16,       // the graph (a TPlaybackGraph), built or failed
  peTransitionStarted = 17,  // the incoming graph (a TPlaybackGraph)
};

// Which renderers a video stream is offered when its rule names none.
enum TXPlayerVideoRenderType : std::uint8_t {
  vrStandard = 0,  // the Video Renderer
  vrOverlay = 1,   // the Overlay Mixer, else the Video Renderer
  vrVMR9 = 2,      // the Video Mixing Renderer 9, else the Video Renderer
  vrDefault = 3,   // whatever DirectShow picks
};

}  // namespace nv
