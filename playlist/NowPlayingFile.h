#pragma once
// The "Now playing" list kept between runs: "Norvale.m3u" in the data folder, an M3U file in the system code page
// with the current entry. The player restores it at start and saves it at exit, both without a word to the user
// when they fail.
//
// Saving goes through a temporary file renamed over the old one, so a player killed while it saves leaves the old
// list whole. A file found damaged at start - empty, cut short in its last line, ending in zero bytes (space the
// system gave the file before its data arrived), or with lines that do not decode - gives the entries that could be
// read (a bad line is passed over, the lines after it are read) and is reported. It is not then replaced by an
// empty list at exit, which would take the damaged file's entries beyond anyone's reach without giving anything
// back; before it is replaced by a list, it is kept whole as "Norvale.m3u.bak".
#include <cstdint>
#include <string>

#include "playlist/PlayListFormats.h"

namespace nv {

inline constexpr char kNowPlayingBackupExtension[] = ".bak";

class TXPlayList;

enum class TNowPlayingState : std::uint8_t {
  nsNoFile,    // nothing was saved yet: the list is left as it is
  nsRestored,  // the list holds the saved entries, its current entry made current
  nsDamaged,   // the list holds what could be read of a damaged file
};

class TNowPlayingFile {
public:
  explicit TNowPlayingFile(std::string path, TPlayListFormats& formats = SystemPlayListFormats(),
                           FileSystem& files = SystemFileSystem())
      : path_(std::move(path)), formats_(formats), files_(files) {}

  const std::string& Path() const { return path_; }

  // Replaces the list's entries with the saved ones (the list's FileName stays empty) and makes the saved current
  // entry current without playing.
  TNowPlayingState Restore(TXPlayList& list);
  // Saves the list and its current entry; false when nothing was written: the file could not be written (the old
  // one stays), or the list is empty and the file was found damaged, or the damaged file could not be kept.
  bool Save(TXPlayList& list);
  // Where a damaged file is kept before it is replaced: the file's name and ".bak".
  std::string BackupPath() const;

private:
  std::string path_;
  TPlayListFormats& formats_;
  FileSystem& files_;
  bool damaged_ = false;  // the file on disk is damaged and the list holds less than it did
};

}  // namespace nv
