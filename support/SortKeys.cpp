#include "support/SortKeys.h"

#include <algorithm>
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

}  // namespace

// Three-way radix quicksort on the windows: the entries below and above the pivot's window are sorted again at the
// same depth, the entries equal to it at the next depth; small ranges are finished by insertion. It starts past the
// beginning that all keys share, and ranges wait on an explicit stack, so the depth of a key never becomes the depth
// of the call stack.
std::vector<std::uint32_t> SortKeyList::Order() const {
  const auto count = static_cast<std::uint32_t>(size());
  std::size_t shared = count > 0 ? Key(0).size() : 0;
  for (std::uint32_t i = 1; i < count && shared > 0; ++i) {
    const std::string_view first = Key(0).substr(0, shared), key = Key(i);
    shared = std::mismatch(first.begin(), first.end(), key.begin(), key.end()).first - first.begin();
  }
  std::vector<Entry> entries(count);
  for (std::uint32_t i = 0; i < count; ++i) entries[i] = {WindowOf(Key(i), shared), i};

  struct Range {
    std::size_t first, count, depth;
  };
  std::vector<Range> pending{{0, entries.size(), shared}};
  auto byNumber = [](const Entry& a, const Entry& b) { return a.text < b.text; };
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
    if (IsFull(pivot)) {
      for (std::size_t k = less; k < greater; ++k) e[k].window = WindowOf(Key(e[k].text), depth + kWindowBytes);
      pending.push_back({range.first + less, greater - less, depth + kWindowBytes});
    } else {
      std::sort(e + less, e + greater, byNumber);  // equal keys
    }
  }

  std::vector<std::uint32_t> order(count);
  for (std::uint32_t i = 0; i < count; ++i) order[i] = entries[i].text;
  return order;
}

}  // namespace nv
