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
    if ((groups_ + 1) * 3 > slots_.size() * 2) Rehash(std::max<std::size_t>(16, slots_.size() * 2));
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = hash & mask;
    while (slots_[i].newest) i = (i + 1) & mask;
    slots_[i] = {hash, &item};
    ++groups_;
    item.olderSameName_ = nullptr;
  }
  if (orderValid_) {
    pending_.push_back(&item);
    if (OrderToBeMade()) ForgetOrder();  // it will be made afresh anyway; the pending items need not be kept
  }
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

// Each name's items are unlinked in one walk, however many of them go: the first of them met unlinks all.
void TPlayListNameIndex::Remove(std::span<TXPlayListItem* const> items) {
  if (items.size() <= kFewChanges / 8) {
    for (TXPlayListItem* item : items) Remove(*item);
    return;
  }
  for (TXPlayListItem* item : items) item->leavingIndex_ = true;
  for (TXPlayListItem* item : items) {
    if (!item->leavingIndex_) continue;  // unlinked with an item of its name
    const std::size_t slot = SlotHolding(*item);
    if (slot == kNone) continue;
    for (TXPlayListItem** link = &slots_[slot].newest; *link;) {
      TXPlayListItem* const at = *link;
      if (at->leavingIndex_) {
        *link = at->olderSameName_;
        at->olderSameName_ = nullptr;
        at->leavingIndex_ = false;
      } else {
        link = &at->olderSameName_;
      }
    }
    if (!slots_[slot].newest) FreeSlot(slot);
  }
  for (TXPlayListItem* item : items) item->leavingIndex_ = true;
  if (orderValid_) {
    auto leaving = [](const TXPlayListItem* item) { return item->leavingIndex_; };
    std::erase_if(ordered_, leaving);
    std::erase_if(pending_, leaving);
  }
  for (TXPlayListItem* item : items) item->leavingIndex_ = false;
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

// The items' names are read in the list's order, which is mostly the order they lie in memory, and put in order by
// their sort keys. The items of one name then stand together; they are taken in their group's order, newest first.
void TPlayListNameIndex::RebuildOrder(std::span<const std::unique_ptr<TXPlayListItem>> items,
                                      std::vector<std::uint32_t>* positions) {
  SortKeyList keys(collation_);
  keys.Reserve(items.size(), items.size() * 64);
  for (const auto& item : items) keys.Add(item->WideFileName());
  std::vector<std::uint32_t> byKey = keys.Order();  // equal keys in the order of their positions
  ordered_.clear();
  ordered_.reserve(items.size());
  // Marks the positions of the run of equal keys at hand, so that its group's walk picks each out at once: a name
  // that thousands of items share costs their number, not its square.
  std::vector<bool> inRun;
  for (std::size_t first = 0; first < byKey.size();) {
    const std::string_view key = keys.Key(byKey[first]);
    std::size_t end = first + 1;
    while (end < byKey.size() && keys.Key(byKey[end]) == key) ++end;
    if (end - first == 1) {
      ordered_.push_back(items[byKey[first]].get());
    } else {
      if (inRun.empty()) inRun.resize(items.size());
      for (std::size_t i = first; i < end; ++i) inRun[byKey[i]] = true;
      for (TXPlayListItem* item = First(items[byKey[first]]->WideFileName()); item; item = item->olderSameName_) {
        const auto position = static_cast<std::size_t>(item->Index());
        if (position >= inRun.size() || !inRun[position]) continue;
        ordered_.push_back(item);
        inRun[position] = false;
      }
      // Where the keys and the comparison part.
      for (std::size_t i = first; i < end; ++i)
        if (inRun[byKey[i]]) {
          ordered_.push_back(items[byKey[i]].get());
          inRun[byKey[i]] = false;
        }
    }
    first = end;
  }
  pending_.clear();
  orderValid_ = true;
  if (positions) *positions = std::move(byKey);
}

bool TPlayListNameIndex::OrderToBeMade() const {
  return !orderValid_ || pending_.size() > kFewChanges + ordered_.size() / 16;
}

std::span<TXPlayListItem* const> TPlayListNameIndex::Ordered(std::span<const std::unique_ptr<TXPlayListItem>> items) {
  if (OrderToBeMade()) {
    RebuildOrder(items);
  } else {
    // Each goes before its equals, so the newer of two equal names comes first.
    for (TXPlayListItem* item : pending_) ordered_.insert(FirstNotBefore(item->WideFileName()), item);
    pending_.clear();
  }
  return ordered_;
}

// Made with the order, the positions come straight from the keys; from an order kept up, by reading each item's.
std::vector<std::uint32_t> TPlayListNameIndex::NameOrder(std::span<const std::unique_ptr<TXPlayListItem>> items) {
  std::vector<std::uint32_t> positions;
  if (OrderToBeMade()) {
    RebuildOrder(items, &positions);
    return positions;
  }
  const std::span<TXPlayListItem* const> byName = Ordered(items);
  positions.reserve(byName.size());
  for (std::size_t first = 0; first < byName.size();) {
    std::size_t end = first + 1;
    while (end < byName.size() && NextOfSameName(*byName[end - 1]) == byName[end]) ++end;
    for (std::size_t i = first; i < end; ++i) positions.push_back(static_cast<std::uint32_t>(byName[i]->Index()));
    std::sort(positions.end() - (end - first), positions.end());  // a name's items newest first: by position
    first = end;
  }
  return positions;
}

std::vector<TXPlayListItem*>::iterator TPlayListNameIndex::FirstNotBefore(std::u16string_view name) {
  return std::lower_bound(ordered_.begin(), ordered_.end(), name,
                          [this](const TXPlayListItem* a, std::u16string_view n) {
                            return collation_.Compare(a->WideFileName(), n) < 0;
                          });
}

std::size_t TPlayListNameIndex::LowerBound(std::u16string_view name,
                                           std::span<const std::unique_ptr<TXPlayListItem>> items) {
  Ordered(items);
  return FirstNotBefore(name) - ordered_.begin();
}

}  // namespace nv
