#pragma once
// The texts the player controls show about an item: the information label's (name, bit rate, sample rate,
// duration), a playlist row's name, and the multi-line description the media browser's hints use. Texts are held
// text (marked when the code page cannot hold them).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/GraphTypes.h"

namespace nv {

class TXPlayListItem;

enum class TXPlayerLabelStyle : std::uint8_t { lsName, lsBitrate, lsSampleRate, lsDuration };
// The parts of the name a label shows (a set of flags).
enum TXPlayerLabelNameOption : std::uint8_t {
  noShowNo = 1,
  noShowTitle = 2,
  noShowArtist = 4,
  noShowAlbum = 8,
  noShowDuration = 16,
};
using TXPlayerLabelNameOptions = std::uint8_t;

// What an information label shows for the current item (none: empty): the name as the options compose it
// ("3. Artist - Album - Title (04:05)", empty parts leaving out their separators); the stream's bit rate when the
// player knows it, else the item's; the stream's sample rate in kHz; the player's duration.
struct PlayerLabelFacts {
  const TXPlayListItem* item = nullptr;
  TXAudioInfo stream;          // of the playing graph
  std::int32_t durationMs = 0;  // the player's
};
std::string PlayerLabelText(TXPlayerLabelStyle style, TXPlayerLabelNameOptions options, const PlayerLabelFacts& facts);

// A playlist row's name: the title, with the album and then the artist in front when asked for, " - " between the
// parts that are not empty.
std::u16string RowNameText(const TXPlayListItem& item, bool showArtist, bool showAlbum);

// The item's description, one "Label: value" line per known value (CR LF between them): "Title", "Artist",
// "Album", "Duration", "Type" ("Broadcast" for a stream, else what `fileType` says of the path), "Bitrate", "URL"
// or "File name", and "Size" when known.
std::string ItemInfoText(const TXPlayListItem& item, const std::function<std::string(std::string_view path)>& fileType);

}  // namespace nv
