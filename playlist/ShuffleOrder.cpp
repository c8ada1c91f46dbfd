#include "playlist/ShuffleOrder.h"

#include <algorithm>
#include <bit>

namespace nv {

namespace {

// The free positions of the result, found by rank: a bit per position (set while free), a count of free positions per
// word of 64 bits, and per group of 64 words a count kept in a Fenwick tree. Finding one descends the small tree of
// groups, then reads the counts of one group and one word, all of them small enough to stay in the processor's
// nearest cache.
class FreePositions {
public:
  explicit FreePositions(std::uint32_t count)
      : words_((count + 63) / 64, ~std::uint64_t{0}), wordFree_(words_.size(), 64),
        groups_(std::bit_ceil(std::max<std::size_t>(1, (words_.size() + kWordsPerGroup - 1) / kWordsPerGroup))),
        groupTree_(groups_ + 1, 0) {
    if (count % 64 != 0) {
      words_.back() = (std::uint64_t{1} << (count % 64)) - 1;
      wordFree_.back() = static_cast<std::uint8_t>(count % 64);
    }
    for (std::size_t w = 0; w < words_.size(); ++w) groupTree_[w / kWordsPerGroup + 1] += wordFree_[w];
    for (std::size_t i = 1; i <= groups_; ++i)
      if (const std::size_t parent = i + (i & -i); parent <= groups_) groupTree_[parent] += groupTree_[i];
  }

  // Takes the free position with `rank` free positions before it.
  std::uint32_t Take(std::uint32_t rank) {
    std::size_t group = 0;  // the groups before it hold `rank` free positions or fewer
    for (std::size_t step = groups_ / 2; step > 0; step /= 2) {
      if (groupTree_[group + step] <= rank) {
        group += step;
        rank -= groupTree_[group];
      }
    }
    for (std::size_t i = group + 1; i <= groups_; i += i & -i) --groupTree_[i];
    std::size_t word = group * kWordsPerGroup;
    while (wordFree_[word] <= rank) rank -= wordFree_[word++];
    --wordFree_[word];
    const std::uint64_t bits = words_[word];
    unsigned shift = 0;
    for (unsigned inByte; rank >= (inByte = std::popcount((bits >> shift) & 0xFF)); shift += 8) rank -= inByte;
    std::uint64_t rest = bits >> shift;
    for (; rank > 0; --rank) rest &= rest - 1;  // the lowest free positions of that byte go first
    const unsigned bit = shift + std::countr_zero(rest);
    words_[word] = bits & ~(std::uint64_t{1} << bit);
    return static_cast<std::uint32_t>(word * 64 + bit);
  }

private:
  static constexpr std::size_t kWordsPerGroup = 64;
  std::vector<std::uint64_t> words_;
  std::vector<std::uint8_t> wordFree_;
  std::size_t groups_;                   // a power of two; groups past the words count 0
  std::vector<std::uint32_t> groupTree_;  // Fenwick tree of the groups' free positions, from 1
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
