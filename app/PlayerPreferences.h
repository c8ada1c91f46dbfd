#pragma once
// TPlayerPreferences: the settings the options dialog edits, loaded and saved as a whole, field by field in this
// order. Each field's key, range and default is in PlayerPreferences.cpp; a stored value outside a field's range
// loads clamped into it.
#include <array>
#include <cstdint>
#include <string>

#include "app/PreferenceAccess.h"
#include "engine/GraphRules.h"
#include "support/IniDocument.h"
#include "support/RegIniFile.h"
#include "support/WindowsVersion.h"
#include "support/ui/ShortCut.h"

namespace nv {

// Modifier bits of a hot key: the system's, as the user-interface layer names them.
inline constexpr std::uint16_t kHotKeyAlt = kModAlt;
inline constexpr std::uint16_t kHotKeyCtrl = kModCtrl;
inline constexpr std::uint16_t kHotKeyShift = kModShift;
inline constexpr std::uint16_t kHotKeyWin = kModWin;

// A global hot key; its identifier is the Tag of the action it runs.
struct THotKey {
  std::int32_t id = 0;
  std::uint16_t modifiers = 0;
  std::uint16_t virtualKey = 0;
  bool operator==(const THotKey&) const = default;
};
inline constexpr std::size_t kHotKeyCount = 10;

// Every default hot key holds the Win key with one other key.
inline constexpr std::array<THotKey, kHotKeyCount> kDefaultHotKeys = {{
    {1, kHotKeyWin, 0x20},   // Play/pause: Space
    {2, kHotKeyWin, 0x1B},   // Stop: Escape
    {3, kHotKeyWin, 0x26},   // Previous track: Up
    {4, kHotKeyWin, 0x28},   // Next track: Down
    {5, kHotKeyWin, 0x6B},   // Volume up: numeric +
    {6, kHotKeyWin, 0x6D},   // Volume down: numeric -
    {7, kHotKeyWin, 0x6A},   // Mute: numeric *
    {8, kHotKeyWin, 0x2D},   // Open or My media: Insert
    {9, kHotKeyWin, 0x27},   // Step forward: Right
    {10, kHotKeyWin, 0x25},  // Step backward: Left
}};


// Bits of the strip's visible-button sets.
inline constexpr std::uint8_t kButtonPlay = 1 << 0;
inline constexpr std::uint8_t kButtonStop = 1 << 1;
inline constexpr std::uint8_t kButtonNext = 1 << 2;
inline constexpr std::uint8_t kButtonPrevious = 1 << 3;
inline constexpr std::uint8_t kButtonOpen = 1 << 4;
inline constexpr std::uint8_t kButtonMyMedia = 1 << 5;

struct TPlayerPreferences {
  std::uint8_t trayPosition = 0;  // 0 right of the Start button, 1 left of the notification area, 2 right of it
  bool minimizeButtonVisible = true;
  bool minimizeToTray = false;
  bool playTimeVisible = false;
  bool miniModePlayTimeVisible = false;
  std::uint8_t visibleButtons = kButtonPlay | kButtonStop | kButtonNext | kButtonPrevious | kButtonMyMedia;
  std::uint8_t miniModeVisibleButtons = kButtonPlay | kButtonMyMedia;
  std::int32_t showPlayInfo = 5000;        // ms
  std::uint8_t playInfoTransparency = 70;  // percent opacity
  bool playInfoFadeEffect = true;
  std::int32_t showExpandedPlayer = 2000;          // ms
  std::uint8_t expandedPlayerTransparency = 100;  // percent opacity
  bool expandedPlayerFadeEffect = false;
  bool expandedPlayerAllowMoving = false;
  std::int16_t folderNesting = 0;
  std::int32_t minPosition = 0;  // ms
  TXFileGraphInfos graphRules;  // user rules, then the standard rules switched on (engine/GraphRuleStore.h)
  TXCommonFilters commonFilters;
  bool digitalPlayback = true;
  bool forceAspi = false;
  bool errorCorrection = false;
  bool useCddb = true;
  std::uint8_t renderType = 3;  // 0 standard, 1 overlay, 2 VMR9, 3 default
  bool extendedFullScreen = true;
  bool autoShow = true;
  bool pauseOnHide = false;
  std::uint8_t equalizerType = 16;
  std::uint8_t equalizerRange = 50;
  std::uint8_t visualizationType = 1;  // 0 none, 1 spectrum analyzer, 2 oscilloscope
  std::uint8_t analyzerStyle = 1;      // 0 normal, 1 fire, 2 line
  bool peaks = true;
  std::uint8_t bandStyle = 0;  // 0 thin, 1 thick
  std::uint8_t falloffSpeed = 2;
  std::uint8_t peaksSpeed = 2;
  std::int16_t checkUpdatesPeriod = 7;  // days; 0 never
  bool checkTypesOnStart = false;
  bool alwaysRegisterTypes = false;
  bool registerAllFreeTypes = false;
  std::string skinPath = "Skins";
  std::string currentSkin;  // full path of the skin package; empty for the default skin
  bool handlePlaybackKeys = true;
  bool handleVolumeKeys = false;
  std::array<THotKey, kHotKeyCount> hotKeys = kDefaultHotKeys;
  // The My media options close this record; the media browser's module loads and saves them.

  bool operator==(const TPlayerPreferences&) const = default;
};

// The defaults, some of which depend on the Windows version: the strip sits right of the Start button from
// Windows 7 on, and video uses the default renderer from Windows Vista on.
TPlayerPreferences DefaultPreferences(WindowsVersion version);

// The standard graph rules come from the product profile; those on by default only with Winamp plug-ins need to
// know whether any are installed.
TPlayerPreferences LoadPreferences(const TXRegIniFile& store, WindowsVersion version, const IniDocument& profile,
                                   bool winampPluginsAvailable);
// The profile tells which standard rules missing from the record were switched off.
void SavePreferences(TXRegIniFile& store, const TPlayerPreferences& preferences, const IniDocument& profile);

// Used on their own: the skin folder (relative to the data folder unless it has a drive) and the current skin.
inline constexpr StringPreference kSkinPathPreference{{}, "Skin path", "Skins"};
inline constexpr StringPreference kCurrentSkinPreference{{}, "Current skin", ""};
inline constexpr BoolPreference kCheckTypesOnStartPreference{{}, "Check types on start", false};

// The "Current skin" string alone (a second instance may have changed it).
std::string ReadCurrentSkin(const TXRegIniFile& store);

}  // namespace nv
