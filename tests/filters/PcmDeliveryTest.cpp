// The PCM information filter's counting: where delivered audio ends in stream time, and when the
// complete-advance notice is due.
#include <gtest/gtest.h>

#include "filters/FilterConstants.h"
#include "filters/PcmDelivery.h"

namespace nv {
namespace {

constexpr std::uint32_t kCdBytesPerSecond = 176400;  // 44100 Hz, stereo, 16 bits

TEST(PcmDelivery, CountsDeliveredAudioInStreamTime) {
  PcmDelivery delivery;
  delivery.SetBytesPerSecond(kCdBytesPerSecond);
  delivery.NewSegment(30 * kUnitsPerSecond);
  delivery.Delivered(17640, 0);
  EXPECT_EQ(delivery.DeliveredEnd(), 1'000'000) << "17640 bytes are 100 ms";
  delivery.Delivered(17640, 500'000);
  EXPECT_EQ(delivery.DeliveredEnd(), 2'000'000) << "a stream time behind the delivered end changes nothing";
  EXPECT_EQ(delivery.DeliveredTime(), 30 * kUnitsPerSecond + 2'000'000) << "media time adds the segment start";
  EXPECT_EQ(delivery.Buffered(1'500'000), 500'000);
}

TEST(PcmDelivery, AnUnderrunRestartsTheCountFromTheStreamTime) {
  PcmDelivery delivery;
  delivery.SetBytesPerSecond(kCdBytesPerSecond);
  delivery.Delivered(17640, 0);
  // The renderer ran dry: by the next sample the clock is at 300 ms, past the 100 ms delivered.
  delivery.Delivered(17640, 3'000'000);
  EXPECT_EQ(delivery.DeliveredEnd(), 4'000'000);
  EXPECT_EQ(delivery.Buffered(3'000'000), 1'000'000) << "never negative while data flows";
}

TEST(PcmDelivery, ANewSegmentStartsCountingAgain) {
  PcmDelivery delivery;
  delivery.SetBytesPerSecond(kCdBytesPerSecond);
  delivery.Delivered(176400, 0);
  delivery.NewSegment(5 * kUnitsPerSecond);
  EXPECT_EQ(delivery.DeliveredEnd(), 0);
  EXPECT_EQ(delivery.DeliveredTime(), 5 * kUnitsPerSecond);
}

TEST(PcmDelivery, CountsNothingItCannotMeasure) {
  PcmDelivery delivery;
  delivery.SetBytesPerSecond(0);  // a malformed format: no division by zero
  delivery.Delivered(17640, std::nullopt);
  EXPECT_EQ(delivery.DeliveredEnd(), 0);
  delivery.SetBytesPerSecond(kCdBytesPerSecond);
  delivery.Delivered(0, 2'000'000);
  delivery.Delivered(-4, 2'000'000);
  EXPECT_EQ(delivery.DeliveredEnd(), 0) << "empty samples count nothing, not even the clock";
  delivery.Delivered(17640, std::nullopt);
  EXPECT_EQ(delivery.DeliveredEnd(), 1'000'000) << "without a clock the bytes still count";
}

TEST(PcmDelivery, CompleteAdvanceIsDueAtOnceOrAfterTheRemainder) {
  struct Case {
    std::int64_t bufferedMs, advanceMs;
    bool now;
    unsigned delayMs;
  };
  const Case cases[] = {
      {250, 300, true, 0},     // less buffered than the advance: due already
      {305, 300, true, 0},     // within 5 ms
      {306, 300, false, 6},
      {1500, 300, false, 1200},
  };
  for (const Case& c : cases) {
    const AdvanceSchedule when = ScheduleCompleteAdvance(c.bufferedMs * kUnitsPerMs, c.advanceMs * kUnitsPerMs);
    EXPECT_EQ(when.now, c.now) << c.bufferedMs << " ms buffered";
    EXPECT_EQ(when.delayMs, c.delayMs) << c.bufferedMs << " ms buffered";
  }
}

}  // namespace
}  // namespace nv
