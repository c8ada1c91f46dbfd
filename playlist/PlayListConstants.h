#pragma once
// The playlist's options, modes, formats and fixed texts.
#include <cstdint>

namespace nv {

// Options of a list (a set of flags); a new list has ploAddAlternatives only.
enum TXPlayListOption : std::uint8_t {
  ploRepeat = 1,
  ploShuffle = 2,
  ploAllowDuplicates = 4,
  ploAddAlternatives = 8,
};
using TXPlayListOptions = std::uint8_t;
inline constexpr TXPlayListOptions kDefaultPlayListOptions = ploAddAlternatives;

// How entry titles are composed when a list is saved (a set of flags).
enum TXPlayListTitleFormat : std::uint8_t { ptfArtist = 1, ptfAlbum = 2 };

// How an item is made current: plainly, by user navigation (which may fade), or prepared as the next item while
// the current one keeps playing.
enum class TSetCurrentMode : std::uint8_t { smNormal = 0, smSmooth = 1, smPrepare = 2 };

// The player's state, as the player reports it.
enum class TXPlayerState : std::uint8_t { psStopped = 0, psPlaying = 1, psPaused = 2 };

// Playlist file formats; pfAuto decides by the file's extension.
enum class TXPlayListFormat : std::uint8_t { pfAuto = 0, pfM3U = 1, pfPLS = 2, pfM3U8 = 3, pfCUE = 4 };

// The end of a sub-range that reaches to the end of its file, when one is looked for.
inline constexpr std::int32_t kOpenRangeEnd = 2147483647;

inline constexpr const char* kListIndexErrorMessage = "List index out of bounds (%d)";

}  // namespace nv
