#include "playlist/NowPlayingFile.h"

#include "playlist/XPlayList.h"

namespace nv {

namespace {

// What of the saved bytes can be trusted: text up to the first zero byte, up to the end of the last whole line.
// The writer ends every line, the last one included, and never writes an empty file.
bool TrimDamage(std::string& bytes) {
  bool damaged = bytes.empty();
  if (const std::size_t zero = bytes.find('\0'); zero != std::string::npos) {
    bytes.resize(zero);
    damaged = true;
  }
  if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') {
    const std::size_t end = bytes.find_last_of("\r\n");
    bytes.resize(end == std::string::npos ? 0 : end + 1);
    damaged = true;
  }
  return damaged;
}

}  // namespace

TNowPlayingState TNowPlayingFile::Restore(TXPlayList& list) {
  damaged_ = false;
  if (files_.KindOf(path_) != PathKind::File) return TNowPlayingState::nsNoFile;
  std::string bytes;
  try {
    bytes = formats_.Store().Read(path_);
  } catch (const Exception&) {
    damaged_ = true;
  }
  damaged_ = TrimDamage(bytes) || damaged_;
  TXPlayListFormat format = PlayListFormatOf(path_);
  if (format == TXPlayListFormat::pfAuto) format = TXPlayListFormat::pfM3U;
  {
    TXPlayList::Bracket bracket(list);
    list.Clear();
    try {
      if (!formats_.ReadBytes(list, path_, bytes, format, true)) damaged_ = true;
    } catch (const Exception&) {
      damaged_ = true;  // what was read before the fault stays
    }
  }
  list.StartCurrent(false);
  return damaged_ ? TNowPlayingState::nsDamaged : TNowPlayingState::nsRestored;
}

bool TNowPlayingFile::Save(TXPlayList& list) {
  if (damaged_ && list.Count() == 0) return false;
  try {
    // The file was read only in part: it is kept beside the new one before it is replaced, or not replaced at all.
    if (damaged_) formats_.Store().Write(BackupPath(), formats_.Store().Read(path_));
    formats_.Write(list, path_, TXPlayListFormat::pfAuto, true);
  } catch (const Exception&) {
    return false;
  }
  damaged_ = false;
  return true;
}

std::string TNowPlayingFile::BackupPath() const { return path_ + kNowPlayingBackupExtension; }

}  // namespace nv
