#pragma once
// The skin's vocabulary and how every image is cut, in one place: the windows give these values to their skin
// elements, and tools/skin/default_skin.py reads this file to draw the default skin to the same measures, so the
// two cannot drift apart. The script parses the tables below row by row: keep each row on one line, with literal
// values only.
//
// kSkinItems: every item the strip's skin declares, in collection order; File names the default package's entry
// (case as stored), empty for the optional items the default skin leaves out.
// kSkinSlices: the element parameters of each use of an image (OriginLeft, OriginTop, ImageWidth, ImageHeight,
// ImageCount, RowCount, RowLayout, ImageSpacing, LBGOffsetLeft, LBGOffsetTop). Cells names what each sub-image
// shows, in index order; for buttons the names are the glyph's states (up, pushed, hot, down, pushedDown, hotDown,
// disabled; "a/b" when one sub-image serves two states), so SkinGlyphIndices() derives the glyph's indices from it.
// kSkinStretches: the insets of images drawn stretched in nine parts (and the unscaled centre of a sizeable
// button).
// kSkinPlaces: where controls sit on the panel images, in the image's pixels, so that what the images draw under
// them (wells, colons, lanes) lines up. Anchors say which edges follow a stretched panel.
// kSkinPlayTimes: the play-time controls' borders and digit spacing; the colon between the digit pairs is part of
// the "PlayTime" image.
// kSkinPaletteSlots: the colours a skin's palette ("Palettes", read in 1 x 2 cells) gives the labels.
#include <cstdint>
#include <optional>
#include <string_view>

namespace nv {

enum class SliceLayout : std::uint8_t { Horizontal, Vertical };  // rlHorizontal, rlVertical

struct SkinItemSpec {
  const char* Name;
  bool Optional;
  const char* File;  // "" when the default skin has no image for it
  int Width, Height, BitCount;
};

struct SkinSlice {
  const char* Id;  // "<item>.<use>"
  const char* Item;
  int OriginLeft, OriginTop, ImageWidth, ImageHeight, ImageCount, RowCount;
  SliceLayout Layout;
  int ImageSpacing, LBGOffsetLeft, LBGOffsetTop;
  const char* Cells;
};

struct SkinStretch {
  const char* Id;  // a slice
  int Left, Top, Right, Bottom;
  int CentreLeft, CentreTop, CentreWidth, CentreHeight;  // all 0: no fixed centre
};

struct SkinPlace {
  const char* Panel;  // a slice
  const char* Control;
  int Left, Top, Width, Height;
  const char* Anchors;  // of "left top right bottom"
};

struct SkinPlayTime {
  const char* Id;
  const char* Image;  // slices
  const char* Digits;
  int BorderLeft, BorderTop, BorderRight, BorderBottom;
  int DigitSpacing1, DigitSpacing2, DigitSpacing3, DigitSpacing4;
};

struct SkinPaletteSlot {
  int Index;
  const char* Use;
};

inline constexpr int kSkinPaletteCellWidth = 1;
inline constexpr int kSkinPaletteCellHeight = 2;

// clang-format off
inline constexpr SkinItemSpec kSkinItems[] = {
  {"Palettes", false, "Palettes.bmp", 23, 4, 8},
  {"MainTray", true, "", 0, 0, 0},
  {"MainTray.mask", true, "", 0, 0, 0},
  {"PlayTime", false, "PlayTime.bmp", 47, 36, 32},
  {"TrayPlayPaus", true, "", 0, 0, 0},
  {"TrayNumbers", false, "TrayNumbers.bmp", 88, 26, 32},
  {"TrayButtons", false, "TrayButtons.bmp", 161, 54, 32},
  {"SysButton", false, "sysbutton.bmp", 21, 54, 32},
  {"Minimize", false, "Minimize.bmp", 60, 40, 32},
  {"Background", true, "", 0, 0, 0},
  {"MuteTray", false, "MuteTray.bmp", 23, 108, 32},
  {"Main", false, "Main.bmp", 275, 116, 24},
  {"Main.mask", true, "Main.mask.bmp", 80, 40, 4},
  {"MainLC", true, "MainLC.bmp", 275, 16, 24},
  {"MainRC", true, "", 0, 0, 0},
  {"titlebuttons", false, "TitleButtons.bmp", 29, 42, 24},
  {"CButtons", false, "CButtons.bmp", 161, 54, 24},
  {"Numbers", false, "Numbers.bmp", 99, 13, 32},
  {"Playpaus", false, "Playpaus.bmp", 42, 18, 32},
  {"posbar", false, "POSBAR.bmp", 307, 10, 32},
  {"Volume", false, "Volume.bmp", 68, 433, 32},
  {"Balance", false, "Balance.bmp", 68, 433, 32},
  {"ShufRep", false, "SHUFREP.bmp", 75, 90, 32},
  {"AudioSettings", false, "AudioSettings.bmp", 25, 45, 24},
  {"MonoSter", false, "MONOSTER.bmp", 58, 24, 32},
  {"Mute", false, "Mute.bmp", 45, 78, 32},
  {"MainPlayList", false, "MainPlayList.bmp", 275, 116, 24},
  {"PlayList", false, "PlayList.bmp", 51, 50, 24},
  {"PlayListButtons", false, "PlayListButtons.bmp", 51, 33, 24},
  {"scroll", false, "scroll.bmp", 38, 40, 32},
  {"MainVideo", false, "MainVideo.bmp", 275, 116, 24},
  {"PVideoButtons", false, "PVideoButtons.bmp", 80, 16, 24},
  {"VideoButtons", false, "VideoButtons.bmp", 51, 33, 24},
  {"PVideoSettings", false, "PVideoSettings.bmp", 165, 67, 24},
  {"PVideoSettings.mask", true, "PVideoSettings.mask.bmp", 165, 67, 4},
  {"VSSlider", false, "VSSlider.bmp", 68, 433, 32},
  {"VSButtons", false, "VSButtons.bmp", 22, 33, 24},
  {"InfoMain", false, "InfoMain.bmp", 190, 44, 24},
  {"InfoMain.mask", true, "InfoMain.mask.bmp", 190, 44, 4},
  {"PAudioSettings", false, "PAudioSettings.bmp", 252, 96, 24},
  {"PAudioSettings.mask", true, "PAudioSettings.mask.bmp", 252, 96, 4},
  {"ASButtons", false, "ASButtons.bmp", 133, 60, 24},
  {"PEqualizer", false, "PEqualizer.bmp", 252, 75, 24},
  {"EqButtons", false, "EqButtons.bmp", 75, 85, 24},
  {"EqSlider", false, "EqSlider.bmp", 433, 65, 32},
  {"PCrossfading", false, "PCrossfading.bmp", 252, 75, 24},
  {"CFButtons", false, "CFButtons.bmp", 84, 96, 24},
  {"CFSlider", false, "CFSlider.bmp", 65, 433, 32},
  {"FullScreenControls", false, "FullScreenControls.bmp", 403, 54, 8},
};

inline constexpr SkinSlice kSkinSlices[] = {
  {"Palettes.Spectrum", "Palettes", 0, 0, 23, 4, 1, 1, SliceLayout::Horizontal, 0, 0, 0, "fire normal labels labels"},
  {"PlayTime.Well", "PlayTime", 0, 0, 47, 18, 1, 1, SliceLayout::Vertical, 0, 0, 18, "well"},
  {"TrayNumbers.Digits", "TrayNumbers", 0, 0, 8, 13, 11, 1, SliceLayout::Horizontal, 0, 0, 13, "0 1 2 3 4 5 6 7 8 9 minus"},
  {"TrayButtons.Previous", "TrayButtons", 0, 0, 23, 18, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot"},
  {"TrayButtons.Play", "TrayButtons", 23, 0, 23, 18, 6, 2, SliceLayout::Vertical, 0, 0, 0, "up pushed hot down pushedDown hotDown"},
  {"TrayButtons.Stop", "TrayButtons", 69, 0, 23, 18, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot"},
  {"TrayButtons.Next", "TrayButtons", 92, 0, 23, 18, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot"},
  {"TrayButtons.Open", "TrayButtons", 115, 0, 23, 18, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot"},
  {"TrayButtons.MyMedia", "TrayButtons", 138, 0, 23, 18, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed/down/pushedDown hot/hotDown"},
  {"SysButton.Show", "SysButton", 0, 0, 21, 18, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed/down/pushedDown hot/hotDown"},
  {"Minimize.Grip", "Minimize", 0, 0, 10, 20, 6, 1, SliceLayout::Horizontal, 0, 0, 20, "up pushed hot down pushedDown hotDown"},
  {"MuteTray.Mute", "MuteTray", 0, 0, 23, 18, 6, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot down pushedDown hotDown"},
  {"Main.Panel", "Main", 0, 0, 275, 116, 1, 1, SliceLayout::Vertical, 0, 0, 0, "panel"},
  {"Main.mask.Shape", "Main.mask", 0, 0, 80, 40, 1, 1, SliceLayout::Vertical, 0, 0, 0, "mask"},
  {"MainLC.Strip", "MainLC", 0, 0, 275, 16, 1, 1, SliceLayout::Vertical, 0, 0, 0, "strip"},
  {"titlebuttons.Close", "titlebuttons", 0, 0, 29, 14, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot"},
  {"CButtons.Previous", "CButtons", 0, 0, 23, 18, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot"},
  {"CButtons.Play", "CButtons", 23, 0, 23, 18, 6, 2, SliceLayout::Vertical, 0, 0, 0, "up pushed hot down pushedDown hotDown"},
  {"CButtons.Stop", "CButtons", 69, 0, 23, 18, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot"},
  {"CButtons.Next", "CButtons", 92, 0, 23, 18, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot"},
  {"CButtons.Open", "CButtons", 115, 0, 23, 18, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot"},
  {"CButtons.MyMedia", "CButtons", 138, 0, 23, 18, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed/down/pushedDown hot/hotDown"},
  {"Numbers.Digits", "Numbers", 0, 0, 9, 13, 11, 1, SliceLayout::Horizontal, 0, 0, 0, "0 1 2 3 4 5 6 7 8 9 minus"},
  {"Playpaus.State", "Playpaus", 0, 0, 9, 9, 3, 1, SliceLayout::Horizontal, 2, 0, 9, "playing paused stopped"},
  {"Playpaus.Position", "Playpaus", 33, 0, 3, 9, 2, 1, SliceLayout::Horizontal, 3, 0, 9, "current nextPrepared"},
  {"posbar.Track", "posbar", 0, 0, 267, 10, 1, 1, SliceLayout::Horizontal, 0, 0, 0, "track"},
  {"posbar.Thumb", "posbar", 267, 0, 20, 10, 2, 1, SliceLayout::Horizontal, 0, 0, 0, "up down"},
  {"Volume.Track", "Volume", 0, 0, 68, 14, 28, 1, SliceLayout::Vertical, 1, 0, 0, "level"},
  {"Volume.Thumb", "Volume", 0, 419, 14, 14, 2, 1, SliceLayout::Horizontal, 1, 0, 0, "up down"},
  {"Balance.Track", "Balance", 0, 0, 68, 14, 28, 1, SliceLayout::Vertical, 1, 0, 0, "centred"},
  {"Balance.Thumb", "Balance", 0, 419, 14, 14, 2, 1, SliceLayout::Horizontal, 1, 0, 0, "up down"},
  {"ShufRep.Shuffle", "ShufRep", 0, 0, 37, 15, 6, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot down pushedDown hotDown"},
  {"ShufRep.Repeat", "ShufRep", 38, 0, 37, 15, 6, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot down pushedDown hotDown"},
  {"AudioSettings.Button", "AudioSettings", 0, 0, 25, 15, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed/down/pushedDown hot/hotDown"},
  {"MonoSter.Mono", "MonoSter", 0, 0, 24, 12, 2, 1, SliceLayout::Vertical, 0, 0, 0, "on off"},
  {"MonoSter.Stereo", "MonoSter", 24, 0, 34, 12, 2, 1, SliceLayout::Vertical, 0, 0, 0, "on off"},
  {"Mute.Mute", "Mute", 0, 0, 45, 13, 6, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot down pushedDown hotDown"},
  {"MainPlayList.Panel", "MainPlayList", 0, 0, 275, 116, 1, 1, SliceLayout::Vertical, 0, 0, 0, "panel"},
  {"PlayList.Rows", "PlayList", 0, 0, 50, 10, 5, 1, SliceLayout::Vertical, 0, 0, 0, "background normal selected current dropTarget"},
  {"PlayListButtons.Add", "PlayListButtons", 0, 0, 25, 11, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot"},
  {"PlayListButtons.Delete", "PlayListButtons", 26, 0, 25, 11, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot"},
  {"scroll.Track", "scroll", 0, 0, 8, 40, 1, 1, SliceLayout::Vertical, 0, 0, 0, "track"},
  {"scroll.Thumb", "scroll", 10, 0, 8, 20, 2, 1, SliceLayout::Vertical, 0, 0, 0, "up down"},
  {"scroll.Up", "scroll", 20, 0, 8, 10, 2, 1, SliceLayout::Vertical, 0, 0, 0, "up down"},
  {"scroll.Down", "scroll", 30, 0, 8, 10, 2, 1, SliceLayout::Vertical, 0, 0, 0, "up down"},
  {"MainVideo.Panel", "MainVideo", 0, 0, 275, 116, 1, 1, SliceLayout::Vertical, 0, 0, 0, "panel"},
  {"PVideoButtons.Panel", "PVideoButtons", 0, 0, 80, 16, 1, 1, SliceLayout::Vertical, 0, 0, 0, "panel"},
  {"VideoButtons.FullScreen", "VideoButtons", 0, 0, 25, 11, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot"},
  {"VideoButtons.Settings", "VideoButtons", 26, 0, 25, 11, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed/down/pushedDown hot/hotDown"},
  {"PVideoSettings.Panel", "PVideoSettings", 0, 0, 165, 67, 1, 1, SliceLayout::Vertical, 0, 0, 0, "panel"},
  {"PVideoSettings.mask.Shape", "PVideoSettings.mask", 0, 0, 165, 67, 1, 1, SliceLayout::Vertical, 0, 0, 0, "mask"},
  {"VSSlider.Track", "VSSlider", 0, 0, 68, 14, 28, 1, SliceLayout::Vertical, 1, 0, 0, "centred"},
  {"VSSlider.Thumb", "VSSlider", 0, 419, 14, 14, 2, 1, SliceLayout::Horizontal, 1, 0, 0, "up down"},
  {"VSButtons.Reset", "VSButtons", 0, 0, 11, 11, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot"},
  {"VSButtons.Close", "VSButtons", 11, 0, 11, 11, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot"},
  {"InfoMain.Panel", "InfoMain", 0, 0, 190, 44, 1, 1, SliceLayout::Vertical, 0, 0, 0, "panel"},
  {"InfoMain.mask.Shape", "InfoMain.mask", 0, 0, 190, 44, 1, 1, SliceLayout::Vertical, 0, 0, 0, "mask"},
  {"PAudioSettings.Panel", "PAudioSettings", 0, 0, 252, 96, 1, 1, SliceLayout::Vertical, 0, 0, 0, "panel"},
  {"PAudioSettings.mask.Shape", "PAudioSettings.mask", 0, 0, 252, 96, 1, 1, SliceLayout::Vertical, 0, 0, 0, "mask"},
  {"ASButtons.Equalizer", "ASButtons", 0, 0, 60, 15, 4, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot down/pushedDown/hotDown"},
  {"ASButtons.Crossfading", "ASButtons", 61, 0, 60, 15, 4, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot down/pushedDown/hotDown"},
  {"ASButtons.Close", "ASButtons", 122, 0, 11, 11, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot"},
  {"PEqualizer.Panel", "PEqualizer", 0, 0, 252, 75, 1, 1, SliceLayout::Vertical, 0, 0, 0, "panel"},
  {"EqButtons.Active", "EqButtons", 0, 0, 36, 14, 6, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot down pushedDown hotDown"},
  {"EqButtons.Presets", "EqButtons", 37, 0, 38, 14, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed/down/pushedDown hot/hotDown"},
  {"EqButtons.Up", "EqButtons", 37, 43, 18, 10, 2, 1, SliceLayout::Horizontal, 2, 0, 0, "up down"},
  {"EqButtons.Down", "EqButtons", 37, 54, 18, 10, 2, 1, SliceLayout::Horizontal, 2, 0, 0, "up down"},
  {"EqSlider.Track", "EqSlider", 0, 0, 14, 65, 28, 1, SliceLayout::Horizontal, 1, 0, 0, "centred"},
  {"EqSlider.Thumb", "EqSlider", 419, 0, 14, 14, 2, 1, SliceLayout::Vertical, 1, 0, 0, "up down"},
  {"PCrossfading.Panel", "PCrossfading", 0, 0, 252, 75, 1, 1, SliceLayout::Vertical, 0, 0, 0, "panel"},
  {"CFButtons.Crossfading", "CFButtons", 0, 0, 28, 16, 6, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot down pushedDown hotDown"},
  {"CFButtons.Continuous", "CFButtons", 28, 0, 28, 16, 6, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot down pushedDown hotDown"},
  {"CFButtons.Smooth", "CFButtons", 56, 0, 28, 16, 6, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot down pushedDown hotDown"},
  {"CFSlider.Track", "CFSlider", 0, 0, 65, 14, 28, 1, SliceLayout::Vertical, 1, 0, 0, "level"},
  {"CFSlider.Thumb", "CFSlider", 0, 419, 14, 14, 2, 1, SliceLayout::Horizontal, 1, 0, 0, "up down"},
  {"FullScreenControls.Display", "FullScreenControls", 0, 0, 200, 54, 1, 1, SliceLayout::Vertical, 0, 0, 0, "panel"},
  {"FullScreenControls.VideoSettings", "FullScreenControls", 200, 0, 150, 54, 1, 1, SliceLayout::Vertical, 0, 0, 0, "panel"},
  {"FullScreenControls.ExitFullScreen", "FullScreenControls", 350, 0, 24, 18, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot"},
  {"FullScreenControls.Reset", "FullScreenControls", 375, 0, 24, 18, 3, 1, SliceLayout::Vertical, 0, 0, 0, "up pushed hot"},
};

inline constexpr SkinStretch kSkinStretches[] = {
  {"PlayTime.Well", 10, 0, 25, 0, 0, 0, 0, 0},
  {"Minimize.Grip", 0, 3, 0, 3, 0, 6, 10, 8},
  {"Main.mask.Shape", 8, 8, 8, 8, 0, 0, 0, 0},
  {"MainPlayList.Panel", 12, 30, 12, 30, 0, 0, 0, 0},
  {"MainVideo.Panel", 12, 24, 10, 22, 0, 0, 0, 0},
  {"PlayList.Rows", 10, 1, 10, 1, 0, 0, 0, 0},
  {"posbar.Track", 6, 0, 6, 0, 0, 0, 0, 0},
  {"scroll.Track", 0, 4, 0, 4, 0, 0, 0, 0},
};

inline constexpr SkinPlace kSkinPlaces[] = {
  {"Main.Panel", "Caption", 18, 2, 218, 12, "left top"},
  {"Main.Panel", "btClose", 242, 1, 29, 14, "left top"},
  {"Main.Panel", "DisplayWell", 7, 17, 261, 42, "left top"},
  {"Main.Panel", "PT", 11, 21, 69, 18, "left top"},
  {"Main.Panel", "SA", 84, 22, 76, 16, "left top"},
  {"Main.Panel", "lBitRate", 164, 24, 22, 12, "left top"},
  {"Main.Panel", "lSampleRate", 214, 24, 14, 12, "left top"},
  {"Main.Panel", "btMute", 11, 42, 45, 13, "left top"},
  {"Main.Panel", "vbVolume", 60, 41, 68, 14, "left top"},
  {"Main.Panel", "vbPan", 132, 41, 68, 14, "left top"},
  {"Main.Panel", "iaMono", 205, 42, 24, 12, "left top"},
  {"Main.Panel", "iaStereo", 230, 42, 34, 12, "left top"},
  {"Main.Panel", "PosBar", 4, 62, 267, 10, "left top"},
  {"Main.Panel", "btPrev", 8, 76, 23, 18, "left top"},
  {"Main.Panel", "btPlay", 31, 76, 23, 18, "left top"},
  {"Main.Panel", "btStop", 54, 76, 23, 18, "left top"},
  {"Main.Panel", "btNext", 77, 76, 23, 18, "left top"},
  {"Main.Panel", "btOpen", 100, 76, 23, 18, "left top"},
  {"Main.Panel", "btMyMedia", 123, 76, 23, 18, "left top"},
  {"Main.Panel", "btShuffle", 153, 78, 37, 15, "left top"},
  {"Main.Panel", "btRepeat", 192, 78, 37, 15, "left top"},
  {"Main.Panel", "btAudioSettings", 238, 78, 25, 15, "left top"},
  {"MainPlayList.Panel", "PlayListWell", 7, 5, 261, 92, "left top right bottom"},
  {"MainPlayList.Panel", "PlayList", 9, 7, 245, 88, "left top right bottom"},
  {"MainPlayList.Panel", "ssPLScrollbar", 257, 7, 8, 88, "top right bottom"},
  {"MainPlayList.Panel", "btAdd", 8, 101, 25, 11, "left bottom"},
  {"MainPlayList.Panel", "btDel", 35, 101, 25, 11, "left bottom"},
  {"MainVideo.Panel", "Video", 8, 20, 261, 78, "left top right bottom"},
  {"MainVideo.Panel", "pButtons", 189, 99, 80, 16, "right bottom"},
  {"PVideoButtons.Panel", "btFullScreen", 4, 2, 25, 11, "left top"},
  {"PVideoButtons.Panel", "btVideoSettings", 31, 2, 25, 11, "left top"},
  {"InfoMain.Panel", "PT", 6, 5, 69, 18, "left top"},
  {"InfoMain.Panel", "SA", 6, 25, 76, 16, "left top"},
  {"InfoMain.Panel", "lCaption", 80, 6, 104, 14, "left top"},
  {"InfoMain.Panel", "lBitRate", 86, 28, 22, 12, "left top"},
  {"InfoMain.Panel", "lSampleRate", 136, 28, 14, 12, "left top"},
  {"PAudioSettings.Panel", "btEqualizer", 4, 3, 60, 15, "left top"},
  {"PAudioSettings.Panel", "btCrossfading", 66, 3, 60, 15, "left top"},
  {"PAudioSettings.Panel", "btClose", 236, 5, 11, 11, "left top"},
  {"PAudioSettings.Panel", "Page", 0, 21, 252, 75, "left top"},
  {"PAudioSettings.Panel", "lEqMessage", 12, 40, 228, 36, "left top"},
  {"PEqualizer.Panel", "btEqActive", 7, 5, 36, 14, "left top"},
  {"PEqualizer.Panel", "btEqPresets", 6, 23, 38, 14, "left top"},
  {"PEqualizer.Panel", "sEqAmp", 7, 44, 18, 20, "left top"},
  {"PEqualizer.Panel", "sEqEmp", 27, 44, 18, 20, "left top"},
  {"PEqualizer.Panel", "lEqMax", 50, 5, 20, 10, "left top"},
  {"PEqualizer.Panel", "lEqMin", 50, 59, 20, 10, "left top"},
  {"PEqualizer.Panel", "vbEq1", 74, 5, 14, 65, "left top"},
  {"PEqualizer.Panel", "vbEq2", 91, 5, 14, 65, "left top"},
  {"PEqualizer.Panel", "vbEq3", 108, 5, 14, 65, "left top"},
  {"PEqualizer.Panel", "vbEq4", 125, 5, 14, 65, "left top"},
  {"PEqualizer.Panel", "vbEq5", 142, 5, 14, 65, "left top"},
  {"PEqualizer.Panel", "vbEq6", 159, 5, 14, 65, "left top"},
  {"PEqualizer.Panel", "vbEq7", 176, 5, 14, 65, "left top"},
  {"PEqualizer.Panel", "vbEq8", 193, 5, 14, 65, "left top"},
  {"PEqualizer.Panel", "vbEq9", 210, 5, 14, 65, "left top"},
  {"PEqualizer.Panel", "vbEq10", 227, 5, 14, 65, "left top"},
  {"PCrossfading.Panel", "btCFActive", 8, 3, 28, 16, "left top"},
  {"PCrossfading.Panel", "sCFDuration", 178, 4, 65, 14, "left top"},
  {"PCrossfading.Panel", "sCFAdvance", 178, 22, 65, 14, "left top"},
  {"PCrossfading.Panel", "btUPActive", 8, 39, 28, 16, "left top"},
  {"PCrossfading.Panel", "sUPAdvance", 178, 40, 65, 14, "left top"},
  {"PCrossfading.Panel", "btSNActive", 8, 57, 28, 16, "left top"},
  {"PCrossfading.Panel", "sSNDuration", 178, 58, 65, 14, "left top"},
  {"PVideoSettings.Panel", "btVSReset", 134, 3, 11, 11, "left top"},
  {"PVideoSettings.Panel", "btVSClose", 148, 3, 11, 11, "left top"},
  {"PVideoSettings.Panel", "ssBrightness", 17, 23, 68, 14, "left top"},
  {"PVideoSettings.Panel", "ssContrast", 95, 23, 68, 14, "left top"},
  {"PVideoSettings.Panel", "ssHue", 17, 45, 68, 14, "left top"},
  {"PVideoSettings.Panel", "ssSaturation", 95, 45, 68, 14, "left top"},
  {"FullScreenControls.Display", "lFSCCaption", 10, 6, 180, 12, "left top"},
  {"FullScreenControls.Display", "ptFSCPlayTime", 10, 23, 69, 18, "left top"},
  {"FullScreenControls.Display", "pbFSCPosBar", 84, 27, 108, 10, "left top"},
};

inline constexpr SkinPlayTime kSkinPlayTimes[] = {
  {"Strip", "PlayTime.Well", "TrayNumbers.Digits", 2, 0, 5, 0, 0, 4, 0, 0},
  {"Panel", "PlayTime.Well", "Numbers.Digits", 1, 0, 3, 0, 0, 4, 0, 0},
};

inline constexpr SkinPaletteSlot kSkinPaletteSlots[] = {
  {0, "spectrum background"},
  {1, "spectrum grid"},
  {2, "spectrum peaks"},
  {23, "expanded player caption"},
  {24, "expanded player bit rate and sample rate"},
  {25, "play info caption"},
  {26, "play info bit rate and sample rate"},
  {27, "settings panel labels"},
};
// clang-format on

// The full-screen bar's label colours: a column of pixels in "FullScreenControls" (caption, "Volume", "Balance",
// "Brightness", "Contrast", "Hue", "Saturation").
inline constexpr int kFullScreenLabelColourX = 402;
inline constexpr int kFullScreenLabelColourTop = 28;
inline constexpr int kFullScreenLabelColourCount = 7;

// The playlist box's text colours: a column right of its first row image (normal, selected, current, current and
// selected).
inline constexpr int kPlayListTextColourCount = 4;

const SkinItemSpec* FindSkinItem(std::string_view name);
const SkinSlice* FindSkinSlice(std::string_view id);
const SkinStretch* FindSkinStretch(std::string_view id);
const SkinPlace* FindSkinPlace(std::string_view panel, std::string_view control);

// The one slicing rule, for sizes and positions alike: sub-images fill a line (a row when horizontal, a column when
// vertical) of ceil(count / rows) cells before the next line starts, so a last line that is only partly filled
// still has its place.
int SubImagesPerLine(int imageCount, int rowCount);
struct SubImagePlace {
  int Column = 0, Row = 0;
  bool operator==(const SubImagePlace&) const = default;
};
SubImagePlace PlaceOfSubImage(int imageCount, int rowCount, SliceLayout layout, int index);

// Where sub-image `index` of a slice lies in its bitmap (the light variant moved by the light offsets): column and
// row from the index, each step the sub-image's size plus the spacing.
struct SliceRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const SliceRect&) const = default;
};
SliceRect SliceCellRect(const SkinSlice& slice, int index, bool light = false);

// A button glyph's seven indices (up, pushed, hot, down, pushed while down, hot while down, disabled) from a slice's
// cell names; -1 for a state no cell shows.
struct SkinGlyphIndices {
  int Up = -1, PushUp = -1, FlatUp = -1, Down = -1, PushDown = -1, FlatDown = -1, Disabled = -1;
  bool operator==(const SkinGlyphIndices&) const = default;
};
SkinGlyphIndices GlyphIndicesOf(const SkinSlice& slice);

}  // namespace nv
