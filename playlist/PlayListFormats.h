#pragma once
// The playlist file formats a list reads and writes (PlayListFiles.h): M3U and M3U8 (M3UFormat.h), PLS
// (PlsFormat.h) and CUE sheets (CueSheetFormat.h, read only), over a file system (is there such a file?) and a file
// store (the bytes). SystemPlayListFormats() works on the system's files; install it with SetPlayListFileFormats.
#include <string>
#include <string_view>

#include "playlist/PlayListFileStore.h"
#include "playlist/PlayListFiles.h"
#include "support/Errors.h"
#include "support/FileSystem.h"

namespace nv {

// A PLS file could not be written: "Unable to write to %s" with the file name.
class EIniFileError : public Exception {
public:
  using Exception::Exception;
};

class TPlayListFormats final : public TPlayListFileFormats {
public:
  explicit TPlayListFormats(FileSystem& files = SystemFileSystem(),
                            TPlayListFileStore& store = SystemPlayListFileStore())
      : files_(files), store_(store) {}

  void Read(TXPlayList& list, std::string_view fileName, TXPlayListFormat format, bool restoreCurrent) override;
  // pfPLS (or pfAuto and ".pls") writes PLS; pfM3U8 (or pfAuto and ".m3u8") M3U in UTF-8; pfCUE (or pfAuto and
  // ".cue") nothing; anything else M3U in the system code page. A name without extension gets the format's.
  // Raises what the file store raises; for PLS EIniFileError.
  void Write(TXPlayList& list, std::string_view fileName, TXPlayListFormat format, bool saveCurrent) override;

  // Reads bytes already at hand as the content of `fileName`. False when a line or an entry that could not be read
  // was passed over.
  bool ReadBytes(TXPlayList& list, std::string_view fileName, std::string_view bytes, TXPlayListFormat format,
                 bool restoreCurrent);

  TPlayListFileStore& Store() { return store_; }

private:
  FileSystem& files_;
  TPlayListFileStore& store_;
};

// The formats over the system's files, made on first use.
TPlayListFormats& SystemPlayListFormats();

}  // namespace nv
