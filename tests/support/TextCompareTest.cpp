#include <gtest/gtest.h>

#include "support/TextCompare.h"

namespace nv {
namespace {

int Sign(int n) { return (n > 0) - (n < 0); }

TEST(TextCompare, WholeTextsIgnoreCaseInTheUsersLocale) {
  struct {
    std::string a, b;
    int sign;
  } cases[] = {
      {"abc", "ABC", 0},
      {"a", "B", -1},
      {"Zebra", "apple", 1},
      {"C:\\Music\\Song.MP3", "c:\\music\\song.mp3", 0},
      {"Caf\xC9", "caf\xE9", 0},                                      // É and é in the code page
      {"\x01\xD0\x9F\xD0\xA0\xD0\x98", "\x01\xD0\xBF\xD1\x80\xD0\xB8", 0},  // Cyrillic ПРИ / при, marked
      {"abc", "abcd", -1},
      {"", "", 0},
      {"", "a", -1},
      {"track2", "track1", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(Sign(LocaleCompare(c.a, c.b)), c.sign) << c.a << " / " << c.b;
}

TEST(TextCompare, PrefixComparesOnlyTheFirstTextsLength) {
  struct {
    std::string prefix, text;
    bool starts;
  } cases[] = {
      {"C:\\Music\\", "c:\\MUSIC\\a.mp3", true},
      {"C:\\Musik\\", "c:\\music\\a.mp3", false},
      {"C:\\Music\\Long", "C:\\Music", false},
      {"", "anything", true},
      {"\x01\xD0\x96", "\x01\xD0\xB6zz", true},
  };
  for (const auto& c : cases) EXPECT_EQ(LocaleStartsWith(c.text, c.prefix), c.starts) << c.prefix << " / " << c.text;
}

}  // namespace
}  // namespace nv
