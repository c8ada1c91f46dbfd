#include "playlist/ShuffleOrder.h"

namespace nv {

namespace {

// A Fenwick tree over the free positions of the result, each counted 1 while free.
class FreePositions {
public:
  explicit FreePositions(std::uint32_t count) : tree_(count + 1, 0) {
    for (std::uint32_t i = 1; i <= count; ++i) {
      tree_[i] += 1;
      if (const std::uint32_t parent = i + (i & -i); parent <= count) tree_[parent] += tree_[i];
    }
    top_ = 1;
    while (top_ * 2 <= count) top_ *= 2;
  }

  // Takes the free position with `rank` free positions before it.
  std::uint32_t Take(std::uint32_t rank) {
    std::uint32_t at = 0;
    for (std::uint32_t step = top_; step > 0; step /= 2) {
      if (at + step < tree_.size() && tree_[at + step] <= rank) {
        at += step;
        rank -= tree_[at];
      }
    }
    for (std::uint32_t i = at + 1; i < tree_.size(); i += i & -i) tree_[i] -= 1;
    return at;
  }

private:
  std::vector<std::uint32_t> tree_;
  std::uint32_t top_ = 0;
};

}  // namespace

// The item inserted last keeps the position it was inserted at; each earlier one ends at the position its draw
// named among those the later items left free.
std::vector<std::uint32_t> InsertionShuffle(std::uint32_t count, RandomSource& random) {
  std::vector<std::uint32_t> draws(count);
  for (std::uint32_t k = 0; k < count; ++k) draws[k] = random.Below(k + 1);
  std::vector<std::uint32_t> order(count);
  FreePositions free(count);
  for (std::uint32_t k = count; k-- > 0;) order[free.Take(draws[k])] = k;
  return order;
}

}  // namespace nv
