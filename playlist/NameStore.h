#pragma once
// The UTF-16 names of a list's items, held side by side in large blocks instead of in a heap block each. A pass over
// every item's name (making the order by name, sorting, removing a folder) then reads memory in the order the names
// were stored rather than wherever the heap put each one; after many removals the list stores its names afresh, in
// its own order. A stored name does not move until then.
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace nv {

class TNameStore {
public:
  TNameStore() = default;
  TNameStore(TNameStore&&) = default;
  TNameStore& operator=(TNameStore&&) = default;

  // A copy of `name` that stays where it is while the store lives.
  std::u16string_view Add(std::u16string_view name);
  // `name`, added before, is no longer used.
  void Release(std::u16string_view name) { unused_ += name.size(); }
  // Enough of the store is unused that storing the names afresh pays.
  bool WantsRenewal() const { return unused_ > kBlockSize && unused_ > stored_ - unused_; }
  void Clear();

private:
  static constexpr std::size_t kBlockSize = 32768;  // code units

  std::vector<std::unique_ptr<char16_t[]>> blocks_;  // of kBlockSize units, the last one being filled
  std::vector<std::unique_ptr<char16_t[]>> long_;    // one name each
  std::size_t free_ = 0;    // free units at the end of the last block
  std::size_t stored_ = 0;  // units handed out, used or not
  std::size_t unused_ = 0;
};

}  // namespace nv
