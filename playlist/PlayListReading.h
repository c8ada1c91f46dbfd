#pragma once
// Reading a playlist file into a list: what every format's reader is given. It knows the file being read (entries
// are resolved against its folder) and adds entries to the list; an entry that names another playlist file is read
// in its place. Playlists that name each other are followed once each, and no deeper than kMaxPlayListNesting,
// so a playlist that names itself, or two that name each other, load once and stop.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "playlist/PlayListConstants.h"
#include "playlist/PlayListFileConstants.h"
#include "playlist/PlayListPaths.h"
#include "support/FileSystem.h"

namespace nv {

class TXPlayList;
class TXPlayListItem;
class TPlayListFileStore;

class TPlayListReader {
public:
  TPlayListReader(TXPlayList& list, FileSystem& files, TPlayListFileStore& store)
      : list_(list), files_(files), store_(store) {}
  TPlayListReader(const TPlayListReader&) = delete;
  TPlayListReader& operator=(const TPlayListReader&) = delete;

  // Reads the file, in `format` (never pfAuto); the current entry it stores is made current when `restoreCurrent`.
  void ReadFile(std::string_view fileName, TXPlayListFormat format, bool restoreCurrent);
  // The same for the file's bytes already at hand.
  void ReadBytes(std::string_view fileName, std::string_view bytes, TXPlayListFormat format, bool restoreCurrent);

  // For the formats.
  TXPlayList& List() { return list_; }
  // An entry as written in the file being read, made a path or URL (PlayListPaths.h).
  std::u16string Resolve(std::u16string_view entry) const;
  // Where the file being read lies.
  const TPlayListFolder& Folder() const { return reading_.back(); }
  // Adds a resolved entry with the list's AddEntry; an existing playlist file is read in its place instead (and
  // gives no item) unless the list keeps such references. Returns the new item, or null.
  TXPlayListItem* AddEntry(std::u16string_view path, std::u16string_view title = {},
                           std::optional<std::int32_t> duration = std::nullopt);
  bool FileExists(std::u16string_view path);
  // A line or entry that could not be read was passed over: the file was read only in part.
  void LineSkipped() { ++skippedLines_; }
  int SkippedLines() const { return skippedLines_; }

private:
  bool Enter(std::u16string_view fileName);
  void ReadNested(std::u16string_view path, TXPlayListFormat format);

  TXPlayList& list_;
  FileSystem& files_;
  TPlayListFileStore& store_;
  std::vector<TPlayListFolder> reading_;  // the folders of the files being read, the innermost last
  std::vector<std::u16string> visited_;   // every file read so far, normalised
  int skippedLines_ = 0;
};

}  // namespace nv
