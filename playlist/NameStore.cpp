#include "playlist/NameStore.h"

#include <algorithm>

namespace nv {

std::u16string_view TNameStore::Add(std::u16string_view name) {
  if (name.empty()) return {};
  char16_t* at;
  if (name.size() > kBlockSize / 4) {
    // A long name has a block of its own, so that blocks are not left mostly empty.
    long_.push_back(std::make_unique<char16_t[]>(name.size()));
    at = long_.back().get();
  } else {
    if (name.size() > free_) {
      blocks_.push_back(std::make_unique<char16_t[]>(kBlockSize));
      free_ = kBlockSize;
    }
    at = blocks_.back().get() + (kBlockSize - free_);
    free_ -= name.size();
  }
  std::copy(name.begin(), name.end(), at);
  stored_ += name.size();
  return {at, name.size()};
}

void TNameStore::Clear() {
  blocks_.clear();
  long_.clear();
  free_ = stored_ = unused_ = 0;
}

}  // namespace nv
