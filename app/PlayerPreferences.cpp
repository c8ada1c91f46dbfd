#include "app/PlayerPreferences.h"

#include <limits>

#include "engine/GraphRuleStore.h"

namespace nv {

namespace {

// Keys, ranges and defaults of the record's fields. Defaults that depend on the Windows version come from
// DefaultPreferences.
constexpr IntPreference kTrayPosition{{}, "Tray position", 0, 0, 2};
constexpr BoolPreference kMinimizeButtonVisible{{}, "Minimize button visible", true};
constexpr BoolPreference kMinimizeToTray{{}, "Minimize to tray", false};
constexpr BoolPreference kPlayTimeVisible{{}, "PlayTime visible", false};
constexpr BoolPreference kMiniModePlayTimeVisible{{}, "Mini-mode PlayTime visible", false};
constexpr IntPreference kVisibleButtons{{}, "Visible buttons", 47};
constexpr IntPreference kMiniModeVisibleButtons{{}, "Mini-mode visible buttons", 33};
constexpr IntPreference kShowPlayInfo{{}, "Show play info", 5000, 0, 10000};
constexpr IntPreference kPlayInfoTransparency{{}, "Play info transparency", 70, 1, 100};
constexpr BoolPreference kPlayInfoFadeEffect{{}, "Play info fade effect", true};
constexpr IntPreference kShowExpandedPlayer{{}, "Show expanded player", 2000, 1000, 10000};
constexpr IntPreference kExpandedPlayerTransparency{{}, "Expanded player transparency", 100, 1, 100};
constexpr BoolPreference kExpandedPlayerFadeEffect{{}, "Expanded player fade effect", false};
constexpr BoolPreference kExpandedPlayerAllowMoving{{}, "Expanded player allow moving", false};
constexpr IntPreference kFolderNesting{{}, "Folder nesting", 0, -1, kNoBound};
constexpr IntPreference kMinPosition{{}, "Min position", 0, 0, 1000};
constexpr BoolPreference kDigitalPlayback{"CDAudio", "Digital playback", true};
constexpr BoolPreference kForceAspi{"CDAudio", "Force ASPI", false};
constexpr BoolPreference kErrorCorrection{"CDAudio", "Error correction", false};
constexpr BoolPreference kUseCddb{"CDAudio", "Use CDDB", true};
constexpr IntPreference kRenderType{"Video", "Render type", 3, 0, 3};
constexpr BoolPreference kExtendedFullScreen{"Video", "Extended full screen", true};
constexpr BoolPreference kAutoShow{"Video", "Auto show", true};
constexpr BoolPreference kPauseOnHide{"Video", "Pause on hide", false};
constexpr IntPreference kEqualizerType{"Eq", "Type", 16, 0, 255};
constexpr IntPreference kEqualizerRange{"Eq", "Range", 50, 20, 100};
constexpr IntPreference kVisualizationType{{}, "Visualization type", 1, 0, 2};
constexpr IntPreference kAnalyzerStyle{"Spectrum analyzer", "Style", 1, 0, 2};
constexpr BoolPreference kPeaks{"Spectrum analyzer", "Peaks", true};
constexpr IntPreference kBandStyle{"Spectrum analyzer", "BandStyle", 0, 0, 1};
constexpr IntPreference kFalloffSpeed{"Spectrum analyzer", "FalloffSpeed", 2, 0, 4};
constexpr IntPreference kPeaksSpeed{"Spectrum analyzer", "PeaksSpeed", 2, 0, 4};
constexpr IntPreference kCheckUpdatesPeriod{{}, "Check updates period", 7, 0, 30};
constexpr BoolPreference kAlwaysRegisterTypes{{}, "Always register types", false};
constexpr BoolPreference kRegisterAllFreeTypes{{}, "Register all free types", false};
constexpr BoolPreference kHandlePlaybackKeys{{}, "Handle playback keys", true};
constexpr BoolPreference kHandleVolumeKeys{{}, "Handle volume keys", false};
constexpr char kHotKeysSubsection[] = "Hot keys";

// Sets keep their low eight bits, as a byte does; numbers stay within their field's type.
std::uint8_t Bits8(std::int32_t value) { return static_cast<std::uint8_t>(value & 0xFF); }
template <class T>
T Clamped(std::int32_t value) {
  if (value < std::numeric_limits<T>::min()) return std::numeric_limits<T>::min();
  if (value > std::numeric_limits<T>::max()) return std::numeric_limits<T>::max();
  return static_cast<T>(value);
}

// A hot key is stored as one integer: the virtual key in the high word, the modifiers in the low word.
std::int32_t HotKeyValue(const THotKey& key) {
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(key.virtualKey) << 16) | key.modifiers);
}
THotKey HotKeyFromValue(std::int32_t id, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  return {id, static_cast<std::uint16_t>(bits & 0xFFFF), static_cast<std::uint16_t>(bits >> 16)};
}

}  // namespace

TPlayerPreferences DefaultPreferences(WindowsVersion version) {
  TPlayerPreferences p;
  p.trayPosition = version >= kWindows7 ? 0 : 2;
  p.renderType = version >= kWindowsVista ? 3 : 0;
  p.hotKeys = kDefaultHotKeys;
  return p;
}

TPlayerPreferences LoadPreferences(const TXRegIniFile& store, WindowsVersion version, const IniDocument& profile,
                                   bool winampPluginsAvailable) {
  const TPlayerPreferences d = DefaultPreferences(version);
  TPlayerPreferences p;
  p.trayPosition = Clamped<std::uint8_t>(Read(store, kTrayPosition, d.trayPosition));
  p.minimizeButtonVisible = Read(store, kMinimizeButtonVisible);
  p.minimizeToTray = Read(store, kMinimizeToTray);
  p.playTimeVisible = Read(store, kPlayTimeVisible);
  p.miniModePlayTimeVisible = Read(store, kMiniModePlayTimeVisible);
  p.visibleButtons = Bits8(Read(store, kVisibleButtons));
  p.miniModeVisibleButtons = Bits8(Read(store, kMiniModeVisibleButtons));
  p.showPlayInfo = Read(store, kShowPlayInfo);
  p.playInfoTransparency = Clamped<std::uint8_t>(Read(store, kPlayInfoTransparency));
  p.playInfoFadeEffect = Read(store, kPlayInfoFadeEffect);
  p.showExpandedPlayer = Read(store, kShowExpandedPlayer);
  p.expandedPlayerTransparency = Clamped<std::uint8_t>(Read(store, kExpandedPlayerTransparency));
  p.expandedPlayerFadeEffect = Read(store, kExpandedPlayerFadeEffect);
  p.expandedPlayerAllowMoving = Read(store, kExpandedPlayerAllowMoving);
  p.folderNesting = Clamped<std::int16_t>(Read(store, kFolderNesting));
  p.minPosition = Read(store, kMinPosition);
  p.graphRules = LoadGraphRules(store, kGraphRulesSection, profile, winampPluginsAvailable);
  p.commonFilters = LoadCommonFilters(store);
  p.digitalPlayback = Read(store, kDigitalPlayback);
  p.forceAspi = Read(store, kForceAspi);
  p.errorCorrection = Read(store, kErrorCorrection);
  p.useCddb = Read(store, kUseCddb);
  p.renderType = Clamped<std::uint8_t>(Read(store, kRenderType, d.renderType));
  p.extendedFullScreen = Read(store, kExtendedFullScreen);
  p.autoShow = Read(store, kAutoShow);
  p.pauseOnHide = Read(store, kPauseOnHide);
  p.equalizerType = Clamped<std::uint8_t>(Read(store, kEqualizerType));
  p.equalizerRange = Clamped<std::uint8_t>(Read(store, kEqualizerRange));
  p.visualizationType = Clamped<std::uint8_t>(Read(store, kVisualizationType));
  p.analyzerStyle = Clamped<std::uint8_t>(Read(store, kAnalyzerStyle));
  p.peaks = Read(store, kPeaks);
  p.bandStyle = Clamped<std::uint8_t>(Read(store, kBandStyle));
  p.falloffSpeed = Clamped<std::uint8_t>(Read(store, kFalloffSpeed));
  p.peaksSpeed = Clamped<std::uint8_t>(Read(store, kPeaksSpeed));
  p.checkUpdatesPeriod = Clamped<std::int16_t>(Read(store, kCheckUpdatesPeriod));
  p.checkTypesOnStart = Read(store, kCheckTypesOnStartPreference);
  p.alwaysRegisterTypes = Read(store, kAlwaysRegisterTypes);
  p.registerAllFreeTypes = Read(store, kRegisterAllFreeTypes);
  p.skinPath = Read(store, kSkinPathPreference);
  p.currentSkin = Read(store, kCurrentSkinPreference);
  p.handlePlaybackKeys = Read(store, kHandlePlaybackKeys);
  p.handleVolumeKeys = Read(store, kHandleVolumeKeys);
  for (std::size_t i = 0; i < kHotKeyCount; ++i) {
    const THotKey& key = d.hotKeys[i];
    const std::int32_t value =
        ReadPreference(store, std::to_string(key.id), HotKeyValue(key), kNoBound, kNoBound, kHotKeysSubsection);
    p.hotKeys[i] = HotKeyFromValue(key.id, value);
  }
  return p;
}

void SavePreferences(TXRegIniFile& store, const TPlayerPreferences& p, const IniDocument& profile) {
  Write(store, kTrayPosition, p.trayPosition);
  Write(store, kMinimizeButtonVisible, p.minimizeButtonVisible);
  Write(store, kMinimizeToTray, p.minimizeToTray);
  Write(store, kPlayTimeVisible, p.playTimeVisible);
  Write(store, kMiniModePlayTimeVisible, p.miniModePlayTimeVisible);
  Write(store, kVisibleButtons, p.visibleButtons);
  Write(store, kMiniModeVisibleButtons, p.miniModeVisibleButtons);
  Write(store, kShowPlayInfo, p.showPlayInfo);
  Write(store, kPlayInfoTransparency, p.playInfoTransparency);
  Write(store, kPlayInfoFadeEffect, p.playInfoFadeEffect);
  Write(store, kShowExpandedPlayer, p.showExpandedPlayer);
  Write(store, kExpandedPlayerTransparency, p.expandedPlayerTransparency);
  Write(store, kExpandedPlayerFadeEffect, p.expandedPlayerFadeEffect);
  Write(store, kExpandedPlayerAllowMoving, p.expandedPlayerAllowMoving);
  Write(store, kFolderNesting, p.folderNesting);
  Write(store, kMinPosition, p.minPosition);
  SaveGraphRules(store, kGraphRulesSection, p.graphRules, profile);
  SaveCommonFilters(store, p.commonFilters);
  Write(store, kDigitalPlayback, p.digitalPlayback);
  Write(store, kForceAspi, p.forceAspi);
  Write(store, kErrorCorrection, p.errorCorrection);
  Write(store, kUseCddb, p.useCddb);
  Write(store, kRenderType, p.renderType);
  Write(store, kExtendedFullScreen, p.extendedFullScreen);
  Write(store, kAutoShow, p.autoShow);
  Write(store, kPauseOnHide, p.pauseOnHide);
  Write(store, kEqualizerType, p.equalizerType);
  Write(store, kEqualizerRange, p.equalizerRange);
  Write(store, kVisualizationType, p.visualizationType);
  Write(store, kAnalyzerStyle, p.analyzerStyle);
  Write(store, kPeaks, p.peaks);
  Write(store, kBandStyle, p.bandStyle);
  Write(store, kFalloffSpeed, p.falloffSpeed);
  Write(store, kPeaksSpeed, p.peaksSpeed);
  Write(store, kCheckUpdatesPeriod, p.checkUpdatesPeriod);
  Write(store, kCheckTypesOnStartPreference, p.checkTypesOnStart);
  Write(store, kAlwaysRegisterTypes, p.alwaysRegisterTypes);
  Write(store, kRegisterAllFreeTypes, p.registerAllFreeTypes);
  Write(store, kSkinPathPreference, p.skinPath);
  Write(store, kCurrentSkinPreference, p.currentSkin);
  Write(store, kHandlePlaybackKeys, p.handlePlaybackKeys);
  Write(store, kHandleVolumeKeys, p.handleVolumeKeys);
  for (const THotKey& key : p.hotKeys) WritePreference(store, std::to_string(key.id), HotKeyValue(key), kHotKeysSubsection);
}

std::string ReadCurrentSkin(const TXRegIniFile& store) { return Read(store, kCurrentSkinPreference); }

}  // namespace nv
