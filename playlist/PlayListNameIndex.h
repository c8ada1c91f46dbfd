#pragma once
// The name index: every item of a list once, ordered by its file name in the user's locale without regard to case,
// so that finding a path costs a logarithmic number of comparisons and adding an entry does too. Items with the
// same name stand in the order opposite to their adding (a new one goes before its equals), as binary insertion
// at the first position that is not smaller puts it. Sorting or moving items does not touch the index.
#include <set>
#include <string_view>

#include "support/TextCompare.h"

namespace nv {

class TXPlayListItem;

struct TItemNameOrder {
  TextCollation* Collation;
  using is_transparent = void;
  bool operator()(const TXPlayListItem* a, const TXPlayListItem* b) const;
  bool operator()(const TXPlayListItem* a, std::u16string_view b) const;
  bool operator()(std::u16string_view a, const TXPlayListItem* b) const;
};

class TPlayListNameIndex {
public:
  using Entries = std::multiset<TXPlayListItem*, TItemNameOrder>;
  using Position = Entries::const_iterator;

  explicit TPlayListNameIndex(TextCollation& collation) : entries_(TItemNameOrder{&collation}), collation_(collation) {}

  // The first position whose name is not smaller than `name`, and whether the item there has that name.
  struct Found {
    bool Equal;
    Position At;
  };
  Found Find(std::u16string_view name) const;
  bool HasName(Position at, std::u16string_view name) const;

  Position Insert(TXPlayListItem* item);
  void Erase(Position at) { entries_.erase(at); }
  void Clear() { entries_.clear(); }

  Position begin() const { return entries_.begin(); }
  Position end() const { return entries_.end(); }
  std::size_t size() const { return entries_.size(); }

private:
  Entries entries_;
  TextCollation& collation_;
};

}  // namespace nv
