#pragma once
// The player's state kept between runs, apart from the options record: volume, play modes, transitions, the
// equaliser, the strip's and the expanded player's own settings, the last update check. Each value is described
// once here, with its key, default and range; the windows that own the state read and write it.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "app/PreferenceAccess.h"
#include "support/RegIniFile.h"

namespace nv {

// Section "Preferences".
inline constexpr IntPreference kVolumeState{{}, "Volume", 100, 0, 100};
inline constexpr IntPreference kPanState{{}, "Pan", 0, -100, 100};  // the player's balance
inline constexpr SwitchPreference kShuffleState{{}, "Shuffle"};
inline constexpr SwitchPreference kRepeatState{{}, "Repeat"};
inline constexpr BoolPreference kCrossfadingState{{}, "Crossfading", true};
inline constexpr IntPreference kCrossfadeDurationState{{}, "Crossfade duration", 5000};  // ms
inline constexpr IntPreference kCrossfadeAdvanceState{{}, "Crossfade advance", 0};       // ms
inline constexpr BoolPreference kUnbrokenPlayState{{}, "Unbroken play", true};
inline constexpr IntPreference kCompleteAdvanceState{{}, "Complete advance", 300};  // ms
inline constexpr BoolPreference kSmoothNavigationState{{}, "Smooth navigation", true};
inline constexpr IntPreference kSmoothDurationState{{}, "Smooth duration", 1500};  // ms
inline constexpr StringPreference kLastDirectoryState{{}, "Last directory", ""};
// Its default is the My media playlist folder, which the caller knows.
inline constexpr StringPreference kLastPlaylistDirectoryState{{}, "Last playlist directory", ""};
inline constexpr IntPreference kPlayTimeStyleState{{}, "PlayTime style", 0, 0, 1};  // 0 elapsed, 1 remaining
inline constexpr SwitchPreference kMinimizedState{{}, "Minilized"};                  // the strip's mini mode

// Section "Preferences\Equalizer".
inline constexpr BoolPreference kEqualizerActiveState{"Equalizer", "Active", false};
inline constexpr int kEqualizerBandCount = 10;
// Band gains 1..10; 0 when missing or not a number.
double ReadEqualizerBand(const TXRegIniFile& store, int band);
void WriteEqualizerBand(TXRegIniFile& store, int band, double gain);

// Section "Preferences\Playlist": the expanded player's playlist.
inline constexpr BoolPreference kAllowDuplicatesState{"Playlist", "Allow duplicates", false};
inline constexpr BoolPreference kShowNumberState{"Playlist", "Show No", true};
inline constexpr BoolPreference kShowArtistState{"Playlist", "Show Artist", true};
inline constexpr BoolPreference kShowAlbumState{"Playlist", "Show Album", false};

// What the strip's label shows of the playing file: bits of the set "Active file title options".
enum TXPlayerLabelNameOption : unsigned { noShowNo, noShowTitle, noShowArtist, noShowAlbum, noShowDuration };
inline constexpr std::uint8_t kDefaultFileTitleOptions =
    (1 << noShowTitle) | (1 << noShowArtist) | (1 << noShowAlbum) | (1 << noShowDuration);
// Missing: the default. Stored but not a valid set text: `current` stays.
std::uint8_t ReadActiveFileTitleOptions(const TXRegIniFile& store, std::uint8_t current);
void WriteActiveFileTitleOptions(TXRegIniFile& store, std::uint8_t options);

// The expanded player's place: the default value of the section "Expanded player", "left,top,width,height" or a
// height alone; centred when missing or not readable.
struct ExpandedPlayerPlacement {
  std::optional<std::int32_t> left, top, width;  // all three, or none
  std::optional<std::int32_t> height;
  bool operator==(const ExpandedPlayerPlacement&) const = default;
  bool Centred() const { return !height; }
};
ExpandedPlayerPlacement ReadExpandedPlayerPlacement(const TXRegIniFile& store);
void WriteExpandedPlayerPlacement(TXRegIniFile& store, const ExpandedPlayerPlacement& placement);

// The day of the last update check, in the application key; kNoDate means never.
std::chrono::sys_days ReadLastUpdateCheck(const TXRegIniFile& store);
void WriteLastUpdateCheck(TXRegIniFile& store, std::chrono::sys_days day);

}  // namespace nv
