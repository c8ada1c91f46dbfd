// The preferences store, natively over memory and under Wine over the registry, with the same expectations. The
// Wine run is repeated with a German locale, whose "," decimal separator and d.M.yyyy dates must not leak into
// the stored texts.
#include <chrono>
#include <cstdlib>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/PlayerStateValues.h"
#include "app/PreferenceAccess.h"
#include "support/RegIniFile.h"
#include "support/SystemText.h"
#include "support/ValueText.h"
#include "tests/common/TestStore.h"

namespace nv {
namespace {

using namespace std::chrono;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

class StoreTest : public ::testing::Test {
protected:
  StoreTest() : store_(test::OpenTestKeyValueStore(), test::TestApplicationKey()) {}
  ~StoreTest() override { store_.EraseSection("\\" + store_.ApplicationKey()); }

  TXRegIniFile store_;
};

TEST_F(StoreTest, TheGermanRunReallyHasAGermanLocale) {
  const char* locale = std::getenv("NV_WINE_LOCALE");
  if (locale == nullptr || std::string(locale).rfind("de_DE", 0) != 0) GTEST_SKIP() << "not the German run";
  EXPECT_EQ(platform::UserNumberSeparators().decimal, u",");
}

TEST_F(StoreTest, EveryTypeIsWrittenAsFixedTextAndReadBack) {
  struct Case {
    const char* what;
    void (*write)(TXRegIniFile&);
    const char* stored;
  };
  const Case cases[] = {
      {"integer", [](TXRegIniFile& s) { s.WriteInteger("T", "v", -17); }, "-17"},
      {"largest integer", [](TXRegIniFile& s) { s.WriteInteger("T", "v", 2147483647); }, "2147483647"},
      {"true", [](TXRegIniFile& s) { s.WriteBool("T", "v", true); }, "1"},
      {"false", [](TXRegIniFile& s) { s.WriteBool("T", "v", false); }, "0"},
      {"date: day without zero, month with", [](TXRegIniFile& s) { s.WriteDate("T", "v", 2024y / 3 / 5); },
       "5.03.2024"},
      {"date late in the year", [](TXRegIniFile& s) { s.WriteDate("T", "v", 1999y / 12 / 31); }, "31.12.1999"},
      {"float with a point", [](TXRegIniFile& s) { s.WriteFloat("T", "v", -3.5); }, "-3.5"},
      {"small float", [](TXRegIniFile& s) { s.WriteFloat("T", "v", 0.000015); }, "1.5e-05"},
      {"whole float", [](TXRegIniFile& s) { s.WriteFloat("T", "v", 12); }, "12"},
      {"marked string", [](TXRegIniFile& s) { s.WriteString("T", "v", "\x01\xD0\x96.nvs"); }, "\x01\xD0\x96.nvs"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.write(store_);
    EXPECT_EQ(store_.ReadString("T", "v", "missing"), c.stored);
  }
  store_.WriteDate("T", "d", 2024y / 2 / 29);
  EXPECT_EQ(store_.ReadDate("T", "d", kNoDate), sys_days(2024y / 2 / 29));
  store_.WriteFloat("T", "f", 0.1);
  EXPECT_EQ(store_.ReadFloat("T", "f", 0), 0.1) << "a float reads back exactly";
}

TEST_F(StoreTest, StoredTextsReadAsEachType) {
  constexpr sys_days kDefaultDate = 2000y / 1 / 1;
  struct Case {
    const char* stored;  // nullptr: no value
    std::int32_t integer;  // default 42
    bool boolean;          // default false
    double number;         // default 9.5
    sys_days date;         // default 1.01.2000
  };
  const Case cases[] = {
      {nullptr, 42, false, 9.5, kDefaultDate},
      {"12", 12, true, 12, kNoDate},
      {" 7 ", 7, true, 7, kNoDate},
      {"+8", 8, true, 8, kNoDate},
      {"-3", -3, true, -3, kNoDate},
      {"0", 0, false, 0, kNoDate},
      {"", 42, false, 9.5, kNoDate},
      {"abc", 42, false, 9.5, kNoDate},
      {"12abc", 42, false, 9.5, kNoDate},
      {"2147483648", 42, false, 2147483648.0, kNoDate},
      {"1.5", 42, false, 1.5, kNoDate},
      {"1,5", 42, false, 9.5, kNoDate},  // a locale's comma is not a decimal separator here
      {"2.5e-3", 42, false, 0.0025, kNoDate},
      {"inf", 42, false, 9.5, kNoDate},
      {"5.03.2024", 42, false, 9.5, 2024y / 3 / 5},
      {"5.3.2024", 42, false, 9.5, 2024y / 3 / 5},
      {"05.03.2024", 42, false, 9.5, 2024y / 3 / 5},
      {"29.02.2023", 42, false, 9.5, kNoDate},  // no such day
      {"5/03/2024", 42, false, 9.5, kNoDate},
      {"5.03.24", 42, false, 9.5, kNoDate},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "(missing)");
    store_.DeleteValue("T", "v");
    if (c.stored) store_.WriteString("T", "v", c.stored);
    EXPECT_EQ(store_.ReadInteger("T", "v", 42), c.integer);
    EXPECT_EQ(store_.ReadBool("T", "v", false), c.boolean);
    EXPECT_EQ(store_.ReadFloat("T", "v", 9.5), c.number);
    EXPECT_EQ(store_.ReadDate("T", "v", kDefaultDate), c.date);
  }
}

TEST_F(StoreTest, PreferenceReadsClampToTheirRange) {
  struct Case {
    const char* stored;
    std::int32_t def, min, max, expected;
  };
  const Case cases[] = {
      {"500", 2000, 1000, 10000, 1000},  // "Show expanded player"
      {"0", 70, 1, 100, 1},              // "Play info transparency"
      {"7", 0, 0, 2, 2},                 // "Tray position"
      {"255", 47, kNoBound, kNoBound, 255},
      {"-2147483648", 0, kNoBound, kNoBound, -2147483648},
      {"-5", 0, -1, kNoBound, -1},
      {"99999", 0, -1, kNoBound, 99999},
      {"5", 0, 0, 1, 1},
      {"-3", 1, 0, 1, 0},
      {"x", 2000, 1000, 10000, 2000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    store_.WriteString(PreferenceSection("Sub"), "v", c.stored);
    EXPECT_EQ(ReadPreference(store_, "v", c.def, c.min, c.max, "Sub"), c.expected);
  }
  store_.WriteString("Preferences", "b", "5");
  EXPECT_TRUE(ReadPreferenceBool(store_, "b", false));
  store_.WriteString("Preferences", "b", "-3");
  EXPECT_FALSE(ReadPreferenceBool(store_, "b", true));
  WritePreference(store_, "w", 12, "CDAudio");
  EXPECT_EQ(store_.ReadString("Preferences\\CDAudio", "w", ""), "12");
}

TEST_F(StoreTest, ASetTextThatDoesNotParseLeavesTheOldValue) {
  const std::uint8_t current = 1 << noShowNo;
  EXPECT_EQ(ReadActiveFileTitleOptions(store_, current), kDefaultFileTitleOptions) << "missing: the default";
  struct Case {
    const char* stored;
    std::uint8_t expected;
  };
  const Case cases[] = {
      {"[noShowNo,noShowAlbum]", (1 << noShowNo) | (1 << noShowAlbum)},
      {"noShowTitle", 1 << noShowTitle},
      {"[ noShowDuration , NOSHOWARTIST ]", (1 << noShowDuration) | (1 << noShowArtist)},
      {"[]", 0},
      {"[noShowNo,bogus]", current},
      {"[noShowNo", current},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    store_.WriteString("Preferences", "Active file title options", c.stored);
    EXPECT_EQ(ReadActiveFileTitleOptions(store_, current), c.expected);
  }
  WriteActiveFileTitleOptions(store_, (1 << noShowNo) | (1 << noShowDuration));
  EXPECT_EQ(store_.ReadString("Preferences", "Active file title options", ""), "[noShowNo,noShowDuration]");
}

TEST_F(StoreTest, SectionsNestListAndEraseWithEverythingBelow) {
  store_.WriteString("Rules\\10001", "Extensions", ".mp3");
  store_.WriteString("Rules\\10001\\Normal mode", "Source", "{x}");
  store_.WriteString("Rules\\10002", "Extensions", ".ogg");
  store_.WriteInteger("Rules", "Count", 2);
  store_.WriteString("Rules", "", "the default value");

  EXPECT_TRUE(store_.SectionExists("rules\\10001"));
  EXPECT_THAT(store_.ReadSubsections("Rules"), UnorderedElementsAre("10001", "10002"));
  EXPECT_THAT(store_.ReadSection("Rules\\10001"), ElementsAre("Extensions"));
  EXPECT_EQ(store_.ReadString("RULES", "count", ""), "2") << "names ignore case";
  EXPECT_EQ(store_.ReadString("Rules", "", ""), "the default value");
  EXPECT_THAT(store_.ReadSectionValues("Rules\\10002"), ElementsAre(std::pair<std::string, std::string>{
                                                            "Extensions", ".ogg"}));

  store_.DeleteValue("Rules", "Count");
  EXPECT_FALSE(store_.ValueExists("Rules", "Count"));
  store_.EraseSection("Rules");
  EXPECT_FALSE(store_.SectionExists("Rules"));
  EXPECT_FALSE(store_.SectionExists("Rules\\10001\\Normal mode"));
  EXPECT_THAT(store_.ReadSubsections("Rules"), IsEmpty());
  EXPECT_EQ(store_.ReadString("Rules\\10002", "Extensions", "gone"), "gone");
  store_.EraseSection("Never written");
}

TEST_F(StoreTest, ASectionWithALeadingDelimiterStartsAtTheRoot) {
  const std::string beside = "\\" + store_.ApplicationKey() + "-beside";
  store_.WriteString(beside, "v", "outside");
  EXPECT_EQ(store_.ReadString(beside, "v", ""), "outside");
  EXPECT_FALSE(store_.SectionExists(beside.substr(1))) << "not below the application key";
  store_.WriteString("", "top", "in the application key");
  EXPECT_EQ(store_.ReadString("\\" + store_.ApplicationKey(), "top", ""), "in the application key");
  store_.EraseSection(beside);
  EXPECT_FALSE(store_.SectionExists(beside));
}

}  // namespace
}  // namespace nv
