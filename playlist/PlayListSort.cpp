#include "playlist/PlayListSort.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>

#include "playlist/XPlayListItem.h"

namespace nv {

namespace {

bool IsNumericField(int field) { return field == 0 || field == 6 || field == 7 || field == 9; }

// One item's value of one key, as the comparison wants it.
struct CachedKey {
  bool Empty = true;
  std::int64_t Number = 0;  // numeric fields
  std::u16string Text;      // text fields
};

std::int64_t WholeNumber(const AttributeValue& value) {
  const double number = value.ToNumber().value_or(0);
  if (!std::isfinite(number)) return 0;
  // To the nearest whole number, halves to even.
  return static_cast<std::int64_t>(std::nearbyint(std::clamp(number, -9.0e18, 9.0e18)));
}

CachedKey ReadKey(const TXPlayListItem& item, int field) {
  const AttributeValue& value = item.Field(field);
  CachedKey key;
  if (value.IsNull()) return key;
  if (IsNumericField(field)) {
    key.Empty = value.IsText() && value.ToUtf16().empty();
    key.Number = WholeNumber(value);
  } else {
    key.Text = value.ToUtf16();
    key.Empty = key.Text.empty();
  }
  return key;
}

}  // namespace

std::vector<std::uint32_t> SortedOrder(std::span<const std::unique_ptr<TXPlayListItem>> items,
                                       std::span<const int> keys, TextCollation& collation) {
  const std::size_t n = items.size(), k = keys.size();
  std::vector<CachedKey> cache(n * k);
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = 0; j < k; ++j) cache[i * k + j] = ReadKey(*items[i], keys[j]);

  std::vector<std::uint32_t> order(n);
  std::iota(order.begin(), order.end(), 0u);
  std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    for (std::size_t j = 0; j < k; ++j) {
      const CachedKey& x = cache[a * k + j];
      const CachedKey& y = cache[b * k + j];
      if (x.Empty != y.Empty) return y.Empty;
      if (x.Empty) continue;
      const int c = IsNumericField(keys[j]) ? (x.Number > y.Number) - (x.Number < y.Number)
                                             : collation.Compare(x.Text, y.Text);
      if (c != 0) return c < 0;
    }
    return collation.Compare(items[a]->WideFileName(), items[b]->WideFileName()) < 0;
  });
  return order;
}

std::span<const int> SortMenuKeys(const TSortMenuRow& row) {
  if (row.Key == kSortByFileName) return {};
  return {&row.Key, 1};
}

}  // namespace nv
