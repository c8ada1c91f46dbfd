#include "playlist/PlayListFormats.h"

#include "playlist/M3UFormat.h"
#include "playlist/PlayListFileConstants.h"
#include "playlist/PlayListReading.h"
#include "playlist/PlsFormat.h"
#include "support/FileContent.h"
#include "support/MarkedText.h"
#include "support/PathNames.h"

namespace nv {

namespace {

enum class WrittenAs { M3U, M3U8, PLS, Nothing };

WrittenAs WrittenFormat(std::string_view fileName, TXPlayListFormat format) {
  if (format == TXPlayListFormat::pfAuto) format = PlayListFormatOf(fileName);
  switch (format) {
    case TXPlayListFormat::pfPLS: return WrittenAs::PLS;
    case TXPlayListFormat::pfM3U8: return WrittenAs::M3U8;
    case TXPlayListFormat::pfCUE: return WrittenAs::Nothing;
    default: return WrittenAs::M3U;
  }
}

class SystemStore final : public TPlayListFileStore {
public:
  std::string Read(std::string_view path) override { return platform::ReadFileBytes(path); }
  void Write(std::string_view path, std::string_view bytes) override { platform::WriteFileReplacing(path, bytes); }
};

}  // namespace

TPlayListFileStore& SystemPlayListFileStore() {
  static SystemStore store;
  return store;
}

TPlayListFormats& SystemPlayListFormats() {
  static TPlayListFormats formats;
  return formats;
}

void TPlayListFormats::Read(TXPlayList& list, std::string_view fileName, TXPlayListFormat format,
                            bool restoreCurrent) {
  TPlayListReader(list, files_, store_).ReadFile(fileName, format, restoreCurrent);
}

bool TPlayListFormats::ReadBytes(TXPlayList& list, std::string_view fileName, std::string_view bytes,
                                 TXPlayListFormat format, bool restoreCurrent) {
  TPlayListReader reader(list, files_, store_);
  reader.ReadBytes(fileName, bytes, format, restoreCurrent);
  return reader.SkippedLines() == 0;
}

void TPlayListFormats::Write(TXPlayList& list, std::string_view fileName, TXPlayListFormat format, bool saveCurrent) {
  const WrittenAs as = WrittenFormat(fileName, format);
  if (as == WrittenAs::Nothing) return;
  const std::string name = WrittenPlayListName(fileName, format);
  const TPlayListFolder playList = PlayListFolderOf(MarkedToUtf16(name));
  if (as != WrittenAs::PLS) {
    store_.Write(name, WriteM3U(list, playList, as == WrittenAs::M3U8, saveCurrent));
    return;
  }
  try {
    // The file's other sections stay.
    const std::string existing = files_.KindOf(name) == PathKind::File ? store_.Read(name) : std::string();
    store_.Write(name, WritePls(list, playList, existing, saveCurrent));
  } catch (const Exception&) {
    throw EIniFileError(FormatText(kPlsWriteErrorMessage, {name}));
  }
}

}  // namespace nv
