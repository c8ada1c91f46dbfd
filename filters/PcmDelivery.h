#pragma once
// The PCM information filter's account of the audio it has passed downstream: where the delivered audio ends in
// stream time, and from that how much of it still waits in the renderer's buffers. Times are 100-ns units.
#include <cstdint>
#include <optional>

namespace nv {

class PcmDelivery {
public:
  // A zero rate (a malformed format) counts nothing instead of dividing by it.
  void SetBytesPerSecond(std::uint32_t bytesPerSecond) { bytesPerSecond_ = bytesPerSecond; }

  // A new segment restarts the count at its start.
  void NewSegment(std::int64_t segmentStart);

  // `bytes` went downstream while the stream time was `streamTime` (nothing when it could not be read). After an
  // underrun the stream time has passed the delivered end, and counting restarts from it, so the buffered time never
  // goes negative while data flows.
  void Delivered(std::int64_t bytes, std::optional<std::int64_t> streamTime);

  std::int64_t SegmentStart() const { return segmentStart_; }
  std::int64_t DeliveredEnd() const { return deliveredEnd_; }
  // Media time up to which audio has been delivered.
  std::int64_t DeliveredTime() const { return deliveredEnd_ + segmentStart_; }
  // Audio delivered but not yet heard at `streamTime`.
  std::int64_t Buffered(std::int64_t streamTime) const { return deliveredEnd_ - streamTime; }

private:
  std::uint32_t bytesPerSecond_ = 0;
  std::int64_t segmentStart_ = 0;
  std::int64_t deliveredEnd_ = 0;
};

// When the complete-advance notice is due, `buffered` time before the last sample is heard and `advance` ahead of it.
struct AdvanceSchedule {
  bool now = false;        // due within a few milliseconds: notify at once
  unsigned delayMs = 0;    // otherwise arm a one-shot timer for this long
};
AdvanceSchedule ScheduleCompleteAdvance(std::int64_t buffered, std::int64_t advance);

}  // namespace nv
