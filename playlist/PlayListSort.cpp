#include "playlist/PlayListSort.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <string>
#include <unordered_map>

#include "playlist/XPlayListItem.h"
#include "support/SortKeys.h"

namespace nv {

namespace {

bool IsNumericField(int field) { return field == 0 || field == 6 || field == 7 || field == 9; }

// Sorts after every present value.
constexpr std::int64_t kEmpty = std::numeric_limits<std::int64_t>::max();

std::int64_t WholeNumber(const AttributeValue& value) {
  const double number = value.ToNumber().value_or(0);
  if (!std::isfinite(number)) return 0;
  // To the nearest whole number, halves to even.
  return static_cast<std::int64_t>(std::nearbyint(std::clamp(number, -9.0e18, 9.0e18)));
}

// One key of every item, by item index: for a numeric field the rounded number, for a text its rank among the
// key's distinct texts in the locale's order (texts that compare equal share a rank); kEmpty for a missing or empty
// value. Each distinct text gets one sort key, and the keys are ordered without comparing texts two by two.
std::vector<std::int64_t> KeyColumn(std::span<const std::unique_ptr<TXPlayListItem>> items, int field,
                                    TextCollation& collation) {
  std::vector<std::int64_t> column(items.size(), kEmpty);
  if (IsNumericField(field)) {
    for (std::size_t i = 0; i < items.size(); ++i) {
      const AttributeValue& value = items[i]->Field(field);
      if (!value.IsNull() && !(value.IsText() && value.ToUtf16().empty())) column[i] = WholeNumber(value);
    }
    return column;
  }
  // The distinct texts, found by the value's own text where it has one (no copy per item) and each given its key
  // once; a code-page text and a wide text that read alike are two of them, with equal keys.
  constexpr std::uint32_t kNoText = UINT32_MAX;
  std::unordered_map<std::string_view, std::uint32_t> codePageTexts;
  std::unordered_map<std::u16string_view, std::uint32_t> wideTexts;
  std::unordered_map<std::u16string, std::uint32_t> otherTexts;  // numbers kept as a text field's value
  SortKeyList keys(collation);
  auto idOf = [&keys](auto& distinct, auto text, const AttributeValue& value) {
    const auto [at, added] = distinct.try_emplace(text, static_cast<std::uint32_t>(keys.size()));
    if (added) keys.Add(value.ToUtf16());
    return at->second;
  };
  std::vector<std::uint32_t> textOf(items.size(), kNoText);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const AttributeValue& value = items[i]->Field(field);
    if (value.GetType() == AttributeValue::Type::AnsiText) {
      if (!value.AsAnsiText().empty()) textOf[i] = idOf(codePageTexts, value.AsAnsiText(), value);
    } else if (value.GetType() == AttributeValue::Type::WideText) {
      if (!value.AsWideText().empty()) textOf[i] = idOf(wideTexts, value.AsWideText(), value);
    } else if (std::u16string text = value.ToUtf16(); !text.empty()) {
      textOf[i] = idOf(otherTexts, std::move(text), value);
    }
  }
  const std::vector<std::uint32_t> byKey = keys.Order();
  std::vector<std::int64_t> rank(byKey.size());
  for (std::size_t r = 0, value = 0; r < byKey.size(); ++r) {
    if (r > 0 && keys.Key(byKey[r - 1]) != keys.Key(byKey[r])) ++value;
    rank[byKey[r]] = static_cast<std::int64_t>(value);
  }
  for (std::size_t i = 0; i < items.size(); ++i)
    if (textOf[i] != kNoText) column[i] = rank[textOf[i]];
  return column;
}

}  // namespace

// The keys are taken from the last to the first. Each pass sorts the rows by its key, then by what the passes before
// left as the tie-break (first the name's rank), then by item index; the next pass's tie-break is the rank of that
// pair. So the last pass orders by every key in turn, then by name, then by index: a stable order, made of sorts of
// small rows held side by side. Name ranks are below the number of items.
std::vector<std::uint32_t> SortedOrder(std::span<const std::unique_ptr<TXPlayListItem>> items,
                                       std::span<const int> keys, std::span<const std::uint32_t> nameRanks,
                                       TextCollation& collation) {
  struct Row {
    std::int64_t key;
    std::uint32_t tie;
    std::uint32_t index;
    bool operator<(const Row& other) const {
      return std::tie(key, tie, index) < std::tie(other.key, other.tie, other.index);
    }
  };
  const std::size_t n = items.size();
  std::vector<std::uint32_t> order(n);
  if (keys.empty()) {
    // By name alone: the ranks are small numbers, so the items go straight to their places (a counting sort,
    // which keeps items of one name in index order).
    std::vector<std::uint32_t> next(n + 1, 0);
    for (std::uint32_t rank : nameRanks) ++next[rank + 1];
    for (std::size_t r = 1; r <= n; ++r) next[r] += next[r - 1];
    for (std::uint32_t i = 0; i < n; ++i) order[next[nameRanks[i]]++] = i;
    return order;
  }
  std::vector<Row> rows(n);
  for (std::uint32_t i = 0; i < n; ++i) rows[i] = {0, nameRanks[i], i};
  for (std::size_t j = keys.size(); j-- > 0;) {
    const std::vector<std::int64_t> column = KeyColumn(items, keys[j], collation);
    for (Row& row : rows) row.key = column[row.index];
    std::sort(rows.begin(), rows.end());
    if (j == 0) break;
    std::uint32_t tie = 0;
    for (std::size_t p = 0, previousTie = 0; p < n; ++p) {
      if (p > 0 && (rows[p].key != rows[p - 1].key || rows[p].tie != previousTie)) ++tie;
      previousTie = rows[p].tie;
      rows[p].tie = tie;
    }
  }
  for (std::size_t p = 0; p < n; ++p) order[p] = rows[p].index;
  return order;
}

std::span<const int> SortMenuKeys(const TSortMenuRow& row) {
  if (row.Key == kSortByFileName) return {};
  return {&row.Key, 1};
}

}  // namespace nv
