#include "engine/GraphTimes.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "filters/FilterConstants.h"

namespace nv {

std::int64_t MsToUnits(std::optional<double> ms) {
  if (!ms || !(*ms > 0)) return 0;  // also NaN
  constexpr double kLargestMs = static_cast<double>(std::numeric_limits<std::int64_t>::max() / kUnitsPerMs);
  if (*ms >= kLargestMs) return std::numeric_limits<std::int64_t>::max() / kUnitsPerMs * kUnitsPerMs;
  return static_cast<std::int64_t>(*ms) * kUnitsPerMs;
}

std::int64_t GraphStartTime(std::optional<double> startAttributeMs, std::int32_t minPositionMs) {
  return std::max(MsToUnits(startAttributeMs), MsToUnits(minPositionMs));
}

std::int64_t GraphStopTime(std::optional<double> endAttributeMs) { return MsToUnits(endAttributeMs); }

TRunPositions RunPositions(std::int64_t start, std::int64_t stop, std::int64_t current, std::int64_t duration) {
  TRunPositions positions{std::max(start, current), std::min(stop, duration)};
  if (positions.stop > 0 && positions.stop < positions.start) positions.stop = positions.start;
  return positions;
}

std::int64_t GraphDuration(std::int64_t graphDuration, std::int64_t start, std::int64_t stop) {
  if (stop > 0 && stop < graphDuration) graphDuration = stop;
  return std::max<std::int64_t>(graphDuration - start, 0);
}

std::int64_t GraphPosition(std::int64_t current, std::int64_t start) {
  return std::max<std::int64_t>(current - start, 0);
}

}  // namespace nv
