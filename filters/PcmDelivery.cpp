#include "filters/PcmDelivery.h"

#include "filters/FilterConstants.h"

namespace nv {

void PcmDelivery::NewSegment(std::int64_t segmentStart) {
  segmentStart_ = segmentStart;
  deliveredEnd_ = 0;
}

void PcmDelivery::Delivered(std::int64_t bytes, std::optional<std::int64_t> streamTime) {
  if (bytes <= 0) return;
  if (streamTime && *streamTime > deliveredEnd_) deliveredEnd_ = *streamTime;
  if (bytesPerSecond_ > 0) deliveredEnd_ += bytes * kUnitsPerSecond / bytesPerSecond_;
}

AdvanceSchedule ScheduleCompleteAdvance(std::int64_t buffered, std::int64_t advance) {
  const std::int64_t remaining = buffered - advance;
  if (remaining <= kAdvanceAtOnceUnits) return {true, 0};
  return {false, static_cast<unsigned>(remaining / kUnitsPerMs)};
}

}  // namespace nv
