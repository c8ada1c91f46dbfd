#include "playlist/CommonTitle.h"

#include "playlist/XPlayListItem.h"
#include "support/MarkedText.h"

namespace nv {

namespace {
std::u16string TextOf(const TXPlayListItem& item, AttributeName name) { return item.Value(name).ToUtf16(); }
}  // namespace

// The first item with an artist or an album names both; every later item empties what it does not share (the
// texts compared exactly).
std::string CommonTitle(std::span<const TXPlayListItem* const> items) {
  std::size_t first = 0;
  while (first < items.size() && !items[first]->Info.HasValue(kAuthorAttribute) &&
         !items[first]->Info.HasValue(kAlbumAttribute))
    ++first;
  if (first == items.size()) return {};
  std::u16string artist = TextOf(*items[first], kAuthorAttribute);
  std::u16string album = TextOf(*items[first], kAlbumAttribute);
  for (std::size_t i = first + 1; i < items.size() && (!artist.empty() || !album.empty()); ++i) {
    if (TextOf(*items[i], kAuthorAttribute) != artist) artist.clear();
    if (TextOf(*items[i], kAlbumAttribute) != album) album.clear();
  }
  std::u16string name = artist;
  if (!album.empty()) name = artist.empty() ? album : artist + u" - " + album;
  for (char16_t& c : name) {
    if (c == u'/' || c == u':' || c == u'\\' || c == u'|') c = u'-';
    if (c == u'"' || c == u'*' || c == u'<' || c == u'>' || c == u'?') c = u' ';
  }
  return Utf16ToMarked(name);
}

}  // namespace nv
