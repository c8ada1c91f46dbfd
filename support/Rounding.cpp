#include "support/Rounding.h"

#include <algorithm>
#include <cmath>

namespace nv {

std::int64_t RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  auto result = static_cast<std::int64_t>(floor);
  if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) ++result;
  return result;
}

int RoundToInt(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int>(RoundHalfEven(std::clamp(value, -2147483648.0, 2147483647.0)));
}

}  // namespace nv
