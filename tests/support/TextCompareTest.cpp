#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "support/MarkedText.h"
#include "support/RandomSource.h"
#include "support/SortKeys.h"
#include "support/TextCompare.h"

namespace nv {
namespace {

int Sign(int n) { return (n > 0) - (n < 0); }

struct CompareCase {
  std::string a, b;
  int sign;
};
const CompareCase kCompareCases[] = {
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
      {"C:\\a\\z.mp3", "C:\\a b\\c.mp3", 1},  // a folder's name and a longer name that starts alike
};

TEST(TextCompare, WholeTextsIgnoreCaseInTheUsersLocale) {
  for (const auto& c : kCompareCases) EXPECT_EQ(Sign(LocaleCompare(c.a, c.b)), c.sign) << c.a << " / " << c.b;
}

std::string KeyOf(std::string_view text) {
  std::string key;
  UserLocaleCollation().AppendSortKey(MarkedToUtf16(text), key);
  return key;
}

TEST(TextCompare, SortKeysCompareAsTheirTexts) {
  for (const auto& c : kCompareCases) EXPECT_EQ(Sign(KeyOf(c.a).compare(KeyOf(c.b))), c.sign) << c.a << " / " << c.b;
}

// Texts from a few letters in both cases, an accented letter, a space and a backslash, up to 20 long: many share
// long beginnings, many compare equal, and their keys end on every side of the seven-byte windows.
std::vector<std::u16string> RandomTexts(int count, std::uint64_t seed) {
  const std::u16string letters = u"aAbB\u00E9\u00C9 \\";
  SeededRandom random(seed);
  std::vector<std::u16string> texts;
  for (int i = 0; i < count; ++i) {
    std::u16string text;
    for (std::uint32_t n = random.Below(21); n > 0; --n) text.push_back(letters[random.Below(letters.size())]);
    texts.push_back(text);
  }
  return texts;
}

TEST(TextCompare, SortKeysPutTextsInTheOrderOfTheComparison) {
  // The larger set is ordered by radix passes first, the smaller ones by partitions only.
  for (const auto& [count, seed] : {std::pair{1500, 1}, std::pair{1500, 2}, std::pair{6000, 3}}) {
    const std::vector<std::u16string> texts = RandomTexts(count, seed);
    SortKeyList keys(UserLocaleCollation());
    for (const std::u16string& text : texts) keys.Add(text);
    std::vector<std::uint32_t> expected(texts.size());
    std::iota(expected.begin(), expected.end(), 0u);
    std::stable_sort(expected.begin(), expected.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return LocaleCompare(texts[a], texts[b]) < 0; });
    EXPECT_EQ(keys.Order(), expected) << "seed " << seed;
  }
  SortKeyList none(UserLocaleCollation());
  EXPECT_TRUE(none.Order().empty());
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
