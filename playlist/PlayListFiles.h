#pragma once
// Playlist files (M3U, M3U8, PLS, CUE) as the list sees them. The readers and writers stand behind
// `TPlayListFileFormats` so that the model does not depend on them; start-up installs `SystemPlayListFormats()`,
// and a list with none installed says so rather than reading nothing.
#include <string>
#include <string_view>
#include <vector>

#include "playlist/PlayListConstants.h"
#include "playlist/PlayListEnvironment.h"

namespace nv {

class TXPlayList;
class TXPlayListItem;

class TPlayListFileFormats {
public:
  virtual ~TPlayListFileFormats() = default;
  // Adds the entries of the file to `list` through AddEntry, in `format` (never pfAuto), and makes the stored
  // current entry current when `restoreCurrent`. Read errors raise.
  virtual void Read(TXPlayList& list, std::string_view fileName, TXPlayListFormat format, bool restoreCurrent) = 0;
  // Writes the list's entries in index order; `format` pfAuto goes by the file's extension.
  virtual void Write(TXPlayList& list, std::string_view fileName, TXPlayListFormat format, bool saveCurrent) = 0;
};

// The formats in use (none until installed); pass nullptr to remove them.
void SetPlayListFileFormats(TPlayListFileFormats* formats);
TPlayListFileFormats* PlayListFileFormats();

enum class TPlayListFileResult : std::uint8_t {
  pfrDone,
  pfrNoFile,         // the file to load does not exist
  pfrUnknownFormat,  // pfAuto and an extension that names no playlist format
  pfrNoFormats,      // no reader or writer is installed
};

// The extension, without regard to case, is ".pls", ".m3u", ".m3u8" or ".cue".
bool IsPlaylistFile(std::string_view path);
// The format the extension names; pfAuto when it names none.
TXPlayListFormat PlayListFormatOf(std::string_view path);

// The name a playlist file is written under: `fileName`, with the format's extension when it has none (pfAuto:
// ".m3u").
std::string WrittenPlayListName(std::string_view fileName, TXPlayListFormat format);

struct TPlayListSave {
  TPlayListFileResult Result;
  std::string FileName;  // the file written (or that would have been): WrittenPlayListName
  bool Created;          // new or replaced, rather than appended to
};

// Writes `items` into a playlist file through a temporary list: appended to what the file holds unless `replace`
// or the file does not exist, with duplicates when `allowDuplicates`. A playlist file the file names stays as it is
// written. An existing file that cannot be read as a playlist (pfrUnknownFormat) is not written.
TPlayListSave SavePlaylistFile(std::string_view fileName, const std::vector<const TXPlayListItem*>& items,
                               bool allowDuplicates, bool replace,
                               const TPlayListEnvironment& environment = TPlayListEnvironment::System());

}  // namespace nv
