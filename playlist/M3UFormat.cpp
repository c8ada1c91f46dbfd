#include "playlist/M3UFormat.h"

#include "playlist/PlayListFileConstants.h"
#include "playlist/PlayListReading.h"
#include "playlist/PlayListText.h"
#include "playlist/PlayListWriting.h"
#include "playlist/XPlayList.h"
#include "support/MarkedText.h"

namespace nv {

namespace {

// What "#EXTINF:" and "#ASXREDIRECTED" say about a path line.
struct EntryInfo {
  std::u16string title;
  std::int32_t length = 0;  // seconds
  bool redirected = false;
};

// "#EXTINF:" length "," title: false without a comma or when the length is not a whole number.
bool ParseInfo(std::u16string_view rest, EntryInfo& info) {
  const std::size_t comma = rest.find(u',');
  if (comma == std::u16string_view::npos) return false;
  const std::optional<std::int32_t> length = WholeNumber(rest.substr(0, comma));
  if (!length) return false;
  info.length = *length;
  info.title = std::u16string(TrimBlanks(rest.substr(comma + 1)));
  return true;
}

void ApplyInfo(TXPlayListItem& item, const EntryInfo& info) {
  item.Info.SetValue(kTitleAttribute, AttributeValue::HeldText(Utf16ToMarked(info.title)));
  if (info.length > 0)
    if (const std::optional<std::int32_t> duration = SecondsToMilliseconds(info.length))
      item.Info.SetValue(kDurationAttribute, AttributeValue::Integer(*duration));
}

}  // namespace

void ReadM3U(TPlayListReader& reader, std::string_view bytes, bool restoreCurrent) {
  const bool utf8 = bytes.starts_with(kUtf8ByteOrderMark);
  if (utf8) bytes.remove_prefix(std::string_view(kUtf8ByteOrderMark).size());
  std::vector<std::string_view> lines = SplitLines(bytes);
  std::size_t first = 0;
  if (!lines.empty() && lines.front() == kM3UHeader) first = 1;
  while (first < lines.size() && lines[first].empty()) ++first;
  if (first == lines.size()) return;

  const auto decode = [utf8](std::string_view line) { return utf8 ? Utf8ToUtf16(line) : MarkedToUtf16(line); };
  std::u16string line = decode(lines[first]);
  // On the decoded line: an info line the code page cannot hold starts with the marker byte.
  const bool infoBefore = !line.empty() && line.front() == u'#';

  TXPlayList& list = reader.List();
  EntryInfo pending;
  TXPlayListItem* previous = nullptr;
  int current = -1;
  for (std::size_t i = first; i < lines.size(); ++i) {
    if (i != first) {
      if (lines[i].empty()) continue;
      line = decode(lines[i]);
    }
    const std::u16string_view text = TrimBlanks(std::u16string_view(line));
    if (text.empty()) continue;
    if (text.front() == u'#') {
      if (StartsWithKeyword(text, kM3UCurrentTag)) {
        current = WholeNumber(text.substr(std::string_view(kM3UCurrentTag).size())).value_or(-1);
      } else if (StartsWithKeyword(text, kM3UInfoTag)) {
        EntryInfo info;
        if (!ParseInfo(text.substr(std::string_view(kM3UInfoTag).size()), info)) continue;
        if (infoBefore) {
          pending.title = std::move(info.title);
          pending.length = info.length;
        } else if (previous && !info.title.empty()) {
          ApplyInfo(*previous, info);
        }
      } else if (IsKeyword(text, kM3URedirectedTag)) {
        if (infoBefore)
          pending.redirected = true;
        else if (previous)
          previous->ASXRedirected = true;
      }
      continue;
    }
    std::optional<std::int32_t> duration;
    if (infoBefore && pending.length > 0) duration = SecondsToMilliseconds(pending.length);
    previous = reader.AddEntry(reader.Resolve(text), infoBefore ? pending.title : std::u16string(), duration);
    if (previous && infoBefore && pending.redirected) previous->ASXRedirected = true;
    pending = EntryInfo();
  }
  if (restoreCurrent && current >= 0 && current < list.Count())
    list.Items(current).Activate(false, TSetCurrentMode::smNormal);
}

std::string WriteM3U(TXPlayList& list, const TPlayListFolder& playList, bool utf8, bool saveCurrent) {
  // Room for the usual entry's lines, so that a long list is not copied as it grows.
  constexpr std::size_t kTypicalEntrySize = 128;
  std::string out;
  out.reserve(list.Count() * kTypicalEntrySize);
  const auto write = [&](std::u16string_view line) {
    out += utf8 ? Utf16ToUtf8(line) : Utf16ToMarked(line);
    out += "\r\n";
  };
  if (utf8) out += kUtf8ByteOrderMark;
  out += kM3UHeader;
  out += "\r\n";
  const std::u16string infoTag(kM3UInfoTag, kM3UInfoTag + std::string_view(kM3UInfoTag).size());
  for (int i = 0; i < list.Count(); ++i) {
    const TXPlayListItem& item = list.Items(i);
    write(infoTag + WrittenLength(item).value_or(u"0") + u',' + WrittenTitle(item, list.TitleFormat));
    if (item.ASXRedirected) out += std::string(kM3URedirectedTag) + "\r\n";
    std::u16string entry = WrittenEntry(item, playList);
    // A relative name that starts with "#" would read as a comment: such an entry is written whole.
    if (entry.starts_with(u'#')) entry = WrittenEntry(item, TPlayListFolder());
    write(entry);
  }
  if (saveCurrent)
    if (const int current = list.CurrentIndex(); current >= 0)
      out += std::string(kM3UCurrentTag) + std::to_string(current) + "\r\n";
  return out;
}

}  // namespace nv
