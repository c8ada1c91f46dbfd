#include "playlist/M3UFormat.h"

#include <algorithm>

#include "playlist/PlayListFileConstants.h"
#include "playlist/PlayListReading.h"
#include "playlist/PlayListText.h"
#include "playlist/PlayListWriting.h"
#include "playlist/ProfileText.h"
#include "playlist/XPlayList.h"
#include "support/Errors.h"
#include "support/MarkedText.h"

namespace nv {

namespace {

// What "#EXTINF:" and "#ASXREDIRECTED" say about a path line.
struct EntryInfo {
  std::u16string title;
  std::int32_t length = 0;  // seconds
  bool redirected = false;
};

// "#EXTINF:" length "," title. The comma is the first outside double quotes (streaming lists put attributes between
// the length and the title: -1 tvg-id="x" group-title="A, B",Title); the length is the whole part of the first
// word, "3.5" giving 3. A length that is no number leaves the length unknown and keeps the title. False without a
// comma.
bool ParseInfo(std::u16string_view rest, EntryInfo& info) {
  bool quoted = false;
  std::size_t comma = 0;
  for (; comma < rest.size(); ++comma) {
    if (rest[comma] == u'"') quoted = !quoted;
    else if (rest[comma] == u',' && !quoted) break;
  }
  if (comma == rest.size()) return false;
  const std::u16string_view before = TrimBlanks(rest.substr(0, comma));
  std::u16string_view length = before.substr(0, std::min(before.find(u' '), before.find(u'\t')));
  std::size_t digits = length.starts_with(u'-') || length.starts_with(u'+') ? 1 : 0;
  while (digits < length.size() && length[digits] >= u'0' && length[digits] <= u'9') ++digits;
  if (digits < length.size() && length[digits] == u'.') {
    const std::u16string_view fraction = length.substr(digits + 1);
    if (std::all_of(fraction.begin(), fraction.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }))
      length = length.substr(0, digits);
  }
  info.length = WholeNumber(length).value_or(0);
  info.title = std::u16string(TrimBlanks(rest.substr(comma + 1)));
  return true;
}

void ApplyInfo(TXPlayListItem& item, const EntryInfo& info) {
  item.Info.SetValue(kTitleAttribute, AttributeValue::HeldText(Utf16ToMarked(info.title)));
  if (info.length > 0)
    if (const std::optional<std::int32_t> duration = SecondsToMilliseconds(info.length))
      item.Info.SetValue(kDurationAttribute, AttributeValue::Integer(*duration));
}

// The file's text as UTF-8 or code-page lines. A byte-order mark decides (UTF-16 is turned into UTF-8); without
// one an ".m3u8" is UTF-8, and an ".m3u" is UTF-8 when its bytes are valid UTF-8 with characters beyond ASCII (text
// in a code page practically never is), else code-page text.
struct M3UText {
  std::string_view bytes;
  bool utf8 = false;
  std::string converted;  // from UTF-16
};

void DecodeText(std::string_view bytes, TXPlayListFormat format, M3UText& text) {
  TProfileContent content = DecodeProfile(bytes);
  switch (content.Encoding) {
    case TProfileEncoding::peUtf16LE:
    case TProfileEncoding::peUtf16BE:
      text.converted = Utf16ToUtf8(content.Wide);
      text.bytes = text.converted;
      text.utf8 = true;
      return;
    case TProfileEncoding::peUtf8:
      text.bytes = content.Narrow;
      text.utf8 = true;
      return;
    case TProfileEncoding::peAnsi:
      text.bytes = bytes;
      text.utf8 = format == TXPlayListFormat::pfM3U8 ||
                  (std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }) &&
                   IsValidUtf8(bytes));
      return;
  }
}

// One line in the file's encoding. What a code page cannot hold travels as the marker byte 0x01 and UTF-8 to the end
// of the line: from the line's start (this program's writer) or from where an "#EXTINF" title begins (other
// writers'). Raises EConvertError for UTF-8 that does not decode.
std::u16string DecodeLine(std::string_view line, bool utf8) {
  const std::size_t marker = line.find(kUnicodeMarker);
  const std::string_view before = line.substr(0, marker);
  std::u16string text = utf8 ? Utf8ToUtf16(before) : MarkedToUtf16(before);
  if (marker != std::string_view::npos) text += Utf8ToUtf16(line.substr(marker + 1));
  return text;
}

}  // namespace

void ReadM3U(TPlayListReader& reader, std::string_view bytes, TXPlayListFormat format, bool restoreCurrent) {
  M3UText file;
  DecodeText(bytes, format, file);
  std::vector<std::string_view> lines = SplitLines(file.bytes);
  std::size_t first = 0;
  if (!lines.empty() && lines.front() == kM3UHeader) first = 1;
  while (first < lines.size() && lines[first].empty()) ++first;
  if (first == lines.size()) return;

  // A line that does not decode is passed over; the reader hears of it.
  std::u16string line;
  const auto decode = [&](std::string_view bytes) {
    try {
      line = DecodeLine(bytes, file.utf8);
      return true;
    } catch (const EConvertError&) {
      reader.LineSkipped();
      return false;
    }
  };
  // The first line that decodes decides the mode; on the decoded line, so that a marked info line counts.
  while (first < lines.size() && !decode(lines[first])) ++first;
  if (first == lines.size()) return;
  const bool infoBefore = !line.empty() && line.front() == u'#';

  TXPlayList& list = reader.List();
  EntryInfo pending;
  TXPlayListItem* previous = nullptr;
  int current = -1;
  for (std::size_t i = first; i < lines.size(); ++i) {
    if (i != first && (lines[i].empty() || !decode(lines[i]))) continue;
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
