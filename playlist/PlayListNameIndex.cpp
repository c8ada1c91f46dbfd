#include "playlist/PlayListNameIndex.h"

#include <algorithm>
#include <functional>

#include "playlist/XPlayListItem.h"
#include "support/SortKeys.h"

namespace nv {

namespace {
constexpr std::size_t kNone = static_cast<std::size_t>(-1);
// Up to this many items added or removed are put into (or taken out of) the order by binary search; beyond it the
// order is made again when next asked for.
constexpr std::size_t kFewChanges = 64;
}  // namespace

std::uint64_t TPlayListNameIndex::HashOf(std::u16string_view name) const {
  key_.clear();
  collation_.AppendSortKey(name, key_);
  return std::hash<std::string_view>{}(key_);
}

TXPlayListItem* TPlayListNameIndex::NextOfSameName(const TXPlayListItem& item) { return item.olderSameName_; }

std::size_t TPlayListNameIndex::SlotOf(std::u16string_view name, std::uint64_t hash) const {
  if (slots_.empty()) return kNone;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (!slot.newest) return kNone;
    if (slot.hash == hash && collation_.Compare(slot.newest->WideFileName(), name) == 0) return i;
  }
}

std::size_t TPlayListNameIndex::SlotHolding(const TXPlayListItem& item) const {
  if (slots_.empty()) return kNone;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = item.nameHash_ & mask; slots_[i].newest; i = (i + 1) & mask) {
    if (slots_[i].hash != item.nameHash_) continue;
    for (const TXPlayListItem* at = slots_[i].newest; at; at = at->olderSameName_)
      if (at == &item) return i;
  }
  return kNone;
}

TXPlayListItem* TPlayListNameIndex::First(std::u16string_view name, std::uint64_t hash) const {
  const std::size_t slot = SlotOf(name, hash);
  return slot == kNone ? nullptr : slots_[slot].newest;
}

void TPlayListNameIndex::Add(TXPlayListItem& item) { Add(item, HashOf(item.WideFileName())); }

void TPlayListNameIndex::Add(TXPlayListItem& item, std::uint64_t hash) {
  item.nameHash_ = hash;
  if (const std::size_t slot = SlotOf(item.WideFileName(), hash); slot != kNone) {
    item.olderSameName_ = slots_[slot].newest;
    slots_[slot].newest = &item;
  } else {
    if ((groups_ + 1) * 2 > slots_.size()) Rehash(std::max<std::size_t>(16, slots_.size() * 2));
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = hash & mask;
    while (slots_[i].newest) i = (i + 1) & mask;
    slots_[i] = {hash, &item};
    ++groups_;
    item.olderSameName_ = nullptr;
  }
  if (orderValid_) pending_.push_back(&item);
}

void TPlayListNameIndex::Rehash(std::size_t size) {
  std::vector<Slot> old(size);
  old.swap(slots_);
  groups_ = 0;
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (!slot.newest) continue;
    std::size_t i = slot.hash & mask;
    while (slots_[i].newest) i = (i + 1) & mask;
    slots_[i] = slot;
    ++groups_;
  }
}

// Linear probing without markers of removed slots: each later slot of the run moves back into the hole when its own
// probe would pass the hole, so every search still finds it.
void TPlayListNameIndex::FreeSlot(std::size_t hole) {
  slots_[hole] = {};
  --groups_;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t j = (hole + 1) & mask; slots_[j].newest; j = (j + 1) & mask) {
    const std::size_t home = slots_[j].hash & mask;
    const bool passesHole = j > hole ? (home <= hole || home > j) : (home <= hole && home > j);
    if (passesHole) {
      slots_[hole] = slots_[j];
      slots_[j] = {};
      hole = j;
    }
  }
}

void TPlayListNameIndex::Unlink(std::size_t slot, TXPlayListItem& item) {
  TXPlayListItem** link = &slots_[slot].newest;
  while (*link != &item) link = &(*link)->olderSameName_;
  *link = item.olderSameName_;
  item.olderSameName_ = nullptr;
  if (!slots_[slot].newest) FreeSlot(slot);
}

void TPlayListNameIndex::Remove(TXPlayListItem& item) {
  if (const std::size_t slot = SlotHolding(item); slot != kNone) Unlink(slot, item);
  RemoveFromOrder(item);
}

// Each name's items are unlinked in one walk, however many of them go.
void TPlayListNameIndex::Remove(std::span<TXPlayListItem* const> items) {
  if (items.size() <= kFewChanges / 8) {
    for (TXPlayListItem* item : items) Remove(*item);
    return;
  }
  std::vector<TXPlayListItem*> gone(items.begin(), items.end());
  std::sort(gone.begin(), gone.end());
  auto isGone = [&gone](const TXPlayListItem* item) { return std::binary_search(gone.begin(), gone.end(), item); };
  std::vector<std::size_t> touched;
  touched.reserve(gone.size());
  for (TXPlayListItem* item : gone)
    if (const std::size_t slot = SlotHolding(*item); slot != kNone) touched.push_back(slot);
  std::sort(touched.begin(), touched.end());
  touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
  bool emptied = false;
  for (std::size_t slot : touched) {
    for (TXPlayListItem** link = &slots_[slot].newest; *link;) {
      if (isGone(*link)) {
        TXPlayListItem* item = *link;
        *link = item->olderSameName_;
        item->olderSameName_ = nullptr;
      } else {
        link = &(*link)->olderSameName_;
      }
    }
    emptied = emptied || !slots_[slot].newest;
  }
  // Freeing the emptied slots one by one would move others while `touched` still names them.
  if (emptied) Rehash(slots_.size());
  if (orderValid_) {
    std::erase_if(ordered_, isGone);
    std::erase_if(pending_, isGone);
  }
}

void TPlayListNameIndex::Clear() {
  slots_.clear();
  groups_ = 0;
  orderValid_ = true;
  ordered_.clear();
  pending_.clear();
}

// ---- The order by name ----

void TPlayListNameIndex::ForgetOrder() {
  orderValid_ = false;
  ordered_.clear();
  pending_.clear();
}

void TPlayListNameIndex::RemoveFromOrder(TXPlayListItem& item) {
  if (!orderValid_) return;
  if (pending_.size() > kFewChanges) {
    ForgetOrder();
    return;
  }
  if (const auto at = std::find(pending_.begin(), pending_.end(), &item); at != pending_.end()) {
    pending_.erase(at);
    return;
  }
  const std::u16string_view name = item.WideFileName();
  for (auto at = FirstNotBefore(name);
       at != ordered_.end() && collation_.Compare((*at)->WideFileName(), name) == 0; ++at) {
    if (*at == &item) {
      ordered_.erase(at);
      return;
    }
  }
  ForgetOrder();  // not where its name says: make the order again
}

// The groups' names are ordered by their sort keys; each group follows its newest item.
void TPlayListNameIndex::RebuildOrder() {
  std::vector<TXPlayListItem*> newest;
  newest.reserve(groups_);
  for (const Slot& slot : slots_)
    if (slot.newest) newest.push_back(slot.newest);
  SortKeyList keys(collation_);
  keys.Reserve(newest.size(), newest.size() * 64);
  for (const TXPlayListItem* item : newest) keys.Add(item->WideFileName());
  ordered_.clear();
  for (std::uint32_t group : keys.Order())
    for (TXPlayListItem* item = newest[group]; item; item = item->olderSameName_) ordered_.push_back(item);
  pending_.clear();
  orderValid_ = true;
}

std::span<TXPlayListItem* const> TPlayListNameIndex::Ordered() {
  if (!orderValid_ || pending_.size() > kFewChanges + ordered_.size() / 16) {
    RebuildOrder();
  } else {
    // Each goes before its equals, so the newer of two equal names comes first.
    for (TXPlayListItem* item : pending_) ordered_.insert(FirstNotBefore(item->WideFileName()), item);
    pending_.clear();
  }
  return ordered_;
}

std::vector<TXPlayListItem*>::iterator TPlayListNameIndex::FirstNotBefore(std::u16string_view name) {
  return std::lower_bound(ordered_.begin(), ordered_.end(), name,
                          [this](const TXPlayListItem* a, std::u16string_view n) {
                            return collation_.Compare(a->WideFileName(), n) < 0;
                          });
}

std::size_t TPlayListNameIndex::LowerBound(std::u16string_view name) {
  Ordered();
  return FirstNotBefore(name) - ordered_.begin();
}

}  // namespace nv
