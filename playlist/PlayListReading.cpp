#include "playlist/PlayListReading.h"

#include "playlist/CueSheetFormat.h"
#include "playlist/M3UFormat.h"
#include "playlist/PlayListFileStore.h"
#include "playlist/PlsFormat.h"
#include "playlist/XPlayList.h"
#include "support/MarkedText.h"
#include "support/TextCompare.h"

namespace nv {

namespace {

// Leaves the file being read however its reading ends.
class Leaving {
public:
  explicit Leaving(std::vector<TPlayListFolder>& reading) : reading_(reading) {}
  ~Leaving() { reading_.pop_back(); }
  Leaving(const Leaving&) = delete;
  Leaving& operator=(const Leaving&) = delete;

private:
  std::vector<TPlayListFolder>& reading_;
};

void Parse(TPlayListReader& reader, std::string_view bytes, TXPlayListFormat format, bool restoreCurrent) {
  switch (format) {
    case TXPlayListFormat::pfM3U:
    case TXPlayListFormat::pfM3U8: ReadM3U(reader, bytes, format, restoreCurrent); break;
    case TXPlayListFormat::pfPLS: ReadPls(reader, bytes, restoreCurrent); break;
    case TXPlayListFormat::pfCUE: ReadCueSheet(reader, bytes); break;
    case TXPlayListFormat::pfAuto: break;
  }
}

}  // namespace

// A file is read when it lies no deeper than the limit and was not read before; its entries resolve against it.
bool TPlayListReader::Enter(std::u16string_view fileName) {
  if (reading_.size() >= static_cast<std::size_t>(kMaxPlayListNesting)) return false;
  std::u16string normalised = NormalisePath(fileName);
  for (const std::u16string& seen : visited_)
    if (LocaleCompare(seen, normalised) == 0) return false;
  reading_.push_back(PlayListFolderOf(normalised));
  visited_.push_back(std::move(normalised));
  return true;
}

void TPlayListReader::ReadFile(std::string_view fileName, TXPlayListFormat format, bool restoreCurrent) {
  if (!Enter(MarkedToUtf16(fileName))) return;
  const Leaving leaving(reading_);
  const std::string bytes = store_.Read(fileName);
  TXPlayList::Bracket bracket(list_);
  Parse(*this, bytes, format, restoreCurrent);
}

void TPlayListReader::ReadBytes(std::string_view fileName, std::string_view bytes, TXPlayListFormat format,
                                bool restoreCurrent) {
  if (!Enter(MarkedToUtf16(fileName))) return;
  const Leaving leaving(reading_);
  TXPlayList::Bracket bracket(list_);
  Parse(*this, bytes, format, restoreCurrent);
}

void TPlayListReader::ReadNested(std::u16string_view path, TXPlayListFormat format) {
  if (!Enter(path)) return;
  const Leaving leaving(reading_);
  Parse(*this, store_.Read(Utf16ToMarked(NormalisePath(path))), format, false);
}

std::u16string TPlayListReader::Resolve(std::u16string_view entry) const {
  return reading_.empty() ? std::u16string(entry) : ResolveEntryPath(reading_.back(), entry);
}

// Asked of the normalised path, as the system itself would take it, whatever the file system.
bool TPlayListReader::FileExists(std::u16string_view path) {
  return files_.KindOf(Utf16ToMarked(NormalisePath(path))) == PathKind::File;
}

TXPlayListItem* TPlayListReader::AddEntry(std::u16string_view path, std::u16string_view title,
                                          std::optional<std::int32_t> duration) {
  const std::string held = Utf16ToMarked(path);
  if (list_.ReadsNestedPlayLists && !IsUrl(path)) {
    const TXPlayListFormat format = PlayListFormatOf(held);
    if (format != TXPlayListFormat::pfAuto && FileExists(path)) {
      ReadNested(path, format);
      return nullptr;
    }
  }
  return list_.AddEntry(held, Utf16ToMarked(title), false, duration);
}

}  // namespace nv
