#pragma once
// Durations and bitrates as the lists, the play information and the properties dialog show them.
#include <cstdint>
#include <string>

#include "metadata/AttributeValue.h"

namespace nv {

// "mm:ss", or "h:mm:ss" from an hour on: 123 gives "02:03", 3723 gives "1:02:03".
std::string FormatDuration(std::int64_t seconds);

// A duration in milliseconds (a number, or text holding one): empty when it is 0 or less or no number, otherwise
// FormatDuration of its whole seconds.
std::string DurationText(const AttributeValue& milliseconds);

// A bitrate in bits per second as kilobits per second, rounded; empty when 0 or less or no number. With the unit,
// " Kbps" follows.
std::string BitrateText(const AttributeValue& bitsPerSecond, bool withUnit);

}  // namespace nv
