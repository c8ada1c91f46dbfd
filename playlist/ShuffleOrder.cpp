#include "playlist/ShuffleOrder.h"

#include <algorithm>
#include <bit>

namespace nv {

namespace {

// The free positions of the result, found by rank: a bit per position (set while free), a count of free positions per
// word of 64 bits and per group of 64 words. Finding one reads a few counts and one word, all of them small enough to
// stay in the processor's nearest cache, so it costs about the same for 1,000 and for 100,000 items.
class FreePositions {
public:
  explicit FreePositions(std::uint32_t count)
      : words_((count + 63) / 64, ~std::uint64_t{0}), wordFree_(words_.size(), 64),
        groupFree_((words_.size() + kWordsPerGroup - 1) / kWordsPerGroup, 0) {
    if (count % 64 != 0) {
      words_.back() = (std::uint64_t{1} << (count % 64)) - 1;
      wordFree_.back() = static_cast<std::uint8_t>(count % 64);
    }
    for (std::size_t w = 0; w < words_.size(); ++w) groupFree_[w / kWordsPerGroup] += wordFree_[w];
  }

  // Takes the free position with `rank` free positions before it.
  std::uint32_t Take(std::uint32_t rank) {
    std::size_t group = 0;
    while (groupFree_[group] <= rank) rank -= groupFree_[group++];
    --groupFree_[group];
    std::size_t word = group * kWordsPerGroup;
    while (wordFree_[word] <= rank) rank -= wordFree_[word++];
    --wordFree_[word];
    std::uint64_t bits = words_[word];
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
  std::vector<std::uint32_t> groupFree_;
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
