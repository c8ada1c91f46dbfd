#pragma once
// The playlist box's arithmetic, apart from its window: finding a row by typed text, turning wheel turns into rows,
// keeping the top row and the caret inside a list that shrank, the skinned scroll bar's values, the drag's
// auto-scroll speed and where the caret lands after the selection is deleted.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace nv {

// The text typed into the box, begun again after a second without typing.
inline constexpr std::int64_t kTypeAheadResetMs = 1000;
class TypeAheadText {
public:
  // Adds a typed character at `nowMs` and returns the text to look for.
  const std::u16string& Add(char16_t typed, std::int64_t nowMs);
  const std::u16string& Text() const { return text_; }

private:
  std::u16string text_;
  std::int64_t last_ = 0;
};

// Whether a row's name starts with the typed text (case ignored) or, with `insideWords`, has it right after one
// of the characters that end a word (" !(),-./<>?[]\_{}|").
bool NameMatchesTyped(std::u16string_view name, std::u16string_view typed, bool insideWords);
// The first row whose name matches, or -1.
int FindTypedRow(int count, const std::function<std::u16string(int row)>& nameOf, std::u16string_view typed,
                 bool insideWords);

// Wheel turns as rows: one row per 120 units, what is left over kept for the next turn (fine-grained wheels send
// less than 120 at a time). Positive rows move the view up.
class WheelRows {
public:
  int Turn(int delta);

private:
  int rest_ = 0;
};

// The highest top row that still fills the view.
int LastTopRow(int count, int visibleRows);
// A row kept inside a list of `count` rows: the last row when past it, -1 for an empty list.
int ClampRow(int row, int count);

struct ScrollBarValues {
  int max = 0, page = 1, position = 0;
  bool operator==(const ScrollBarValues&) const = default;
};
ScrollBarValues ScrollBarFor(int count, int visibleRows, int topRow);

// How often a drag held above or below the box scrolls a row: 350 ms, 5 ms less per pixel of distance.
unsigned AutoScrollInterval(int distance);

// Where a row stands once the rows `deleted` (in any order, each once) are gone: moved up by those before it, then
// kept inside the `remaining` rows.
int RowAfterDeletion(int row, std::span<const int> deleted, int remaining);

}  // namespace nv
