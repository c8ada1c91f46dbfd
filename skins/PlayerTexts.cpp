#include "skins/PlayerTexts.h"

#include <initializer_list>
#include <vector>

#include "metadata/MediaFormatting.h"
#include "playlist/XPlayListItem.h"
#include "support/ByteSize.h"
#include "support/MarkedText.h"

namespace nv {

namespace {

std::u16string Ascii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

std::u16string ValueText(const TXPlayListItem& item, AttributeName name) { return item.Value(name).ToUtf16(); }

// The parts that are not empty, joined by the separator.
std::u16string Joined(std::initializer_list<std::u16string> parts, std::u16string_view separator) {
  std::u16string joined;
  for (const std::u16string& part : parts) {
    if (part.empty()) continue;
    if (!joined.empty()) joined += separator;
    joined += part;
  }
  return joined;
}

std::u16string NameText(const TXPlayListItem& item, TXPlayerLabelNameOptions options) {
  auto when = [&](TXPlayerLabelNameOption option, AttributeName name) {
    return (options & option) ? ValueText(item, name) : std::u16string();
  };
  std::u16string name = Joined({when(noShowArtist, kAuthorAttribute), when(noShowAlbum, kAlbumAttribute),
                                when(noShowTitle, kTitleAttribute)},
                               u" - ");
  if (options & noShowNo) name = Joined({Ascii(std::to_string(item.Index() + 1) + "."), name}, u" ");
  if (options & noShowDuration) {
    const std::string duration = DurationText(item.Value(kDurationAttribute));
    if (!duration.empty()) name = Joined({name, u"(" + Ascii(duration) + u")"}, u" ");
  }
  return name;
}

}  // namespace

std::string PlayerLabelText(TXPlayerLabelStyle style, TXPlayerLabelNameOptions options, const PlayerLabelFacts& facts) {
  if (!facts.item) return {};
  switch (style) {
    case TXPlayerLabelStyle::lsName:
      return Utf16ToMarked(NameText(*facts.item, options));
    case TXPlayerLabelStyle::lsBitrate:
      return facts.stream.BitRate > 0
                 ? BitrateText(AttributeValue::Integer(facts.stream.BitRate), false)
                 : BitrateText(facts.item->Value(kBitrateAttribute), false);
    case TXPlayerLabelStyle::lsSampleRate:
      return facts.stream.SampleRate / 1000 > 0 ? std::to_string(facts.stream.SampleRate / 1000) : std::string();
    case TXPlayerLabelStyle::lsDuration:
      return facts.durationMs > 0 ? FormatDuration(facts.durationMs / 1000) : std::string();
  }
  return {};
}

std::u16string RowNameText(const TXPlayListItem& item, bool showArtist, bool showAlbum) {
  return Joined({showArtist ? ValueText(item, kAuthorAttribute) : std::u16string(),
                 showAlbum ? ValueText(item, kAlbumAttribute) : std::u16string(), ValueText(item, kTitleAttribute)},
                u" - ");
}

std::string ItemInfoText(const TXPlayListItem& item,
                         const std::function<std::string(std::string_view path)>& fileType) {
  const bool stream = item.Info.Kind == TMediaKind::mkURL;
  std::vector<std::pair<const char*, std::string>> lines = {
      {"Title", Utf16ToMarked(ValueText(item, kTitleAttribute))},
      {"Artist", Utf16ToMarked(ValueText(item, kAuthorAttribute))},
      {"Album", Utf16ToMarked(ValueText(item, kAlbumAttribute))},
      {"Duration", DurationText(item.Value(kDurationAttribute))},
      {"Type", stream ? std::string("Broadcast") : fileType ? fileType(item.FileName()) : std::string()},
      {"Bitrate", BitrateText(item.Value(kBitrateAttribute), true)},
      {stream ? "URL" : "File name", item.FileName()},
  };
  const std::optional<double> size = item.Value(kFileSizeAttribute).ToNumber();
  if (size && *size > 0) lines.push_back({"Size", FormatByteSize(static_cast<std::uint64_t>(*size))});
  std::u16string text;
  for (const auto& [label, value] : lines) {
    if (value.empty()) continue;
    if (!text.empty()) text += u"\r\n";
    text += Ascii(label) + u": " + MarkedToUtf16(value);
  }
  return Utf16ToMarked(text);
}

}  // namespace nv
