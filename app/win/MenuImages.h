#pragma once
// The main menu's images: the bitmap "MENU_IMAGES", a strip of 16 x 16 images drawn by tools/skin/resources.py
// (MENU_GLYPHS, in this order), magenta where nothing is drawn.
namespace nv {

inline constexpr wchar_t kMenuImagesResource[] = L"MENU_IMAGES";
inline constexpr int kMenuImageSize = 16;

enum MenuImage : int {
  miPlay,
  miStop,
  miStepForward,
  miStepBackward,
  miNextTrack,
  miPreviousTrack,
  miMyMedia,
  miOpen,
  miVolume,
  miVolumeUp,
  miVolumeDown,
  miMute,
  miShuffle,
  miRepeat,
  miProperties,
  miOptions,
  miHelp,
  miClose,
};

}  // namespace nv
