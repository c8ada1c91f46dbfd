#include "support/SortKeys.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace nv {

void SortKeyList::Reserve(std::size_t texts, std::size_t keyBytes) {
  starts_.reserve(texts + 1);
  bytes_.reserve(keyBytes);
}

void SortKeyList::Add(std::u16string_view text) {
  collation_.AppendSortKey(text, bytes_);
  starts_.push_back(static_cast<std::uint32_t>(bytes_.size()));
}

namespace {

// One text while it is sorted: its number and the window of its key at the current depth. A window holds up to seven
// key bytes, big-endian in the top 56 bits, and in the low byte how many of them the key has (7 when the key may go
// on). Comparing windows as numbers compares those key bytes as unsigned bytes with a shorter run first, so two keys
// whose windows are equal and full go on at depth + 7, and equal windows that are not full mean equal keys.
struct Entry {
  std::uint64_t window;
  std::uint32_t text;
};

constexpr std::size_t kWindowBytes = 7;

std::uint64_t WindowOf(std::string_view key, std::size_t depth) {
  std::uint64_t window = 0;
  const std::size_t count = depth < key.size() ? std::min(kWindowBytes, key.size() - depth) : 0;
  for (std::size_t i = 0; i < kWindowBytes; ++i)
    window = (window << 8) | (i < count ? static_cast<unsigned char>(key[depth + i]) : 0u);
  return (window << 8) | count;
}

bool IsFull(std::uint64_t window) { return (window & 0xFF) == kWindowBytes; }

// The top bits in which the windows of a range differ, eight of them: the digit a distributing pass goes by.
struct Digit {
  unsigned shift;
  bool any;  // false: all windows are equal
};
Digit TopDigit(const Entry* e, std::size_t n) {
  std::uint64_t differ = 0;
  for (std::size_t i = 1; i < n; ++i) differ |= e[i].window ^ e[0].window;
  if (differ == 0) return {0, false};
  const unsigned high = 63 - static_cast<unsigned>(std::countl_zero(differ));
  return {high >= 7 ? high - 7 : 0, true};
}

// Distributes the entries into 256 runs by the digit at `shift` (the bits above it being equal in all of them), in
// the digit's order; calls `run` with each non-empty run's start and length. One pass over the range, whatever the
// number of distinct windows.
template <class Run>
void Distribute(Entry* e, std::size_t n, unsigned shift, std::vector<Entry>& scratch, Run run) {
  std::size_t start[257] = {};
  for (std::size_t i = 0; i < n; ++i) ++start[((e[i].window >> shift) & 0xFF) + 1];
  for (std::size_t d = 1; d <= 256; ++d) start[d] += start[d - 1];
  std::size_t next[256];
  std::copy(start, start + 256, next);
  scratch.resize(n);
  for (std::size_t i = 0; i < n; ++i) scratch[next[(e[i].window >> shift) & 0xFF]++] = e[i];
  std::copy(scratch.begin(), scratch.begin() + n, e);
  for (std::size_t d = 0; d < 256; ++d)
    if (start[d + 1] > start[d]) run(start[d], start[d + 1] - start[d]);
}

}  // namespace

// Radix sorting on the windows: a range is ordered by its windows (distributed by their top differing bits when it is
// large, partitioned around one window when not), and each run of equal full windows is sorted again at the next
// depth; small ranges are finished by insertion. It starts past the beginning that all keys share, and ranges wait on
// an explicit stack, so the depth of a key never becomes the depth of the call stack.
std::vector<std::uint32_t> SortKeyList::Order() const {
  const auto count = static_cast<std::uint32_t>(size());
  std::size_t shared = count > 0 ? Key(0).size() : 0;
  for (std::uint32_t i = 1; i < count && shared > 0; ++i) {
    const std::string_view first = Key(0).substr(0, shared), key = Key(i);
    shared = std::mismatch(first.begin(), first.end(), key.begin(), key.end()).first - first.begin();
  }
  std::vector<Entry> entries(count), scratch;
  for (std::uint32_t i = 0; i < count; ++i) entries[i] = {WindowOf(Key(i), shared), i};

  struct Range {
    std::size_t first, count, depth;
  };
  std::vector<Range> pending{{0, entries.size(), shared}};
  // A run of entries with the same window: sorted again one window deeper, or, when the window is not full, a run of
  // equal keys, put in the order they were added.
  auto equalWindows = [&](std::size_t first, std::size_t n, std::size_t depth) {
    Entry* const e = entries.data() + first;
    if (IsFull(e[0].window)) {
      for (std::size_t k = 0; k < n; ++k) e[k].window = WindowOf(Key(e[k].text), depth + kWindowBytes);
      pending.push_back({first, n, depth + kWindowBytes});
    } else {
      std::sort(e, e + n, [](const Entry& a, const Entry& b) { return a.text < b.text; });
    }
  };
  constexpr std::size_t kLargeRange = 4096;
  while (!pending.empty()) {
    const Range range = pending.back();
    pending.pop_back();
    Entry* const e = entries.data() + range.first;
    const std::size_t n = range.count, depth = range.depth;
    if (n < 2) continue;
    if (n <= 16) {
      // The windows first, then the rest of the keys, then the numbers.
      auto before = [&](const Entry& a, const Entry& b) {
        if (a.window != b.window) return a.window < b.window;
        if (IsFull(a.window)) {
          const int c = Key(a.text).substr(depth).compare(Key(b.text).substr(depth));
          if (c != 0) return c < 0;
        }
        return a.text < b.text;
      };
      std::sort(e, e + n, before);
      continue;
    }
    if (n >= kLargeRange) {
      const Digit digit = TopDigit(e, n);
      if (!digit.any)
        equalWindows(range.first, n, depth);
      else
        Distribute(e, n, digit.shift, scratch, [&](std::size_t first, std::size_t count) {
          pending.push_back({range.first + first, count, depth});
        });
      continue;
    }
    std::uint64_t candidates[] = {e[0].window, e[n / 2].window, e[n - 1].window};
    std::sort(std::begin(candidates), std::end(candidates));
    const std::uint64_t pivot = candidates[1];
    std::size_t less = 0, i = 0, greater = n;
    while (i < greater) {
      if (e[i].window < pivot)
        std::swap(e[less++], e[i++]);
      else if (e[i].window > pivot)
        std::swap(e[i], e[--greater]);
      else
        ++i;
    }
    pending.push_back({range.first, less, depth});
    pending.push_back({range.first + greater, n - greater, depth});
    equalWindows(range.first + less, greater - less, depth);
  }

  std::vector<std::uint32_t> order(count);
  for (std::uint32_t i = 0; i < count; ++i) order[i] = entries[i].text;
  return order;
}

}  // namespace nv
