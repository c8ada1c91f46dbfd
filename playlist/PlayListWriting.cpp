#include "playlist/PlayListWriting.h"

#include <cmath>
#include <limits>

#include "playlist/PlayListConstants.h"
#include "playlist/XPlayListItem.h"

namespace nv {

namespace {

std::u16string Decimal(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string WrittenEntry(const TXPlayListItem& item, const TPlayListFolder& playList) {
  std::u16string entry = RelativeEntryPath(playList, item.WideFileName());
  // Reading drops blanks before an entry: a relative name that starts with one is written whole.
  if (!entry.empty() && entry.front() <= u' ') entry = RelativeEntryPath(TPlayListFolder(), item.WideFileName());
  if (item.IsSubRange()) {
    entry += u'<';
    entry += Decimal(item.StartTime());
    if (const std::optional<std::int64_t> end = item.EndTime()) entry += u',' + Decimal(*end);
    entry += u'>';
  }
  return entry;
}

std::u16string WrittenTitle(const TXPlayListItem& item, std::uint8_t titleFormat) {
  std::u16string title = item.Value(kTitleAttribute).ToUtf16();
  if (!title.empty()) {
    const auto prefix = [&](AttributeName name) {
      const std::u16string value = item.Value(name).ToUtf16();
      if (!value.empty()) title = value + u" - " + title;
    };
    if (titleFormat & ptfAlbum) prefix(kAlbumAttribute);
    if (titleFormat & ptfArtist) prefix(kAuthorAttribute);
  }
  for (char16_t& c : title)
    if (c < u' ') c = u' ';
  return title;
}

std::optional<std::u16string> WrittenLength(const TXPlayListItem& item) {
  const AttributeValue& duration = item.Value(kDurationAttribute);
  if (duration.IsNull()) return u"0";
  const std::optional<double> milliseconds = duration.ToNumber();
  if (!milliseconds || !std::isfinite(*milliseconds) ||
      std::fabs(*milliseconds / 1000) > static_cast<double>(std::numeric_limits<std::int64_t>::max() / 2))
    return std::nullopt;
  return Decimal(static_cast<std::int64_t>(std::trunc(*milliseconds / 1000)));
}

}  // namespace nv
