#pragma once
// What the M3U and PLS writers write of an item: its entry, its title and its length.
#include <optional>
#include <string>

#include "playlist/PlayListPaths.h"

namespace nv {

class TXPlayListItem;

// The item's path made relative to the playlist file (PlayListPaths.h), or whole when its relative name starts with
// a blank, followed for a sub-range item by "<", the start, "," and the end when it has one, and ">" (milliseconds).
std::u16string WrittenEntry(const TXPlayListItem& item, const TPlayListFolder& playList);

// The item's "Title"; when it is not empty, the album (ptfAlbum) and then the artist (ptfArtist) in front of it,
// each followed by " - " and only when the item has one. Characters below the space become spaces.
std::u16string WrittenTitle(const TXPlayListItem& item, std::uint8_t titleFormat);

// The "Duration" in whole seconds ("0" without one); nothing when the duration is not a number.
std::optional<std::u16string> WrittenLength(const TXPlayListItem& item);

}  // namespace nv
