#include "playlist/XPlayList.h"

#include <algorithm>
#include <exception>

#include "metadata/MediaPaths.h"
#include "playlist/PlayListSort.h"
#include "playlist/ShuffleOrder.h"
#include "support/Errors.h"
#include "support/MarkedText.h"
#include "support/PathNames.h"

namespace nv {

TXPlayList::Bracket::~Bracket() noexcept(false) {
  if (std::uncaught_exceptions() == failures_) {
    list_.EndUpdate();
    return;
  }
  try {
    list_.EndUpdate();
  } catch (...) {
  }
}

TXPlayList::TXPlayList(const TPlayListEnvironment& environment)
    : environment_(environment), driveTypes_(environment.Drives), nameIndex_(environment.Collation) {
  // The process-wide generator is reseeded whenever a list is made, so shuffles differ from run to run; a list
  // given a seeded source keeps that source's sequence.
  if (&environment_.Random == &ProcessRandom()) ReseedProcessRandomFromClock();
}

TXPlayList::~TXPlayList() { DestroyAllItems(); }

// ---- Notifications ----

void TXPlayList::Update() { infoCursor_ = -1; }

void TXPlayList::BeginUpdate() { ++updateCount_; }

void TXPlayList::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ > 0) return;
  driveTypes_.Forget();
  if (changedInBracket_) {
    changedInBracket_ = false;
    Update();
  }
}

void TXPlayList::Changed() {
  if (updateCount_ > 0)
    changedInBracket_ = true;
  else
    Update();
}

// ---- What an unbound list answers ----

TXPlayListItem* TXPlayList::GetCurrent() { return nullptr; }
void TXPlayList::SetCurrent(TXPlayListItem*, bool, TSetCurrentMode) {}
TXPlayListItem* TXPlayList::GetPrepared() { return nullptr; }
void TXPlayList::ItemRemoving(TXPlayListItem&) {}
TXPlayerState TXPlayList::GetPlayerState() { return TXPlayerState::psStopped; }
bool TXPlayList::AcceptFile(std::string_view) { return false; }

void TXPlayList::Clear() {
  Bracket bracket(*this);
  DiscardShuffleOrder();
  fileName_.clear();
  if (items_.empty()) return;
  std::vector<TXPlayListItem*> all;
  all.reserve(items_.size());
  for (const auto& item : items_) {
    item->removing_ = true;
    all.push_back(item.get());
  }
  DestroyItems(all);
}

// ---- Items ----

TXPlayListItem& TXPlayList::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(FormatText(kListIndexErrorMessage, {index}));
  return *items_[index];
}

TXPlayListItem* TXPlayList::NewItem(std::string path, std::u16string wideName, std::optional<std::uint64_t> nameHash) {
  auto item = std::unique_ptr<TXPlayListItem>(new TXPlayListItem(*this, std::move(path), names_.Add(wideName)));
  TXPlayListItem* added = item.get();
  added->index_ = Count();
  items_.push_back(std::move(item));
  if (nameHash)
    nameIndex_.Add(*added, *nameHash);
  else
    nameIndex_.Add(*added);
  DiscardShuffleOrder();
  Changed();
  return added;
}

void TXPlayList::Rename(TXPlayListItem& item, std::string fileName) {
  nameIndex_.Remove(item);
  names_.Release(item.WideFileName());
  const std::u16string wide = MarkedToUtf16(fileName);
  item.SetFileName(std::move(fileName), names_.Add(wide));
  nameIndex_.Add(item);
  RenewNamesIfWasteful();
}

void TXPlayList::RenewNamesIfWasteful() {
  if (!names_.WantsRenewal()) return;
  TNameStore renewed;
  for (const auto& item : items_) item->wideName_ = renewed.Add(item->wideName_);
  names_ = std::move(renewed);
}

void TXPlayList::Reindex(std::size_t from) {
  for (std::size_t i = from; i < items_.size(); ++i) items_[i]->index_ = static_cast<int>(i);
}

void TXPlayList::Move(int from, int to) {
  Items(from);
  Items(to);
  if (from == to) return;
  auto rotate = [from, to](auto& v) {
    const auto first = v.begin();
    if (from < to)
      std::rotate(first + from, first + from + 1, first + to + 1);
    else
      std::rotate(first + to, first + from, first + from + 1);
  };
  rotate(items_);
  if (!shuffleOrder_.empty()) rotate(shufflePositions_);
  Reindex(std::min(from, to));
  positionHint_ = -1;
  Changed();
}

// ---- Destroying ----

// The player lets go of an item before it dies: the current item is unset first, then whoever holds the item
// (a prepared graph, an inspected graph, a graph still building for it) is told.
void TXPlayList::HandOver(TXPlayListItem& item) {
  if (GetCurrent() == &item) SetCurrent(nullptr, false, TSetCurrentMode::smNormal);
  ItemRemoving(item);
}

void TXPlayList::DestroyItem(TXPlayListItem& item) {
  item.removing_ = true;
  DestroyItems({&item});
}

// Every item is handed over while the list is still whole; then all of them leave the name index and the
// collection in one pass, so removing many items costs no more than removing one.
void TXPlayList::DestroyItems(const std::vector<TXPlayListItem*>& order) {
  positionHint_ = -1;
  try {
    HandingOver handingOver(*this);
    for (TXPlayListItem* item : order) HandOver(*item);
  } catch (...) {
    for (TXPlayListItem* item : order) item->removing_ = false;
    throw;
  }
  if (order.size() == items_.size())
    nameIndex_.Clear();
  else
    nameIndex_.Remove(order);
  std::vector<std::unique_ptr<TXPlayListItem>> gone;
  gone.reserve(order.size());
  std::size_t kept = 0;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i]->removing_) {
      names_.Release(items_[i]->WideFileName());
      gone.push_back(std::move(items_[i]));
    } else {
      if (kept != i) items_[kept] = std::move(items_[i]);
      items_[kept]->index_ = static_cast<int>(kept);
      ++kept;
    }
  }
  items_.resize(kept);
  if (items_.empty())
    names_.Clear();
  else
    RenewNamesIfWasteful();
  DiscardShuffleOrder();
  if (gone.empty()) return;
  if (lastInfoIndex_ >= Count()) lastInfoIndex_ = -1;
  Changed();
}

void TXPlayList::DestroyAllItems() {
  positionHint_ = -1;
  HandingOver handingOver(*this);
  for (const auto& item : items_) item->removing_ = true;
  for (const auto& item : items_) HandOver(*item);
  DiscardShuffleOrder();
  nameIndex_.Clear();
  items_.clear();
  names_.Clear();
}

void TXPlayList::Delete(int index) { DestroyItem(Items(index)); }

int TXPlayList::FinishDeletion(const std::vector<TXPlayListItem*>& doomed, std::optional<int> position,
                               bool keepPlaying, bool select) {
  const bool wasPlaying = GetPlayerState() == TXPlayerState::psPlaying;
  int at = position ? *position : CurrentIndex();
  const int before =
      static_cast<int>(std::count_if(doomed.begin(), doomed.end(), [at](auto* item) { return item->index_ < at; }));
  {
    Bracket bracket(*this);
    if (!doomed.empty()) DestroyItems(doomed);
  }
  at = Count() == 0 ? -1 : std::clamp(at - before, 0, Count() - 1);
  if (select) PlayIndex(at, keepPlaying && wasPlaying, TSetCurrentMode::smNormal);
  return at;
}

int TXPlayList::DeleteFiles(std::span<const std::string> paths, std::optional<int> position, bool keepPlaying,
                            bool select) {
  std::vector<TXPlayListItem*> doomed;
  for (const std::string& path : paths) {
    // The first item of that name not already chosen: a path named twice removes two items.
    for (TXPlayListItem* item = nameIndex_.First(MarkedToUtf16(path)); item;
         item = TPlayListNameIndex::NextOfSameName(*item)) {
      if (item->removing_) continue;
      item->removing_ = true;
      doomed.push_back(item);
      break;
    }
  }
  return FinishDeletion(doomed, position, keepPlaying, select);
}

int TXPlayList::DeleteFolders(std::span<const std::string> folders, std::optional<int> position, bool keepPlaying,
                              bool select) {
  std::vector<std::u16string> prefixes;
  for (const std::string& folder : folders) prefixes.push_back(IncludeTrailingPathDelimiter(MarkedToUtf16(folder)));
  std::vector<TXPlayListItem*> doomed;
  for (const auto& item : items_) {
    const std::u16string_view name = item->WideFileName();
    for (const std::u16string& prefix : prefixes) {
      if (name.size() >= prefix.size() && CompareNames(prefix, name.substr(0, prefix.size())) == 0) {
        item->removing_ = true;
        doomed.push_back(item.get());
        break;
      }
    }
  }
  return FinishDeletion(doomed, position, keepPlaying, select);
}

int TXPlayList::DeleteIndices(std::span<const int> indices, std::optional<int> position, bool keepPlaying,
                              bool select) {
  std::vector<TXPlayListItem*> doomed;
  doomed.reserve(indices.size());
  for (const int index : indices) {
    if (index < 0 || index >= Count() || items_[index]->removing_) continue;
    items_[index]->removing_ = true;
    doomed.push_back(items_[index].get());
  }
  return FinishDeletion(doomed, position, keepPlaying, select);
}

// ---- Looking up ----

int TXPlayList::CompareNames(std::u16string_view a, std::u16string_view b) const {
  return environment_.Collation.Compare(a, b);
}

int TXPlayList::IndexOfFile(std::string_view path) const {
  const TXPlayListItem* item = nameIndex_.First(MarkedToUtf16(path));
  return item ? item->index_ : -1;
}

int TXPlayList::IndexOfItem(const TXPlayListItem& item) const {
  if (item.IsSubRange())
    return IndexOfRange(item.FileName(), item.StartTime(), item.EndTime().value_or(kOpenRangeEnd));
  const TXPlayListItem* found = nameIndex_.First(item.WideFileName());
  return found ? found->index_ : -1;
}

int TXPlayList::IndexOfRange(std::string_view path, std::int64_t start, std::int64_t end) const {
  for (const TXPlayListItem* at = nameIndex_.First(MarkedToUtf16(path)); at;
       at = TPlayListNameIndex::NextOfSameName(*at)) {
    const TXPlayListItem& item = *at;
    if (!item.IsSubRange()) return item.index_;
    const std::optional<std::int64_t> itemEnd = item.EndTime();
    if (item.StartTime() <= start && (!itemEnd || (end > 0 && *itemEnd >= end))) return item.index_;
  }
  return -1;
}

int TXPlayList::IndexOfFolder(std::string_view folder) const {
  const std::u16string prefix = IncludeTrailingPathDelimiter(MarkedToUtf16(folder));
  const std::size_t at = nameIndex_.LowerBound(prefix, items_);
  const std::span<TXPlayListItem* const> ordered = nameIndex_.Ordered(items_);
  if (at == ordered.size()) return -1;
  const std::u16string_view name = ordered[at]->WideFileName();
  if (name.size() < prefix.size() || CompareNames(prefix, name.substr(0, prefix.size())) != 0) return -1;
  return ordered[at]->index_;
}

// ---- Current item and play order ----

int TXPlayList::CurrentIndex() {
  const TXPlayListItem* current = GetCurrent();
  return current && current->list_ == this ? current->index_ : -1;
}

int TXPlayList::CurrentPosition() { return PlayOrderIndexOf(GetCurrent()); }

void TXPlayList::DiscardShuffleOrder() {
  shuffleOrder_.clear();
  shufflePositions_.clear();
  positionHint_ = -1;
}

// Built on first use after a change: every item but the current one, in index order, inserted at a random place;
// then the current item in front. The same order serves every wrap until it is discarded. The items themselves are
// not read: at 100,000 entries every scattered read costs more than the rest of the work.
void TXPlayList::EnsureShuffleOrder() {
  if (!shuffleOrder_.empty() || !(options_ & ploShuffle) || items_.empty()) return;
  const TXPlayListItem* current = GetCurrent();
  const int skipped = current && current->list_ == this ? current->index_ : -1;
  const auto others = static_cast<std::uint32_t>(items_.size() - (skipped >= 0 ? 1 : 0));
  const std::vector<std::uint32_t> order = InsertionShuffle(others, environment_.Random);
  shuffleOrder_.reserve(items_.size());
  shufflePositions_.resize(items_.size());
  auto append = [this](std::size_t index) {
    shufflePositions_[index] = static_cast<int>(shuffleOrder_.size());
    shuffleOrder_.push_back(items_[index].get());
  };
  if (skipped >= 0) append(skipped);
  // The k-th of the other items has index k, or k + 1 from the current item on.
  for (std::uint32_t k : order) append(skipped >= 0 && k >= static_cast<std::uint32_t>(skipped) ? k + 1 : k);
}

TXPlayListItem* TXPlayList::PlayOrderItemAt(int position) const {
  return shuffleOrder_.empty() ? items_[position].get() : shuffleOrder_[position];
}

TXPlayListItem* TXPlayList::PlayOrderItem(int position) {
  if (position < 0 || position >= Count()) return nullptr;
  EnsureShuffleOrder();
  return PlayOrderItemAt(position);
}

int TXPlayList::PlayOrderIndexOf(const TXPlayListItem* item) {
  if (!item) return -1;
  EnsureShuffleOrder();
  // The hint never names an item being destroyed, so the item itself need not be read.
  if (positionHint_ >= 0 && positionHint_ < Count() && PlayOrderItemAt(positionHint_) == item) return positionHint_;
  if (item->list_ != this || item->removing_) return -1;
  positionHint_ = shuffleOrder_.empty() ? item->index_ : shufflePositions_[item->index_];
  return positionHint_;
}

void TXPlayList::StartCurrent(bool play) {
  if (items_.empty()) return;
  TXPlayListItem* current = GetCurrent();
  SetCurrent(current ? current : PlayOrderItem(0), play, TSetCurrentMode::smNormal);
}

void TXPlayList::PlayIndex(int index, bool play, TSetCurrentMode mode) {
  if (index < 0 || index >= Count()) return;
  SetCurrent(items_[index].get(), play, mode);
}

// From the prepared item when there is one (so preparing twice moves on), else from the current one. Wrapping
// is allowed only when asked and either playing or repeating; after a wrap playback goes on only with Repeat.
void TXPlayList::Step(bool forward, bool play, bool wrap, TSetCurrentMode mode) {
  const int count = Count();
  if (count == 0) return;
  const bool repeat = options_ & ploRepeat;
  const bool mayWrap = wrap && (play || repeat);
  bool willPlay = play || GetPlayerState() != TXPlayerState::psStopped;
  TXPlayListItem* prepared = GetPrepared();
  const int from = prepared ? PlayOrderIndexOf(prepared) : CurrentPosition();
  int to = forward ? from + 1 : (from == -1 ? count : from) - 1;
  if (to < 0 || to >= count) {
    if (!mayWrap) return;
    to = forward ? 0 : count - 1;
    willPlay = willPlay && repeat;
  }
  TXPlayListItem* next = PlayOrderItem(to);
  // A player that moves on while it lets go of an item (preparing another next item once the prepared one is
  // discarded) is not led to an item on its way out.
  if (handingOver_ && next->removing_) return;
  positionHint_ = to;
  SetCurrent(next, willPlay, mode);
}

// ---- Order and options ----

void TXPlayList::SetOptions(TXPlayListOptions options) {
  if (options == options_) return;
  if ((options ^ options_) & ploShuffle) DiscardShuffleOrder();
  if ((options_ & ploAllowDuplicates) && !(options & ploAllowDuplicates)) RemoveDuplicates();
  options_ = options;
  Changed();
}

void TXPlayList::Sort(std::span<const int> keys) {
  if (items_.empty()) return;
  Bracket bracket(*this);
  const std::vector<std::uint32_t> order =
      SortedOrder(items_, keys, nameIndex_.NameOrder(items_), environment_.Collation);
  // The items are told their new indexes in their old order, which is closer to the order they lie in memory.
  std::vector<std::uint32_t> newIndex(items_.size());
  for (std::size_t p = 0; p < order.size(); ++p) newIndex[order[p]] = static_cast<std::uint32_t>(p);
  std::vector<std::unique_ptr<TXPlayListItem>> sorted(items_.size());
  for (std::size_t i = 0; i < items_.size(); ++i) {
    items_[i]->index_ = static_cast<int>(newIndex[i]);
    sorted[newIndex[i]] = std::move(items_[i]);
  }
  items_ = std::move(sorted);
  DiscardShuffleOrder();
  Changed();
}

namespace {
// Two items of one file are the same entry when they cover the same range: both the whole file, or the same start
// and end.
struct RangeKey {
  bool subRange;
  std::int64_t start, end;
  int index;
  auto operator<=>(const RangeKey&) const = default;
  bool SameRange(const RangeKey& other) const {
    return subRange == other.subRange && start == other.start && end == other.end;
  }
};
RangeKey RangeKeyOf(const TXPlayListItem& item) {
  if (!item.IsSubRange()) return {false, 0, 0, item.Index()};
  return {true, item.StartTime(), item.EndTime().value_or(-1), item.Index()};
}
}  // namespace

// The name index knows the names that several items share; of each entry the item with the lowest index stays.
// Sub-ranges of one file (the tracks of a CUE sheet) are different entries.
void TXPlayList::RemoveDuplicates() {
  const bool wasPlaying = GetPlayerState() == TXPlayerState::psPlaying;
  {
    Bracket bracket(*this);
    std::vector<TXPlayListItem*> doomed;
    std::vector<RangeKey> group;
    nameIndex_.ForEachSharedName([&](TXPlayListItem& newest) {
      group.clear();
      for (TXPlayListItem* item = &newest; item; item = TPlayListNameIndex::NextOfSameName(*item))
        group.push_back(RangeKeyOf(*item));
      std::sort(group.begin(), group.end());
      for (std::size_t i = 1; i < group.size(); ++i)
        if (group[i].SameRange(group[i - 1])) doomed.push_back(items_[group[i].index].get());
    });
    // Handed over from the end of the list towards its start, as one item after another would be removed.
    std::sort(doomed.begin(), doomed.end(), [](auto* a, auto* b) { return a->index_ > b->index_; });
    for (TXPlayListItem* item : doomed) item->removing_ = true;
    if (!doomed.empty()) DestroyItems(doomed);
  }
  StartCurrent(wasPlaying);
}

void TXPlayList::RefreshInfo() {
  Bracket bracket(*this);
  for (const auto& item : items_) {
    if (!item->Info.Loaded || HasUrlScheme(item->FileName()) || item->IsSubRange()) continue;
    item->Info.Clear();
    item->Info.InitFromName(item->FileName(), driveTypes_);
    Changed();
  }
}

// The cursor moves on from the item read; only a change of the list itself (Update) sends it back to the top. A
// change of some item's information does not, so a pass over n items examines each about once instead of
// starting over from the top after every item read.
bool TXPlayList::ReadNextInfo() {
  lastInfoIndex_ = -1;
  const int count = Count();
  if (count == 0) return false;
  const int start = std::clamp(infoCursor_, 0, count - 1);
  int i = start;
  while (items_[i]->Info.Loaded) {
    i = (i + 1) % count;
    if (i == start) return false;
  }
  TXPlayListItem& item = *items_[i];
  item.Info.LoadInfoQuietly(item.FileName());
  lastInfoIndex_ = i;
  infoCursor_ = (i + 1) % count;
  return true;
}

}  // namespace nv
