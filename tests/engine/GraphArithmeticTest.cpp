// The arithmetic of graphs: the volume and balance curve, start and stop times in 100-ns units, filter names and the
// text of a failed DirectShow call.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "engine/DirectXError.h"
#include "engine/FilterNames.h"
#include "engine/GraphTimes.h"
#include "engine/GraphVolume.h"

namespace nv {
namespace {

TEST(GraphVolume, FollowsTheCurveInHundredthsOfADecibel) {
  struct Case {
    int volume;
    bool muted;
    int attenuation;
    std::int32_t expected;
  };
  const Case cases[] = {
      {100, false, 0, 0},        // full
      {50, false, 0, -1000},     // half the slider is a tenth of the power: -10 dB
      {75, false, 0, -100},
      {25, false, 0, -3846},
      {1, false, 0, -9672},
      {99, false, 0, 0},
      {0, false, 0, -10000},     // silent
      {100, true, 0, -10000},    // muted
      {80, true, 0, -10000},
      {100, false, 50, -1000},   // a fade half way down
      {100, false, 100, -10000},
      {33, false, 50, -5604},    // 33 x 50 / 100 = 16 in whole numbers
      {150, false, -20, 0},      // out of range: held at the ends
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.volume << " muted " << c.muted << " attenuation " << c.attenuation);
    EXPECT_EQ(GraphVolume(c.volume, c.muted, c.attenuation), c.expected);
  }
}

TEST(GraphVolume, BalanceMovesTheFarSideAlongTheSameCurve) {
  const std::pair<int, std::int32_t> cases[] = {
      {0, 0},          {100, 10000}, {-100, -10000}, {50, 1000},   {-50, -1000},
      {10, 5},         {-10, -5},    {99, 9672},     {1, 0},       {-120, -10000},
  };
  for (const auto& [balance, expected] : cases) EXPECT_EQ(GraphBalance(balance), expected) << balance;
}

TEST(GraphVolume, RoundsHalvesToEven) {
  const std::pair<double, std::int64_t> cases[] = {{2.5, 2},   {3.5, 4},   {-2.5, -2}, {-3.5, -4},
                                                   {0.49, 0},  {0.51, 1},  {-0.51, -1}, {-1000.0000001, -1000}};
  for (const auto& [value, expected] : cases) EXPECT_EQ(RoundHalfEven(value), expected) << value;
}

TEST(GraphTimes, MillisecondsBecome64BitUnits) {
  const std::pair<std::optional<double>, std::int64_t> cases[] = {
      {1000.0, 10'000'000},
      {300'000.0, 3'000'000'000},  // beyond 32 bits once multiplied
      {0.0, 0},
      {-5.0, 0},
      {std::nullopt, 0},  // an attribute that is not a number
      {std::numeric_limits<double>::quiet_NaN(), 0},
      {1e300, std::numeric_limits<std::int64_t>::max() / 10'000 * 10'000},
  };
  for (const auto& [ms, expected] : cases) EXPECT_EQ(MsToUnits(ms), expected);
}

TEST(GraphTimes, StartAtTheLaterOfTheSubRangeAndTheMinimumPosition) {
  EXPECT_EQ(GraphStartTime(1000.0, 0), 10'000'000);
  EXPECT_EQ(GraphStartTime(500.0, 1500), 15'000'000) << "a start before the minimum position";
  EXPECT_EQ(GraphStartTime(std::nullopt, 200), 2'000'000) << "a whole file";
  EXPECT_EQ(GraphStartTime(std::nullopt, 0), 0);
  EXPECT_EQ(GraphStopTime(2000.0), 20'000'000);
  EXPECT_EQ(GraphStopTime(std::nullopt), 0) << "to the end";
}

TEST(GraphTimes, RunPositionsNeverGoBackNorPastTheEnd) {
  struct Case {
    std::int64_t start, stop, current, duration;
    std::int64_t expectedStart, expectedStop;
  };
  const Case cases[] = {
      {10, 20, 0, 30, 10, 20},  // a sub-range
      {10, 20, 15, 30, 15, 20},  // resuming inside it
      {10, 0, 0, 30, 10, 0},     // to the end: the stop is left alone
      {0, 20, 0, 30, 0, 20},     // from the start
      {10, 40, 0, 30, 10, 30},   // a stop beyond the end
      {40, 50, 0, 30, 40, 40},   // a start beyond the end: the stop is not before it
      {10, 20, 25, 30, 25, 25},  // resuming after the stop
  };
  for (const Case& c : cases) {
    const TRunPositions positions = RunPositions(c.start, c.stop, c.current, c.duration);
    EXPECT_EQ(positions.start, c.expectedStart) << c.start << ".." << c.stop << " at " << c.current;
    EXPECT_EQ(positions.stop, c.expectedStop) << c.start << ".." << c.stop << " at " << c.current;
  }
}

TEST(GraphTimes, DurationAndPositionAreCountedFromTheStartAndNeverNegative) {
  EXPECT_EQ(GraphDuration(30, 10, 20), 10);
  EXPECT_EQ(GraphDuration(30, 10, 0), 20);
  EXPECT_EQ(GraphDuration(30, 0, 40), 30) << "a stop beyond the end";
  EXPECT_EQ(GraphDuration(30, 40, 0), 0) << "a start beyond the end once gave a negative duration";
  EXPECT_EQ(GraphDuration(0, 10, 0), 0) << "a live stream";
  EXPECT_EQ(GraphPosition(25, 10), 15);
  EXPECT_EQ(GraphPosition(5, 10), 0);
}

TEST(FilterNames, ASourceIsNamedByItsFileOrItsLastComponent) {
  const std::u16string folder = u"C:\\" + std::u16string(120, u'f') + u"\\";
  EXPECT_EQ(SourceFilterName(u"C:\\Music\\a.mp3"), u"C:\\Music\\a.mp3");
  const std::u16string fits(127, u'x');
  EXPECT_EQ(SourceFilterName(fits), fits);
  EXPECT_EQ(SourceFilterName(folder + u"song.mp3"), u"song.mp3") << "128 characters and more";
  EXPECT_EQ(SourceFilterName(u"http://host/" + std::u16string(120, u'p') + u"/stream"), u"stream");
  const std::u16string longName(140, u'n');
  EXPECT_EQ(SourceFilterName(folder + longName), longName.substr(0, 127));
  // A character outside the basic plane is not cut in half.
  const std::u16string pairAtTheCut = std::u16string(126, u'n') + u"\U0001F3B5" + u"tail";
  EXPECT_EQ(SourceFilterName(folder + pairAtTheCut), pairAtTheCut.substr(0, 126));
}

TEST(FilterNames, RenderersAreNumberedOnlyWhenThereAreSeveral) {
  EXPECT_EQ(NumberedFilterName(u"DirectSound Renderer ", 1, 1), u"DirectSound Renderer ");
  EXPECT_EQ(NumberedFilterName(u"DirectSound Renderer ", 2, 1), u"DirectSound Renderer  1");
  EXPECT_EQ(NumberedFilterName(u"DirectSound Renderer ", 2, 2), u"DirectSound Renderer  2");
  EXPECT_EQ(NumberedFilterName(u"R", 12, 10), u"R 10");
}

TEST(DirectXError, TheTextIsFollowedByTheCode) {
  const EDirectX error(static_cast<std::int32_t>(0x80040216), "No combination of intermediate filters could be found.");
  EXPECT_EQ(error.Code(), static_cast<std::int32_t>(0x80040216));
  EXPECT_STREQ(error.what(), "No combination of intermediate filters could be found.Code: 80040216h.");
  EXPECT_EQ(DirectXErrorMessage(static_cast<std::int32_t>(0x8000FFFF), ""), "System error. Code: 8000FFFFh.");
  EXPECT_EQ(DirectXErrorMessage(0x1, "x"), "xCode: 00000001h.");
}

}  // namespace
}  // namespace nv
