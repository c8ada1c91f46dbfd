// The options record: every key with its section, how stored values outside a field's range load, and the
// defaults that depend on the Windows version.
#include <gtest/gtest.h>

#include "app/NativeMediaKeys.h"
#include "app/PlayerPreferences.h"
#include "support/MemoryKeyValueStore.h"

namespace nv {
namespace {

TXRegIniFile MemoryStore() { return TXRegIniFile(std::make_unique<MemoryKeyValueStore>(), "Software\\Norvale"); }

TEST(PlayerPreferences, DefaultsFollowTheWindowsVersion) {
  struct Case {
    WindowsVersion version;
    std::uint8_t trayPosition, renderType;
  };
  const Case cases[] = {{{5, 1}, 2, 0}, {{6, 0}, 2, 3}, {{6, 1}, 0, 3}, {{10, 0}, 0, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.version.major << "." << c.version.minor);
    const TXRegIniFile empty = MemoryStore();
    const TPlayerPreferences loaded = LoadPreferences(empty, c.version, IniDocument(), false);
    EXPECT_EQ(loaded.trayPosition, c.trayPosition);
    EXPECT_EQ(loaded.renderType, c.renderType);
    EXPECT_EQ(loaded, DefaultPreferences(c.version)) << "an empty store loads the defaults";
  }
}

TEST(PlayerPreferences, EveryFieldIsSavedUnderItsKeyAndLoadsBack) {
  TPlayerPreferences p;
  p.trayPosition = 1;
  p.minimizeButtonVisible = false;
  p.minimizeToTray = true;
  p.playTimeVisible = true;
  p.miniModePlayTimeVisible = true;
  p.visibleButtons = 3;
  p.miniModeVisibleButtons = 5;
  p.showPlayInfo = 1234;
  p.playInfoTransparency = 55;
  p.playInfoFadeEffect = false;
  p.showExpandedPlayer = 4321;
  p.expandedPlayerTransparency = 66;
  p.expandedPlayerFadeEffect = true;
  p.expandedPlayerAllowMoving = true;
  p.folderNesting = -1;
  p.minPosition = 250;
  TXFileGraphInfo rule;
  rule.Extensions = ".mp3";
  rule.Normal.AudioRender = "{79376820-07D0-11CF-A24D-0020AFD79767}"_guid;
  p.graphRules = {rule};
  p.commonFilters.VideoRender = "{70E102B0-5556-11CE-97C0-00AA0055595A}"_guid;
  p.digitalPlayback = false;
  p.forceAspi = true;
  p.errorCorrection = true;
  p.useCddb = false;
  p.renderType = 2;
  p.extendedFullScreen = false;
  p.autoShow = false;
  p.pauseOnHide = true;
  p.equalizerType = 200;
  p.equalizerRange = 30;
  p.visualizationType = 2;
  p.analyzerStyle = 2;
  p.peaks = false;
  p.bandStyle = 1;
  p.falloffSpeed = 4;
  p.peaksSpeed = 3;
  p.checkUpdatesPeriod = 30;
  p.checkTypesOnStart = true;
  p.alwaysRegisterTypes = true;
  p.registerAllFreeTypes = true;
  p.skinPath = "D:\\Skins";
  p.currentSkin = "\x01" "D:\\\xD0\x96.nvs";
  p.handlePlaybackKeys = false;
  p.handleVolumeKeys = true;
  p.hotKeys[0] = {1, kHotKeyCtrl | kHotKeyAlt, 0x50};

  TXRegIniFile store = MemoryStore();
  SavePreferences(store, p, IniDocument());

  struct Key {
    const char* section;
    const char* ident;
    const char* stored;
  };
  const Key keys[] = {
      {"Preferences", "Tray position", "1"},
      {"Preferences", "Minimize button visible", "0"},
      {"Preferences", "Minimize to tray", "1"},
      {"Preferences", "PlayTime visible", "1"},
      {"Preferences", "Mini-mode PlayTime visible", "1"},
      {"Preferences", "Visible buttons", "3"},
      {"Preferences", "Mini-mode visible buttons", "5"},
      {"Preferences", "Show play info", "1234"},
      {"Preferences", "Play info transparency", "55"},
      {"Preferences", "Play info fade effect", "0"},
      {"Preferences", "Show expanded player", "4321"},
      {"Preferences", "Expanded player transparency", "66"},
      {"Preferences", "Expanded player fade effect", "1"},
      {"Preferences", "Expanded player allow moving", "1"},
      {"Preferences", "Folder nesting", "-1"},
      {"Preferences", "Min position", "250"},
      {"Preferences\\Graph building info\\10001", "Extensions", ".mp3"},
      {"Preferences\\Graph common filters", "Video render", "{70E102B0-5556-11CE-97C0-00AA0055595A}"},
      {"Preferences\\CDAudio", "Digital playback", "0"},
      {"Preferences\\CDAudio", "Force ASPI", "1"},
      {"Preferences\\CDAudio", "Error correction", "1"},
      {"Preferences\\CDAudio", "Use CDDB", "0"},
      {"Preferences\\Video", "Render type", "2"},
      {"Preferences\\Video", "Extended full screen", "0"},
      {"Preferences\\Video", "Auto show", "0"},
      {"Preferences\\Video", "Pause on hide", "1"},
      {"Preferences\\Eq", "Type", "200"},
      {"Preferences\\Eq", "Range", "30"},
      {"Preferences", "Visualization type", "2"},
      {"Preferences\\Spectrum analyzer", "Style", "2"},
      {"Preferences\\Spectrum analyzer", "Peaks", "0"},
      {"Preferences\\Spectrum analyzer", "BandStyle", "1"},
      {"Preferences\\Spectrum analyzer", "FalloffSpeed", "4"},
      {"Preferences\\Spectrum analyzer", "PeaksSpeed", "3"},
      {"Preferences", "Check updates period", "30"},
      {"Preferences", "Check types on start", "1"},
      {"Preferences", "Always register types", "1"},
      {"Preferences", "Register all free types", "1"},
      {"Preferences", "Skin path", "D:\\Skins"},
      {"Preferences", "Current skin", "\x01" "D:\\\xD0\x96.nvs"},
      {"Preferences", "Handle playback keys", "0"},
      {"Preferences", "Handle volume keys", "1"},
      {"Preferences\\Hot keys", "1", "5242883"},   // 0x50 << 16 | Ctrl | Alt
      {"Preferences\\Hot keys", "10", "2424840"},  // Left (0x25) << 16 | Win
  };
  for (const Key& k : keys) {
    SCOPED_TRACE(k.ident);
    EXPECT_EQ(store.ReadString(k.section, k.ident, "(missing)"), k.stored);
  }
  EXPECT_EQ(store.ReadSection("Preferences\\Hot keys").size(), kHotKeyCount);
  EXPECT_EQ(LoadPreferences(store, kWindows7, IniDocument(), false), p);
}

// The loaded value of one field, as a number.
#define FIELD(name) [](const TPlayerPreferences& p) -> std::int64_t { return p.name; }

TEST(PlayerPreferences, StoredValuesOutsideTheirRangeLoadClamped) {
  struct Case {
    const char* section;
    const char* ident;
    const char* stored;
    std::int64_t (*field)(const TPlayerPreferences&);
    std::int64_t expected;
  };
  const Case cases[] = {
      {"Preferences", "Show expanded player", "500", FIELD(showExpandedPlayer), 1000},
      {"Preferences", "Play info transparency", "0", FIELD(playInfoTransparency), 1},
      {"Preferences", "Tray position", "7", FIELD(trayPosition), 2},
      {"Preferences", "Visible buttons", "255", FIELD(visibleButtons), 255},
      {"Preferences", "Minimize to tray", "5", FIELD(minimizeToTray), 1},
      {"Preferences", "Minimize button visible", "-3", FIELD(minimizeButtonVisible), 0},
      {"Preferences", "Show play info", "20000", FIELD(showPlayInfo), 10000},
      {"Preferences", "Folder nesting", "-5", FIELD(folderNesting), -1},
      {"Preferences", "Folder nesting", "99999", FIELD(folderNesting), 32767},
      {"Preferences", "Check updates period", "31", FIELD(checkUpdatesPeriod), 30},
      {"Preferences\\Eq", "Range", "10", FIELD(equalizerRange), 20},
      {"Preferences\\Eq", "Type", "256", FIELD(equalizerType), 255},
      {"Preferences\\Video", "Render type", "-1", FIELD(renderType), 0},
      {"Preferences\\Spectrum analyzer", "FalloffSpeed", "9", FIELD(falloffSpeed), 4},
      {"Preferences", "Show play info", "soon", FIELD(showPlayInfo), 5000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.ident << " = " << c.stored);
    TXRegIniFile store = MemoryStore();
    store.WriteString(c.section, c.ident, c.stored);
    EXPECT_EQ(c.field(LoadPreferences(store, kWindows7, IniDocument(), false)), c.expected);
  }
}

TEST(PlayerPreferences, AHotKeyHoldsTheKeyInTheHighWordAndTheModifiersInTheLowWord) {
  TXRegIniFile store = MemoryStore();
  store.WriteString("Preferences\\Hot keys", "8", "4325380");  // 0x42 << 16 | Shift
  const TPlayerPreferences p = LoadPreferences(store, kWindows7, IniDocument(), false);
  EXPECT_EQ(p.hotKeys[7], (THotKey{8, kHotKeyShift, 0x42}));
  EXPECT_EQ(p.hotKeys[0], (THotKey{1, kHotKeyWin, 0x20})) << "the others keep their defaults";
}

TEST(PlayerPreferences, TheCurrentSkinReadsAlone) {
  TXRegIniFile store = MemoryStore();
  EXPECT_EQ(ReadCurrentSkin(store), "");
  store.WriteString("Preferences", "Current skin", "C:\\Skins\\Blue.nvs");
  EXPECT_EQ(ReadCurrentSkin(store), "C:\\Skins\\Blue.nvs");
}

TEST(NativeMediaKeys, FollowThePlaybackKeysPreference) {
  TXRegIniFile store = MemoryStore();
  UpdateNativeMediaKeysRegistration(store, true, "C:\\Program Files\\Norvale\\Norvale.exe");
  EXPECT_EQ(store.ReadString(kNativeMediaPlayerSection, "ExePath", ""), "C:\\Program Files\\Norvale\\Norvale.exe");
  EXPECT_EQ(store.ReadString(kNativeMediaPlayerSection, "AppName", ""), "Brindle Norvale");
  UpdateNativeMediaKeysRegistration(store, false, "");
  EXPECT_FALSE(store.SectionExists(kNativeMediaPlayerSection));
}

}  // namespace
}  // namespace nv
