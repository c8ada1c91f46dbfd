#pragma once
// The shuffled play order. Its rule: the items are taken one by one, and each is inserted into the order built so
// far at a position drawn uniformly from 0..(its length) inclusive. Done literally that costs a quadratic number of
// moves; InsertionShuffle gives the same order for the same draws in O(n log n).
#include <cstdint>
#include <vector>

#include "support/RandomSource.h"

namespace nv {

// The order of `count` items inserted as above: element p is the number of the item that ends at position p.
// The draws are made in insertion order, one per item, Below(k + 1) for the k-th.
std::vector<std::uint32_t> InsertionShuffle(std::uint32_t count, RandomSource& random);

}  // namespace nv
