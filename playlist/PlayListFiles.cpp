#include "playlist/PlayListFiles.h"

#include <atomic>

#include "metadata/MediaPaths.h"
#include "playlist/PlayListFileConstants.h"
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

std::string WrittenPlayListName(std::string_view fileName, TXPlayListFormat format) {
  if (!ExtensionOf(MarkedToUtf16(fileName)).empty()) return std::string(fileName);
  const char* extension = format == TXPlayListFormat::pfPLS    ? kPlsExtension
                          : format == TXPlayListFormat::pfM3U8 ? kM3U8Extension
                                                               : kM3UExtension;
  return std::string(fileName) + extension;
}

TPlayListSave SavePlaylistFile(std::string_view fileName, const std::vector<const TXPlayListItem*>& items,
                               bool allowDuplicates, bool replace, const TPlayListEnvironment& environment) {
  TPlayListSave save{TPlayListFileResult::pfrNoFormats, WrittenPlayListName(fileName, TXPlayListFormat::pfAuto),
                     false};
  if (!PlayListFileFormats()) return save;
  TXPlayList list(environment);
  list.ReadsNestedPlayLists = false;  // a playlist named in the file stays a line of it
  if (allowDuplicates) list.SetOptions(ploAllowDuplicates);
  save.Created = replace || environment.Files.KindOf(save.FileName) != PathKind::File;
  if (!save.Created) {
    // A file that cannot be read as a playlist is not appended to: writing would replace what it holds.
    save.Result = list.LoadFromFile(save.FileName, false, false, false, TXPlayListFormat::pfAuto);
    if (save.Result != TPlayListFileResult::pfrDone) return save;
  }
  for (const TXPlayListItem* item : items) list.AddItem(*item, false, false);
  save.Result = list.SaveToFile(save.FileName, false, TXPlayListFormat::pfAuto);
  return save;
}

}  // namespace nv
