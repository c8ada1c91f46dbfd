#include "playlist/PlayListSort.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <unordered_map>
#include <utility>

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

struct Row {
  std::int64_t key;
  std::uint32_t position;
};

// Sorts the rows by key, keeping the order of rows with equal keys: a radix sort on the keys' distance from the
// smallest, eleven bits a pass, as many passes as the spread of the keys needs (two for the ranks of texts).
void StableSortByKey(std::vector<Row>& rows) {
  std::int64_t low = kEmpty, high = std::numeric_limits<std::int64_t>::min();
  for (const Row& row : rows) {
    if (row.key == kEmpty) continue;
    low = std::min(low, row.key);
    high = std::max(high, row.key);
  }
  if (low == kEmpty) return;  // every value missing
  // Missing values go one past the largest.
  const std::uint64_t spread = static_cast<std::uint64_t>(high) - static_cast<std::uint64_t>(low) + 1;
  auto digitsOf = [&](const Row& row) {
    return row.key == kEmpty ? spread : static_cast<std::uint64_t>(row.key) - static_cast<std::uint64_t>(low);
  };
  constexpr unsigned kBits = 11;
  constexpr std::size_t kBuckets = std::size_t{1} << kBits;
  std::vector<Row> other(rows.size());
  std::vector<std::size_t> next(kBuckets);
  for (unsigned shift = 0; shift < 64 && (spread >> shift) != 0; shift += kBits) {
    std::fill(next.begin(), next.end(), 0);
    for (const Row& row : rows) ++next[(digitsOf(row) >> shift) & (kBuckets - 1)];
    std::size_t at = 0;
    for (std::size_t& count : next) at += std::exchange(count, at);
    for (const Row& row : rows) other[next[(digitsOf(row) >> shift) & (kBuckets - 1)]++] = row;
    rows.swap(other);
  }
}

}  // namespace

// Starting from the name order, each key from the last to the first sorts the items again, keeping the order of
// items that it holds equal: so the last sort orders by every key in turn, then by name, then by position. The
// sorts move small rows {key, position} held side by side.
std::vector<std::uint32_t> SortedOrder(std::span<const std::unique_ptr<TXPlayListItem>> items,
                                       std::span<const int> keys, std::span<const std::uint32_t> byName,
                                       TextCollation& collation) {
  if (keys.empty()) return {byName.begin(), byName.end()};
  std::vector<Row> rows(byName.size());
  for (std::size_t p = 0; p < byName.size(); ++p) rows[p] = {0, byName[p]};
  for (std::size_t j = keys.size(); j-- > 0;) {
    const std::vector<std::int64_t> column = KeyColumn(items, keys[j], collation);
    for (Row& row : rows) row.key = column[row.position];
    StableSortByKey(rows);
  }
  std::vector<std::uint32_t> order(rows.size());
  for (std::size_t p = 0; p < rows.size(); ++p) order[p] = rows[p].position;
  return order;
}

std::span<const int> SortMenuKeys(const TSortMenuRow& row) {
  if (row.Key == kSortByFileName) return {};
  return {&row.Key, 1};
}

}  // namespace nv
