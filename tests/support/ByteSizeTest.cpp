#include <gtest/gtest.h>

#include "support/ByteSize.h"

namespace nv {
namespace {

TEST(ByteSize, FormatsInTheChosenOrAutomaticUnit) {
  constexpr std::uint64_t KB = 1024, MB = KB * 1024, GB = MB * 1024, TB = GB * 1024;
  struct {
    std::uint64_t bytes;
    ByteUnit unit;
    bool rounded;
    const char* expected;
  } cases[] = {
      {0, ByteUnit::Automatic, false, "0 bytes"},
      {1023, ByteUnit::Automatic, false, "1,023 bytes"},
      {1024, ByteUnit::Automatic, false, "1 KB"},
      {1536, ByteUnit::Automatic, false, "1.5 KB"},
      {1280, ByteUnit::Automatic, false, "1.25 KB"},
      {MB - 1, ByteUnit::Automatic, false, "1,024 KB"},   // 1023.999 rounds up into the next thousand
      {1234567, ByteUnit::Automatic, false, "1.18 MB"},
      {5 * GB + GB / 100, ByteUnit::Automatic, false, "5.01 GB"},
      {3 * TB, ByteUnit::Automatic, false, "3 TB"},
      {2048 * TB, ByteUnit::Automatic, false, "2,048 TB"},
      {MB, ByteUnit::Bytes, false, "1,048,576 bytes"},
      {1025, ByteUnit::KB, true, "2 KB"},
      {1024, ByteUnit::KB, true, "1 KB"},
      {1, ByteUnit::MB, true, "1 MB"},
      {0, ByteUnit::GB, true, "0 GB"},
      {MB / 2, ByteUnit::MB, false, "0.5 MB"},
      {~0ull, ByteUnit::Automatic, false, "16,777,216 TB"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatByteSize(c.bytes, c.unit, c.rounded), c.expected) << c.bytes << " unit " << int(c.unit);
}

}  // namespace
}  // namespace nv
