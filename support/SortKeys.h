#pragma once
// Putting many texts in the order of the user's locale without comparing them two by two. Each text's sort key
// (TextCollation::AppendSortKey) is made once; the keys are then ordered by a radix sort that partitions on seven key
// bytes at a time held beside each text's number, so the bytes of a key are read about once. Paths share long
// beginnings ("C:\Music\Artist\Album\"), which every comparison of a comparison sort reads again; this order does not,
// and its cost grows with the number of texts instead of with that number times its logarithm.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/TextCompare.h"

namespace nv {

class SortKeyList {
public:
  explicit SortKeyList(TextCollation& collation) : collation_(collation) {}

  void Reserve(std::size_t texts, std::size_t keyBytes);
  // Adds the next text's key; texts are numbered from 0 in the order they are added.
  void Add(std::u16string_view text);
  std::size_t size() const { return starts_.size() - 1; }
  std::string_view Key(std::uint32_t text) const {
    return std::string_view(bytes_).substr(starts_[text], starts_[text + 1] - starts_[text]);
  }

  // The texts' numbers in the locale's order; texts with equal keys (texts that compare equal) in the order they
  // were added.
  std::vector<std::uint32_t> Order() const;

private:
  TextCollation& collation_;
  std::string bytes_;
  std::vector<std::uint32_t> starts_{0};  // key i is bytes_[starts_[i], starts_[i + 1])
};

}  // namespace nv
