#include "playlist/PlayListSort.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <string>
#include <unordered_map>

#include "playlist/XPlayListItem.h"

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

// The numeric key of every item: the rounded number, or kEmpty for a missing or empty value.
void NumericKeys(std::span<const std::unique_ptr<TXPlayListItem>> items, int field, std::int64_t* out,
                 std::size_t stride) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    const AttributeValue& value = items[i]->Field(field);
    const bool empty = value.IsNull() || (value.IsText() && value.ToUtf16().empty());
    out[i * stride] = empty ? kEmpty : WholeNumber(value);
  }
}

// The text key of every item as its rank among the distinct texts of that key in the user's locale (texts the
// locale holds equal share a rank), or kEmpty.
void TextKeys(std::span<const std::unique_ptr<TXPlayListItem>> items, int field, TextCollation& collation,
              std::int64_t* out, std::size_t stride) {
  std::unordered_map<std::u16string, std::uint32_t> ids;
  std::vector<const std::u16string*> texts;
  std::vector<std::uint32_t> idOf(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    std::u16string text = items[i]->Field(field).ToUtf16();
    if (text.empty()) {
      idOf[i] = UINT32_MAX;
      continue;
    }
    const auto [at, added] = ids.try_emplace(std::move(text), static_cast<std::uint32_t>(texts.size()));
    if (added) texts.push_back(&at->first);
    idOf[i] = at->second;
  }
  std::vector<std::uint32_t> byText(texts.size());
  std::iota(byText.begin(), byText.end(), 0u);
  // A merge sort: it stays within the array even where the locale's comparison is not transitive.
  std::stable_sort(byText.begin(), byText.end(),
                   [&](std::uint32_t a, std::uint32_t b) { return collation.Compare(*texts[a], *texts[b]) < 0; });
  std::vector<std::int64_t> rank(texts.size());
  for (std::size_t r = 0, value = 0; r < byText.size(); ++r) {
    if (r > 0 && collation.Compare(*texts[byText[r - 1]], *texts[byText[r]]) != 0) ++value;
    rank[byText[r]] = static_cast<std::int64_t>(value);
  }
  for (std::size_t i = 0; i < items.size(); ++i) out[i * stride] = idOf[i] == UINT32_MAX ? kEmpty : rank[idOf[i]];
}

}  // namespace

std::vector<std::uint32_t> SortedOrder(std::span<const std::unique_ptr<TXPlayListItem>> items,
                                       std::span<const int> keys, std::span<const std::uint32_t> nameRanks,
                                       TextCollation& collation) {
  const std::size_t n = items.size(), k = keys.size() + 1;
  // Row i: the item's keys, then its name rank.
  std::vector<std::int64_t> rows(n * k);
  for (std::size_t j = 0; j + 1 < k; ++j) {
    if (IsNumericField(keys[j]))
      NumericKeys(items, keys[j], rows.data() + j, k);
    else
      TextKeys(items, keys[j], collation, rows.data() + j, k);
  }
  for (std::size_t i = 0; i < n; ++i) rows[i * k + k - 1] = nameRanks[i];

  std::vector<std::uint32_t> order(n);
  std::iota(order.begin(), order.end(), 0u);
  std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    return std::lexicographical_compare(rows.begin() + a * k, rows.begin() + a * k + k, rows.begin() + b * k,
                                        rows.begin() + b * k + k);
  });
  return order;
}

std::span<const int> SortMenuKeys(const TSortMenuRow& row) {
  if (row.Key == kSortByFileName) return {};
  return {&row.Key, 1};
}

}  // namespace nv
