#pragma once
// Where a graph starts and stops playing, in DirectShow's 100-ns units. An item may be a sub-range of its file
// ("NV_StartTime", "NV_EndTime" in milliseconds) and the player may skip the start of every item (its minimum
// position). A graph's duration and position are told relative to its start.
//
// Every millisecond value is widened to 64 bits before it is multiplied: 32-bit milliseconds reach 100-ns units
// far beyond 32 bits.
#include <cstdint>
#include <optional>

namespace nv {

// Milliseconds to 100-ns units; negative values and values that cannot be numbers count as 0, huge ones are held
// at the largest that fits.
std::int64_t MsToUnits(std::optional<double> ms);

// The later of the item's start attribute and the player's minimum position; 0 = from the start.
std::int64_t GraphStartTime(std::optional<double> startAttributeMs, std::int32_t minPositionMs);
// The item's end attribute; 0 = to the end.
std::int64_t GraphStopTime(std::optional<double> endAttributeMs);

// The positions to set before running: none (0) means "leave as it is".
struct TRunPositions {
  std::int64_t start = 0;
  std::int64_t stop = 0;
};
// Playing from `start` (but never back before `current`: a paused graph resumes where it is) to `stop` (never
// beyond `duration`, never before the start).
TRunPositions RunPositions(std::int64_t start, std::int64_t stop, std::int64_t current, std::int64_t duration);

// The graph's duration cut at the stop time and counted from the start time; never negative, so a start time
// beyond the end gives 0.
std::int64_t GraphDuration(std::int64_t graphDuration, std::int64_t start, std::int64_t stop);
// The current position counted from the start time; never negative.
std::int64_t GraphPosition(std::int64_t current, std::int64_t start);

}  // namespace nv
