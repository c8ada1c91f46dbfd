#include "playlist/PlayListFiles.h"

#include <atomic>

#include "metadata/MediaPaths.h"
#include "playlist/XPlayList.h"
#include "support/MarkedText.h"
#include "support/TextCompare.h"

namespace nv {

namespace {
std::atomic<TPlayListFileFormats*> gFormats{nullptr};
}  // namespace

void SetPlayListFileFormats(TPlayListFileFormats* formats) { gFormats.store(formats); }
TPlayListFileFormats* PlayListFileFormats() { return gFormats.load(); }

TXPlayListFormat PlayListFormatOf(std::string_view path) {
  const std::u16string wide = MarkedToUtf16(path);
  const std::u16string_view extension = ExtensionOf(wide);
  if (LocaleCompare(extension, u".pls") == 0) return TXPlayListFormat::pfPLS;
  if (LocaleCompare(extension, u".m3u") == 0) return TXPlayListFormat::pfM3U;
  if (LocaleCompare(extension, u".m3u8") == 0) return TXPlayListFormat::pfM3U8;
  if (LocaleCompare(extension, u".cue") == 0) return TXPlayListFormat::pfCUE;
  return TXPlayListFormat::pfAuto;
}

bool IsPlaylistFile(std::string_view path) { return PlayListFormatOf(path) != TXPlayListFormat::pfAuto; }

TPlayListFileResult SavePlaylistFile(std::string_view fileName, const std::vector<const TXPlayListItem*>& items,
                                     bool allowDuplicates, bool replace, bool& created,
                                     const TPlayListEnvironment& environment) {
  if (!PlayListFileFormats()) return TPlayListFileResult::pfrNoFormats;
  TXPlayList list(environment);
  if (allowDuplicates) list.SetOptions(ploAllowDuplicates);
  created = replace || environment.Files.KindOf(fileName) != PathKind::File;
  if (!created) list.LoadFromFile(fileName, false, false, false, TXPlayListFormat::pfAuto);
  for (const TXPlayListItem* item : items) list.AddItem(*item, false, false);
  return list.SaveToFile(fileName, false, TXPlayListFormat::pfAuto);
}

}  // namespace nv
