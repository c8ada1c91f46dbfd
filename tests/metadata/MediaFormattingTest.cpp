// Durations and bitrates as the lists and dialogs show them.
#include <gtest/gtest.h>

#include <limits>

#include "metadata/MediaFormatting.h"

namespace nv {
namespace {

TEST(MediaFormatting, FormatDurationShowsHoursOnlyWhenThereAreAny) {
  struct {
    std::int64_t seconds;
    const char* text;
  } cases[] = {{0, "00:00"}, {59, "00:59"}, {123, "02:03"}, {3599, "59:59"}, {3600, "1:00:00"}, {3723, "1:02:03"},
               {36000 * 10, "100:00:00"}};
  for (const auto& c : cases) EXPECT_EQ(FormatDuration(c.seconds), c.text) << c.seconds;
}

TEST(MediaFormatting, DurationAndBitrateTexts) {
  struct {
    AttributeValue value;
    const char *duration, *bitrate, *bitrateWithUnit;
  } cases[] = {
      {AttributeValue(), "", "", ""},
      {AttributeValue::Integer(0), "", "", ""},
      {AttributeValue::Integer(-5000), "", "", ""},
      {AttributeValue::Float(999.4), "00:00", "1", "1 Kbps"},
      {AttributeValue::Float(0.4), "", "", ""},
      {AttributeValue::Integer(128000), "02:08", "128", "128 Kbps"},
      {AttributeValue::Float(210000.0), "03:30", "210", "210 Kbps"},
      {AttributeValue::Float(3723999.6), "1:02:04", "3724", "3724 Kbps"},
      {AttributeValue::WideText(u"61000"), "01:01", "61", "61 Kbps"},
      {AttributeValue::WideText(u"long"), "", "", ""},
      {AttributeValue::Float(std::numeric_limits<double>::infinity()), "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.value.ToUtf16()));
    EXPECT_EQ(DurationText(c.value), c.duration);
    EXPECT_EQ(BitrateText(c.value, false), c.bitrate);
    EXPECT_EQ(BitrateText(c.value, true), c.bitrateWithUnit);
  }
}

}  // namespace
}  // namespace nv
