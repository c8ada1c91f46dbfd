// Adding to a list: entries, paths, files, folders, text, dropped files, items of other lists, playlist files and
// the playlists inside Windows Media redirector files.
#include "metadata/CDTrackInfo.h"
#include "metadata/MediaPaths.h"
#include "playlist/AudioCDTracks.h"
#include "playlist/EntryText.h"
#include "playlist/XPlayList.h"
#include "support/FolderListing.h"
#include "support/MarkedText.h"

namespace nv {

TXPlayListItem* TXPlayList::AddEntry(std::string_view entry, std::string_view title, bool force,
                                     std::optional<std::int32_t> duration) {
  if (entry.empty()) return nullptr;
  // One notification for the finished item, not one for an item without its range and title.
  Bracket bracket(*this);
  const bool addAnyway = force || (options_ & ploAllowDuplicates);
  TXPlayListItem* item = nullptr;
  TSubRange range;
  switch (ParseEntry(entry, range)) {
    case TEntrySyntax::BadSubRange: return nullptr;
    case TEntrySyntax::SubRange:
      if (!addAnyway && IndexOfRange(range.Path, range.Start, range.End) >= 0) return nullptr;
      item = NewItem(std::move(range.Path));
      item->Info.SetValue(kStartTimeAttribute, AttributeValue::Integer(range.Start));
      if (range.End != 0) item->Info.SetValue(kEndTimeAttribute, AttributeValue::Integer(range.End));
      break;
    case TEntrySyntax::Plain:
      if (!addAnyway && ContainsFile(entry)) return nullptr;
      item = NewItem(std::string(entry));
      break;
  }
  // From the entry string, so that a range after the name does not disturb the default title.
  item->Info.InitFromName(entry);
  if (!title.empty()) item->Info.SetValue(kTitleAttribute, AttributeValue::HeldText(title));
  if (duration) item->Info.SetValue(kDurationAttribute, AttributeValue::Integer(*duration));
  return item;
}

void TXPlayList::ReadPlayListFile(std::string_view path, TXPlayListFormat format) {
  if (TPlayListFileFormats* formats = PlayListFileFormats()) formats->Read(*this, path, format, false);
}

void TXPlayList::AddPath(std::string_view path) {
  if (HasUrlScheme(path)) {
    AddEntry(path);
    return;
  }
  const PathKind kind = environment_.Files.KindOf(path);
  if (kind == PathKind::File || IsCDTrackPath(path)) {
    // Any file is added whatever its extension; only folder scans ask AcceptFile. Playlists bring their entries.
    if (const TXPlayListFormat format = PlayListFormatOf(path); format != TXPlayListFormat::pfAuto)
      ReadPlayListFile(path, format);
    else
      AddEntry(path);
  } else if (kind == PathKind::Folder) {
    AddFolderFiles(path, false);
  }
}

// An audio CD's root lists the disc's ordinary files without the ".cda" entries the system shows for its tracks,
// then the tracks themselves as virtual paths. Without a CD reader installed the root lists as it is.
void TXPlayList::ListFolderCandidates(std::string_view folder, int depth,
                                      const std::function<bool(const std::string&)>& visit) {
  TAudioCDTracks* cd = AudioCDTracks();
  if (!cd || !IsAudioCDRoot(folder, environment_.Drives)) {
    ListFolderFiles(environment_.Files, folder, depth, visit);
    return;
  }
  std::vector<std::string> listing;
  ListFolderFiles(environment_.Files, folder, depth, [&](const std::string& path) {
    const std::u16string wide = MarkedToUtf16(path);
    if (LocaleCompare(ExtensionOf(wide), u".cda") != 0) listing.push_back(path);
    return true;
  });
  std::vector<int> tracks;
  if (cd->ListAudioTracks(DriveRootOf(folder), tracks))
    for (int track : tracks) listing.push_back(CDTrackPath(folder, track));
  for (const std::string& path : listing)
    if (!visit(path)) return;
}

void TXPlayList::AddFolderFiles(std::string_view folder, bool allLevels) {
  std::vector<std::string> accepted;
  ListFolderCandidates(folder, allLevels ? -1 : FolderNesting, [&](const std::string& path) {
    if (AcceptFile(path)) accepted.push_back(path);
    return true;
  });
  if (accepted.empty()) return;  // the list is not touched at all
  Bracket bracket(*this);
  for (const std::string& path : accepted) AddPath(path);
}

bool TXPlayList::FolderHasMedia(std::string_view folder) {
  bool found = false;
  ListFolderCandidates(folder, FolderNesting, [&](const std::string& path) {
    found = AcceptFile(path);
    return !found;
  });
  return found;
}

void TXPlayList::AddFile(std::string_view path, bool clear, bool play) {
  {
    Bracket bracket(*this);
    if (clear) Clear();
    AddPath(path);
  }
  StartCurrent(play);
}

void TXPlayList::AddFiles(std::span<const std::string> paths, bool clear, bool play) {
  if (paths.empty()) return;
  {
    Bracket bracket(*this);
    if (clear) Clear();
    for (const std::string& path : paths) AddPath(path);
  }
  StartCurrent(play);
}

void TXPlayList::AddText(std::string_view text, bool clear, bool play) {
  if (TrimText(text).empty()) return;
  AddFiles(TextLines(text), clear, play);
}

void TXPlayList::AddDropFiles(std::span<const std::string> names, bool clear, bool play) {
  {
    Bracket bracket(*this);
    if (clear) Clear();
    for (const std::string& name : names) AddPath(name);
  }
  StartCurrent(play);
}

void TXPlayList::AddFolder(std::string_view folder, bool clear, bool allLevels, bool play) {
  {
    Bracket bracket(*this);
    if (clear) Clear();
    AddFolderFiles(folder, allLevels);
  }
  StartCurrent(play);
}

void TXPlayList::AddItem(const TXPlayListItem& source, bool clear, bool play) {
  {
    // What is taken from the source is copied first: clearing may destroy it when it is an item of this list.
    const bool asxRedirected = source.ASXRedirected;
    const std::string fileName = source.FileName();
    const TXMMFileInfo info = source.Info;
    const TXFilePathArray alternatives = source.AlternativePaths();
    const bool present = !clear && Contains(source);
    Bracket bracket(*this);
    if (clear) Clear();
    if ((options_ & ploAllowDuplicates) || !present) {
      if (TXPlayListItem* item = AddEntry(fileName, {}, true)) {
        item->ASXRedirected = asxRedirected;
        item->Info.Assign(info);
      }
    }
    if (options_ & ploAddAlternatives)
      for (const std::string& path : alternatives)
        if (TXPlayListItem* item = AddEntry(path, {}, true)) item->Info.Assign(info);
  }
  StartCurrent(play);
}

TPlayListFileResult TXPlayList::LoadFromFile(std::string_view fileName, bool clear, bool restoreCurrent, bool play,
                                             TXPlayListFormat format) {
  if (environment_.Files.KindOf(fileName) != PathKind::File) return TPlayListFileResult::pfrNoFile;
  if (format == TXPlayListFormat::pfAuto) format = PlayListFormatOf(fileName);
  // Neither an unknown format nor a missing reader clears the list: nothing would take its place.
  if (format == TXPlayListFormat::pfAuto) return TPlayListFileResult::pfrUnknownFormat;
  TPlayListFileFormats* formats = PlayListFileFormats();
  if (!formats) return TPlayListFileResult::pfrNoFormats;
  {
    Bracket bracket(*this);
    if (clear) {
      Clear();
      fileName_ = fileName;
    }
    formats->Read(*this, fileName, format, restoreCurrent && clear);
  }
  StartCurrent(play);
  return TPlayListFileResult::pfrDone;
}

TPlayListFileResult TXPlayList::SaveToFile(std::string_view fileName, bool saveCurrent, TXPlayListFormat format) {
  TPlayListFileFormats* formats = PlayListFileFormats();
  if (!formats) return TPlayListFileResult::pfrNoFormats;
  formats->Write(*this, fileName, format, saveCurrent);
  return TPlayListFileResult::pfrDone;
}

// New entries go right after the redirector entry, in the playlist's order; an entry already in the list is only
// marked as coming from a redirector. The redirector entry gives way to the first entry made or found.
TXPlayListItem* TXPlayList::ExpandMediaPlayList(TXPlayListItem* item, TMediaPlayList& playList) {
  Bracket bracket(*this);
  const int count = playList.ItemCount();
  if (count <= 0) return nullptr;
  int insertAt = item ? item->index_ + 1 : Count();
  const std::u16string title = playList.Title();
  TXPlayListItem* result = nullptr;
  for (int i = 0; i < count; ++i) {
    const int sources = playList.SourceCount(i);
    for (int s = 0; s < sources; ++s) {
      const std::string url = Utf16ToMarked(playList.SourceURL(i, s));
      if (url.empty()) continue;
      TXPlayListItem* entry = nullptr;
      if ((options_ & ploAllowDuplicates) || !ContainsFile(url)) {
        entry = NewItem(url);
        entry->Info.InitFromName(url);
        if (!title.empty())
          entry->Info.SetValue(kTitleAttribute, AttributeValue::WideText(title + u" (" +
                                                                          entry->Value(kTitleAttribute).ToUtf16() + u")"));
        entry->ASXRedirected = true;
        Move(entry->index_, insertAt++);
      } else {
        entry = &Items(IndexOfFile(url));
        entry->ASXRedirected = true;
      }
      if (!result) result = entry;
    }
  }
  if (result && item && result != item) DestroyItem(*item);
  return result;
}

}  // namespace nv
