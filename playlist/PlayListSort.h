#pragma once
// Sorting a playlist by the fields of its items' media information, and the ten ways the sort menu offers.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "support/TextCompare.h"

namespace nv {

class TXPlayListItem;

// Compares two items key by key (field numbers 0..9): a missing or empty value sorts after a present one; track
// number, duration, bitrate and file size compare as whole numbers, every other field as text in the user's
// locale; when all keys are equal the file name decides. Each item's keys are read and converted once, not at every
// comparison. The sort is stable: items equal in every key and in name (the tracks of one CUE sheet) keep their order.
// Returns the new order as indexes into `items`.
std::vector<std::uint32_t> SortedOrder(std::span<const std::unique_ptr<TXPlayListItem>> items,
                                       std::span<const int> keys, TextCollation& collation);

// The rows of the sort menu, in order; no key sorts by file name.
struct TSortMenuRow {
  const char* Caption;
  int Key;  // field number, or kSortByFileName
};
inline constexpr int kSortByFileName = -1;
inline constexpr TSortMenuRow kSortMenuRows[] = {
    {"File name", kSortByFileName}, {"Artist", 3},   {"Album", 2},    {"Title", 1},     {"Track No", 0},
    {"Year", 4},                    {"Genre", 5},    {"Duration", 6}, {"File size", 9}, {"Bitrate", 7},
};
inline constexpr int kSortMenuRowCount = 10;

// The keys of a row, for TXPlayList::Sort.
std::span<const int> SortMenuKeys(const TSortMenuRow& row);

}  // namespace nv
