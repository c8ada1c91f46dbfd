#include "skins/PlayListRows.h"

#include <algorithm>

#include "support/SystemText.h"

namespace nv {

const std::u16string& TypeAheadText::Add(char16_t typed, std::int64_t nowMs) {
  if (text_.empty() || nowMs - last_ > kTypeAheadResetMs) text_.clear();
  text_ += typed;
  last_ = nowMs;
  return text_;
}

namespace {

constexpr std::u16string_view kWordEnds = u" !(),-./<>?[]\\_{}|";

bool StartsWithAt(std::u16string_view name, std::size_t at, std::u16string_view typed) {
  if (name.size() - at < typed.size()) return false;
  return platform::CompareTextIgnoreCase(name.substr(at, typed.size()), typed) == 0;
}

}  // namespace

bool NameMatchesTyped(std::u16string_view name, std::u16string_view typed, bool insideWords) {
  if (typed.empty()) return false;
  if (StartsWithAt(name, 0, typed)) return true;
  if (!insideWords) return false;
  for (std::size_t i = 0; i + 1 < name.size(); ++i)
    if (kWordEnds.find(name[i]) != std::u16string_view::npos && StartsWithAt(name, i + 1, typed)) return true;
  return false;
}

int FindTypedRow(int count, const std::function<std::u16string(int row)>& nameOf, std::u16string_view typed,
                 bool insideWords) {
  for (int row = 0; row < count; ++row)
    if (NameMatchesTyped(nameOf(row), typed, insideWords)) return row;
  return -1;
}

int WheelRows::Turn(int delta) {
  rest_ += delta;
  const int rows = rest_ / 120;  // towards zero: what is left keeps its sign
  rest_ -= rows * 120;
  return rows;
}

int LastTopRow(int count, int visibleRows) { return std::max(count - std::max(visibleRows, 0), 0); }

int ClampRow(int row, int count) { return count <= 0 ? -1 : std::clamp(row, 0, count - 1); }

ScrollBarValues ScrollBarFor(int count, int visibleRows, int topRow) {
  const int last = LastTopRow(count, visibleRows);
  return {last, std::max(visibleRows, 1), std::clamp(topRow, 0, last)};
}

unsigned AutoScrollInterval(int distance) { return static_cast<unsigned>(std::max(350 - 5 * distance, 0)); }

int RowAfterDeletion(int row, std::span<const int> deleted, int remaining) {
  const auto before = std::count_if(deleted.begin(), deleted.end(), [row](int d) { return d < row; });
  return ClampRow(row - static_cast<int>(before), remaining);
}

}  // namespace nv
