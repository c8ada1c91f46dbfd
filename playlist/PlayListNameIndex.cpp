#include "playlist/PlayListNameIndex.h"

#include "playlist/XPlayListItem.h"

namespace nv {

bool TItemNameOrder::operator()(const TXPlayListItem* a, const TXPlayListItem* b) const {
  return Collation->Compare(a->WideFileName(), b->WideFileName()) < 0;
}
bool TItemNameOrder::operator()(const TXPlayListItem* a, std::u16string_view b) const {
  return Collation->Compare(a->WideFileName(), b) < 0;
}
bool TItemNameOrder::operator()(std::u16string_view a, const TXPlayListItem* b) const {
  return Collation->Compare(a, b->WideFileName()) < 0;
}

TPlayListNameIndex::Found TPlayListNameIndex::Find(std::u16string_view name) const {
  const Position at = entries_.lower_bound(name);
  return {HasName(at, name), at};
}

bool TPlayListNameIndex::HasName(Position at, std::u16string_view name) const {
  return at != entries_.end() && collation_.Compare((*at)->WideFileName(), name) == 0;
}

TPlayListNameIndex::Position TPlayListNameIndex::Insert(TXPlayListItem* item) {
  // Before its equals: the hint is the first position that is not smaller.
  return entries_.insert(entries_.lower_bound(item->WideFileName()), item);
}

}  // namespace nv
