#pragma once
// The name index: every item of a list, found by its file name in the user's locale without regard to case. Items
// with equal names form a group, newest first (where binary insertion at the first position that is not smaller
// puts a new item: before its equals). It answers in two ways:
// - by name, from a hash table of the groups keyed by the hash of the name's sort key: finding a path, checking a
//   new entry for a duplicate and walking the items of one path cost the same at 100 entries and at 100,000;
// - in name order, for folder lookups and sorting by name: every item sorted by name, made when first asked for
//   after a change (by a radix sort of the items' sort keys, or, when few items were added since, by inserting
//   them by binary search) and kept up while items come and go.
// Sorting or moving items does not touch the index.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "support/TextCompare.h"

namespace nv {

class TXPlayListItem;

class TPlayListNameIndex {
public:
  explicit TPlayListNameIndex(TextCollation& collation) : collation_(collation) {}
  TPlayListNameIndex(const TPlayListNameIndex&) = delete;
  TPlayListNameIndex& operator=(const TPlayListNameIndex&) = delete;

  // The hash of a name's sort key: names that compare equal hash equal.
  std::uint64_t HashOf(std::u16string_view name) const;
  // The newest item named `name` (whose hash is `hash`), or null.
  TXPlayListItem* First(std::u16string_view name, std::uint64_t hash) const;
  TXPlayListItem* First(std::u16string_view name) const { return First(name, HashOf(name)); }
  // The next older item of the same name, or null.
  static TXPlayListItem* NextOfSameName(const TXPlayListItem& item);
  // Calls `visit` with the newest item of every name that two or more items share.
  template <class Visit>
  void ForEachSharedName(Visit visit) const {
    for (const Slot& slot : slots_)
      if (slot.newest && NextOfSameName(*slot.newest)) visit(*slot.newest);
  }

  // Adds an item (its name is set), as the newest of its name; `hash` is HashOf its name.
  void Add(TXPlayListItem& item, std::uint64_t hash);
  void Add(TXPlayListItem& item);
  void Remove(TXPlayListItem& item);
  // Removes several items at once; each is still whole.
  void Remove(std::span<TXPlayListItem* const> items);
  void Clear();

  // Every item in name order, the items of one name newest first. `items` are all the list's items, in the list's
  // order, from which the order is made when it has to be made again.
  std::span<TXPlayListItem* const> Ordered(std::span<const std::unique_ptr<TXPlayListItem>> items);
  // The positions in `items` of all items in name order, the items of one name in the order of their positions.
  std::vector<std::uint32_t> NameOrder(std::span<const std::unique_ptr<TXPlayListItem>> items);
  // The first position of Ordered(items) whose name is not smaller than `name`.
  std::size_t LowerBound(std::u16string_view name, std::span<const std::unique_ptr<TXPlayListItem>> items);

private:
  struct Slot {
    std::uint64_t hash = 0;
    TXPlayListItem* newest = nullptr;  // null: a free slot
  };

  std::size_t SlotOf(std::u16string_view name, std::uint64_t hash) const;
  std::size_t SlotHolding(const TXPlayListItem& item) const;
  void Unlink(std::size_t slot, TXPlayListItem& item);
  void FreeSlot(std::size_t slot);
  void Rehash(std::size_t size);
  void ForgetOrder();
  void RemoveFromOrder(TXPlayListItem& item);
  bool OrderToBeMade() const;
  // Also gives NameOrder(items) when asked.
  void RebuildOrder(std::span<const std::unique_ptr<TXPlayListItem>> items,
                    std::vector<std::uint32_t>* positions = nullptr);
  // In ordered_ as it stands: the first item whose name is not smaller than `name`.
  std::vector<TXPlayListItem*>::iterator FirstNotBefore(std::u16string_view name);

  TextCollation& collation_;
  mutable std::string key_;  // scratch for HashOf
  // Open addressing with linear probing; the size is a power of two, at most two thirds of it in use.
  std::vector<Slot> slots_;
  std::size_t groups_ = 0;
  // The order by name: valid (with the few items added since in `pending_`), or to be made afresh from the items.
  bool orderValid_ = true;
  std::vector<TXPlayListItem*> ordered_;
  std::vector<TXPlayListItem*> pending_;
};

}  // namespace nv
