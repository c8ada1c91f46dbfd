#include "metadata/MediaFormatting.h"

#include <cmath>
#include <cstdio>

namespace nv {

namespace {
// The rounded value, when it is a number above 0.
std::optional<std::int64_t> PositiveRounded(const AttributeValue& value, double divisor) {
  const std::optional<double> number = value.ToNumber();
  if (!number || !std::isfinite(*number)) return std::nullopt;
  const double rounded = std::round(*number / divisor);
  if (rounded <= 0 || rounded > 9.2e18) return std::nullopt;
  return static_cast<std::int64_t>(rounded);
}
}  // namespace

std::string FormatDuration(std::int64_t seconds) {
  char buffer[48];
  const std::int64_t hours = seconds / 3600;
  const int minutes = static_cast<int>(seconds % 3600 / 60), rest = static_cast<int>(seconds % 60);
  if (hours > 0)
    std::snprintf(buffer, sizeof buffer, "%lld:%02d:%02d", static_cast<long long>(hours), minutes, rest);
  else
    std::snprintf(buffer, sizeof buffer, "%02d:%02d", minutes, rest);
  return buffer;
}

std::string DurationText(const AttributeValue& milliseconds) {
  const std::optional<std::int64_t> ms = PositiveRounded(milliseconds, 1);
  return ms ? FormatDuration(*ms / 1000) : std::string();
}

std::string BitrateText(const AttributeValue& bitsPerSecond, bool withUnit) {
  const std::optional<std::int64_t> kbps = PositiveRounded(bitsPerSecond, 1000);
  if (!kbps) return {};
  return std::to_string(*kbps) + (withUnit ? " Kbps" : "");
}

}  // namespace nv
