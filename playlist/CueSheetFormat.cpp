#include "playlist/CueSheetFormat.h"

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "metadata/MediaPaths.h"
#include "playlist/PlayListFileConstants.h"
#include "playlist/PlayListReading.h"
#include "playlist/PlayListText.h"
#include "playlist/XPlayList.h"
#include "support/MarkedText.h"
#include "support/PathNames.h"
#include "support/SystemText.h"
#include "support/TextCompare.h"

namespace nv {

namespace {

// The line starts with the keyword and a blank; `rest` is what follows the keyword.
bool Keyword(std::u16string_view line, std::string_view keyword, std::u16string_view& rest) {
  if (!StartsWithKeyword(line, keyword) || line.size() == keyword.size() || line[keyword.size()] > u' ') return false;
  rest = line.substr(keyword.size());
  return true;
}

std::u16string Value(std::u16string_view rest) {
  rest = TrimBlanks(rest);
  if (rest.empty() || rest.front() != u'"') return std::u16string(rest);
  std::u16string value;
  for (std::size_t i = 1; i < rest.size(); ++i) {
    if (rest[i] == u'"') {
      if (i + 1 >= rest.size() || rest[i + 1] != u'"') break;
      ++i;
    }
    value.push_back(rest[i]);
  }
  return value;
}

// FILE "name" TYPE, or FILE name TYPE.
std::u16string FileName(std::u16string_view rest) {
  rest = TrimBlanks(rest);
  if (rest.empty() || rest.front() == u'"') return Value(rest);
  const std::size_t blank = rest.find_last_of(u" \t");
  return std::u16string(blank == std::u16string_view::npos ? rest : TrimBlanks(rest.substr(0, blank)));
}

// The digits at the start of the text.
std::optional<std::int64_t> LeadingNumber(std::u16string_view& text) {
  std::size_t digits = 0;
  std::int64_t value = 0;
  while (digits < text.size() && text[digits] >= u'0' && text[digits] <= u'9' && value <= (1LL << 40))
    value = value * 10 + (text[digits++] - u'0');
  if (digits == 0) return std::nullopt;
  text.remove_prefix(digits);
  return value;
}

// minutes:seconds:frames in milliseconds (75 frames a second); nothing when malformed or beyond 32 bits.
std::optional<std::int32_t> CueTime(std::u16string_view text) {
  text = TrimBlanks(text);
  std::int64_t parts[3] = {};
  for (int i = 0; i < 3; ++i) {
    const std::optional<std::int64_t> part = LeadingNumber(text);
    if (!part) return std::nullopt;
    parts[i] = *part;
    if (i < 2) {
      if (text.empty() || text.front() != u':') return std::nullopt;
      text.remove_prefix(1);
    }
  }
  if (!text.empty()) return std::nullopt;
  const std::int64_t ms = parts[2] * 1000 / kCueFramesPerSecond + parts[0] * 60000 + parts[1] * 1000;
  if (ms > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(ms);
}

struct CueIndex {
  std::int64_t number;
  std::optional<std::int32_t> time;
};

// "INDEX" number time.
std::optional<CueIndex> Index(std::u16string_view line) {
  std::u16string_view rest;
  if (!Keyword(line, "INDEX", rest)) return std::nullopt;
  rest = TrimBlanks(rest);
  const std::optional<std::int64_t> number = LeadingNumber(rest);
  if (!number || (!rest.empty() && rest.front() > u' ')) return std::nullopt;
  return CueIndex{*number, CueTime(rest)};
}

// Where the track that starts at `start` ends: at the next "INDEX 00" or "INDEX 01" before another "FILE".
std::optional<std::int32_t> TrackEnd(const std::vector<std::u16string>& lines, std::size_t from, std::int32_t start) {
  std::u16string_view rest;
  for (std::size_t i = from; i < lines.size(); ++i) {
    if (Keyword(lines[i], "FILE", rest)) return std::nullopt;
    const std::optional<CueIndex> index = Index(lines[i]);
    if (!index || index->number > 1) continue;
    // A time of 0, a malformed one or one before the start is no end: the track plays to the end of its file.
    if (index->time && *index->time > start) return index->time;
    return std::nullopt;
  }
  return std::nullopt;
}

// The sheet's file name as a path; a missing ".wav" gives way to a ".flac" or ".mp3" beside it.
std::u16string TrackFile(TPlayListReader& reader, std::u16string_view name) {
  if (name.empty()) return {};
  std::u16string path = ExtractFileDrive(name).empty() ? JoinPath(reader.Folder().Folder, name) : std::u16string(name);
  if (reader.FileExists(path) || LocaleCompare(ExtensionOf(path), u".wav") != 0) return path;
  for (const std::u16string_view extension : {u".flac", u".mp3"})
    if (std::u16string other = ChangeFileExt(path, extension); reader.FileExists(other)) return other;
  return path;
}

std::u16string TrackTitle(std::int64_t number) {
  std::string digits = std::to_string(number);
  if (digits.size() < 2) digits.insert(0, 2 - digits.size(), '0');
  const std::string title = kCueTrackTitle + digits;
  return std::u16string(title.begin(), title.end());
}

void SetText(TXPlayListItem& item, AttributeName name, const std::u16string& text) {
  item.Info.SetValue(name, AttributeValue::HeldText(Utf16ToMarked(text)));
}

// A track's TITLE or PERFORMER: the track's own when it was already added, else kept for it.
void TrackText(std::u16string text, AttributeName name, TXPlayListItem* added, std::u16string& pending) {
  if (text.empty()) return;
  if (added)
    SetText(*added, name, text);
  else
    pending = std::move(text);
}

}  // namespace

void ReadCueSheet(TPlayListReader& reader, std::string_view bytes) {
  const bool utf8 = bytes.starts_with(kUtf8ByteOrderMark);
  if (utf8) bytes.remove_prefix(std::string_view(kUtf8ByteOrderMark).size());
  std::vector<std::u16string> lines;
  for (const std::string_view line : SplitLines(bytes)) {
    const std::u16string text = utf8 ? Utf8ToUtf16(line) : platform::AnsiToUtf16(line);
    lines.emplace_back(TrimBlanks(std::u16string_view(text)));
  }

  // The sheet's header, up to the first track.
  std::u16string discPerformer, discTitle, file;
  std::size_t i = 0;
  std::u16string_view rest;
  for (; i < lines.size() && !Keyword(lines[i], "TRACK", rest); ++i) {
    if (Keyword(lines[i], "PERFORMER", rest)) discPerformer = Value(rest);
    else if (Keyword(lines[i], "TITLE", rest)) discTitle = Value(rest);
    else if (Keyword(lines[i], "FILE", rest)) file = TrackFile(reader, FileName(rest));
  }
  if (i == lines.size() || file.empty()) return;

  TXPlayList& list = reader.List();
  TXPlayList::Bracket bracket(list);
  std::u16string pendingTitle, pendingPerformer;
  TXPlayListItem* last = nullptr;
  std::int64_t trackNumber = 0, tracks = 0;
  for (; i < lines.size(); ++i) {
    const std::u16string& line = lines[i];
    if (Keyword(line, "TRACK", rest)) {
      pendingTitle.clear();
      pendingPerformer.clear();
      last = nullptr;
      ++tracks;
      rest = TrimBlanks(rest);
      trackNumber = LeadingNumber(rest).value_or(tracks);
    } else if (Keyword(line, "PERFORMER", rest)) {
      TrackText(Value(rest), kAuthorAttribute, last, pendingPerformer);
    } else if (Keyword(line, "TITLE", rest)) {
      TrackText(Value(rest), kTitleAttribute, last, pendingTitle);
    } else if (Keyword(line, "FILE", rest)) {
      file = TrackFile(reader, FileName(rest));
    } else if (const std::optional<CueIndex> index = Index(line); index && index->number == 1) {
      if (file.empty()) break;
      if (!index->time) continue;
      const std::int32_t start = *index->time;
      const std::optional<std::int32_t> end = TrackEnd(lines, i + 1, start);
      const std::string path = Utf16ToMarked(file);
      if (!(list.Options() & ploAllowDuplicates) && list.IndexOfRange(path, start, end.value_or(kOpenRangeEnd)) >= 0)
        continue;
      TXPlayListItem* item = list.AddEntry(path, {}, true);
      if (!item) continue;
      item->Info.SetValue(kStartTimeAttribute, AttributeValue::Integer(start));
      if (end) item->Info.SetValue(kEndTimeAttribute, AttributeValue::Integer(*end));
      SetText(*item, kTitleAttribute, TrackTitle(trackNumber));
      const std::u16string& performer = pendingPerformer.empty() ? discPerformer : pendingPerformer;
      if (!performer.empty()) SetText(*item, kAuthorAttribute, performer);
      pendingPerformer.clear();
      if (!discTitle.empty()) SetText(*item, kAlbumAttribute, discTitle);
      if (!pendingTitle.empty()) SetText(*item, kTitleAttribute, pendingTitle);
      pendingTitle.clear();
      last = item;
    }
  }
}

}  // namespace nv
