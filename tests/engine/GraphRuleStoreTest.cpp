// The rules and common filters in the preferences store (memory natively, the registry under Wine), and the
// standard rules read from a product profile.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/EngineConstants.h"
#include "engine/GraphRuleStore.h"
#include "engine/StandardGraphRules.h"
#include "support/RegIniFile.h"
#include "tests/common/TestStore.h"
#include "tests/engine/TestClassIds.h"

namespace nv {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

using namespace test;

// Rule 1 on by default, 2 off by default, 3 and 4 on only with Winamp plug-ins (3 uses the Winamp source, 4 does
// not), 5 listed without a section, 6 without filters; "x" is no number.
constexpr char kProfile[] =
    "[Standard graph building rules]\r\n"
    "1=MPEG audio\r\n"
    "2=Wave audio\r\n"
    "3=Plug-in formats\r\n"
    "4=Tracker modules\r\n"
    "5=Missing\r\n"
    "6=No filters\r\n"
    "x=Not a rule\r\n"
    "[1]\r\nExtensions=.mp3\r\nDefault_Enabled=1\r\nNormal_Audio_render={79376820-07D0-11CF-A24D-0020AFD79767}\r\n"
    "[2]\r\nExtensions=.wav\r\nNormal_Source_filter={E436EBB5-524F-11CE-9F53-0020AF0BA770}\r\n"
    "[3]\r\nExtensions=.flac\r\nDefault_Enabled=255\r\n"
    "FailSafe_Source_filter={65C0706F-7892-4980-84E7-706FB23F3DD4}\r\n"
    "[4]\r\nExtensions=.mod\r\nDefault_Enabled=255\r\nNormal_Audio_render={79376820-07D0-11CF-A24D-0020AFD79767}\r\n"
    "[6]\r\nExtensions=.xyz\r\nNormal_Source_params=nothing else\r\n";

class GraphRuleStoreTest : public ::testing::Test {
protected:
  GraphRuleStoreTest() : store_(test::OpenTestKeyValueStore(), test::TestApplicationKey()) {}
  ~GraphRuleStoreTest() override { store_.EraseSection("\\" + store_.ApplicationKey()); }

  TXFileGraphInfos Load(bool winamp = false) const {
    return LoadGraphRules(store_, kGraphRulesSection, profile_, winamp);
  }
  std::vector<std::int32_t> LoadedNumbers(bool winamp = false) const {
    std::vector<std::int32_t> numbers;
    for (const TXFileGraphInfo& rule : Load(winamp)) numbers.push_back(rule.Number);
    return numbers;
  }
  std::vector<std::string> LoadedExtensions() const {
    std::vector<std::string> extensions;
    for (const TXFileGraphInfo& rule : Load()) extensions.push_back(rule.Extensions);
    return extensions;
  }
  std::string Stored(std::string_view subsection, std::string_view ident) const {
    return store_.ReadString(std::string(kGraphRulesSection) + "\\" + std::string(subsection), ident, "(missing)");
  }
  void Store(std::string_view subsection, std::string_view ident, std::string_view value) {
    store_.WriteString(std::string(kGraphRulesSection) + "\\" + std::string(subsection), ident, value);
  }

  TXRegIniFile store_;
  IniDocument profile_ = IniDocument::Parse(kProfile);
};

TEST_F(GraphRuleStoreTest, UserRulesAndSwitchesAreWrittenUnderTheirKeysAndLoadBack) {
  TXFileGraphInfo mp3;
  mp3.Extensions = "\x01" ".mp3;.\xD0\x96";  // a marked text stays marked
  mp3.TryStandardGraph = false;
  // The store keeps no order of a list's entries (Wine lists values by name, Windows as created); the lists are in
  // name order here so that the comparison below holds with either.
  mp3.Normal = {kFileSource, "C:\\Plugins\\in_mp3.dll", kDSound, kVideoRenderer, {kA, kB}, {kC}, {kB}};
  mp3.FailSafe.AudioRender = kDSound;
  TXFileGraphInfo http;
  http.Extensions = "http://";
  http.FailSafe.GeneralFilters = {kC};
  TXStandardRule wave = ReadStandardRule(profile_, 2);
  const TXFileGraphInfos rules = {mp3, http, wave.Rule};

  SaveGraphRules(store_, kGraphRulesSection, rules, profile_);

  struct Key {
    const char* subsection;
    const char* ident;
    const char* stored;
  };
  const Key keys[] = {
      {"10001", "Extensions", "\x01" ".mp3;.\xD0\x96"},
      {"10001", "Try standard graph", "0"},
      {"10001\\Normal mode", "Source filter", "{E436EBB5-524F-11CE-9F53-0020AF0BA770}"},
      {"10001\\Normal mode", "Source params", "C:\\Plugins\\in_mp3.dll"},
      {"10001\\Normal mode", "Audio render", "{79376820-07D0-11CF-A24D-0020AFD79767}"},
      {"10001\\Normal mode", "Video render", "{70E102B0-5556-11CE-97C0-00AA0055595A}"},
      {"10001\\Normal mode\\Audio filters", "{0000000C-0000-0000-0000-000000000000}", ""},
      {"10001\\Fail safe mode", "Audio render", "{79376820-07D0-11CF-A24D-0020AFD79767}"},
      {"10001\\Fail safe mode", "Source filter", "(missing)"},  // empty values are not written
      {"10002", "Extensions", "http://"},
      {"10002", "Try standard graph", "(missing)"},  // on unless "0"
      {"10002\\Fail safe mode\\General filters", "{0000000C-0000-0000-0000-000000000000}", ""},
      {"2", "Enabled", "1"},
      {"2", "Extensions", "(missing)"},  // a standard rule's filters stay in the profile
      {"1", "Enabled", "0"},  // listed in the profile, not in the rules: switched off
      {"3", "Enabled", "0"},
      {"5", "Enabled", "0"},
  };
  for (const Key& k : keys) {
    SCOPED_TRACE(std::string(k.subsection) + " " + k.ident);
    EXPECT_EQ(Stored(k.subsection, k.ident), k.stored);
  }
  EXPECT_THAT(store_.ReadSection(std::string(kGraphRulesSection) + "\\10001\\Normal mode\\General filters"),
              UnorderedElementsAre("{0000000A-0000-0000-0000-000000000000}", "{0000000B-0000-0000-0000-000000000000}"));

  EXPECT_EQ(Load(), rules);
}

TEST_F(GraphRuleStoreTest, UserRulesLoadInTheOrderOfTheirNumbersAndSaveRenumbered) {
  const char* subsections[] = {"10010", "100000", "10002", "10009", "9999", "abc"};
  for (const char* subsection : subsections) {
    Store(subsection, "Extensions", std::string(".") + subsection);
    Store(std::string(subsection) + "\\Normal mode", "Audio render", "{79376820-07D0-11CF-A24D-0020AFD79767}");
  }
  Store("10003", "Extensions", ".empty");  // no filters: not loaded
  Store("10004\\Normal mode", "Audio render", "{79376820-07D0-11CF-A24D-0020AFD79767}");  // no Extensions
  Store("10005", "Extensions", ".bad");
  Store("10005\\Normal mode", "Audio render", "not a CLSID");  // reads as empty: no filters
  Store("10006", "Extensions", ".10006");  // filters in a list only
  Store("10006\\Fail safe mode\\Video filters", "not a CLSID", "");
  Store("10006\\Fail safe mode\\Video filters", "{0000000A-0000-0000-0000-000000000000}", "");
  Store("1", "Enabled", "0");
  Store("4", "Enabled", "0");

  // 9999 is no user rule's number; as text "100000" and "10010" would come before "10002".
  EXPECT_THAT(LoadedExtensions(), ElementsAre(".10002", ".10006", ".10009", ".10010", ".100000"));
  EXPECT_EQ(Load()[1].FailSafe.VideoFilters, TXCLSIDList{kA});

  SaveGraphRules(store_, kGraphRulesSection, Load(), profile_);
  EXPECT_THAT(LoadedExtensions(), ElementsAre(".10002", ".10006", ".10009", ".10010", ".100000"));
  EXPECT_EQ(Stored("10001", "Extensions"), ".10002");
  EXPECT_EQ(Stored("10005", "Extensions"), ".100000");
  EXPECT_EQ(Stored("10006", "Extensions"), "(missing)");
}

TEST_F(GraphRuleStoreTest, StandardRulesFollowTheUserSwitchesThenTheProfileDefaults) {
  struct Case {
    const char* what;
    std::vector<std::pair<const char*, const char*>> switches;  // rule number, "Enabled"
    bool winamp;
    std::vector<std::int32_t> loaded;
  };
  const Case cases[] = {
      {"defaults without Winamp plug-ins", {}, false, {1, 4}},
      {"defaults with Winamp plug-ins", {}, true, {1, 3, 4}},
      {"switched off", {{"1", "0"}, {"4", "0"}}, false, {}},
      {"switched on", {{"2", "1"}}, false, {1, 2, 4}},
      {"a Winamp rule switched on by the user needs no plug-ins", {{"3", "1"}}, false, {1, 3, 4}},
      // Without filters a rule still decides: its media play by DirectShow's own graph.
      {"a rule without a section stays away; one without filters loads", {{"5", "1"}, {"6", "1"}}, false,
       {1, 4, 6}},
      {"anything but 0 and 1 leaves the default", {{"1", "yes"}, {"2", " 1"}}, false, {1, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    store_.EraseSection(kGraphRulesSection);
    for (const auto& [number, enabled] : c.switches) Store(number, "Enabled", enabled);
    EXPECT_EQ(LoadedNumbers(c.winamp), c.loaded);
  }
  TXStandardRule rule = ReadStandardRule(profile_, 1);
  EXPECT_EQ(Load().front(), rule.Rule) << "a standard rule loads with its filters from the profile";
}

// Saving with a profile that cannot be read (or no longer lists a rule) must not undo the user's switches.
TEST_F(GraphRuleStoreTest, SavingWithoutTheProfileKeepsTheStoredSwitches) {
  Store("1", "Enabled", "0");
  Store("2", "Enabled", "1");
  Store("77", "Enabled", "0");  // a rule the profile no longer lists
  TXFileGraphInfos rules = Load();
  ASSERT_THAT(LoadedNumbers(), ElementsAre(2, 4));
  TXFileGraphInfo user;
  user.Extensions = ".ogg";
  user.Normal.AudioRender = kDSound;
  rules.insert(rules.begin(), user);

  SaveGraphRules(store_, kGraphRulesSection, rules, IniDocument());

  EXPECT_EQ(Stored("1", "Enabled"), "0");
  EXPECT_EQ(Stored("2", "Enabled"), "1");
  EXPECT_EQ(Stored("77", "Enabled"), "0");
  EXPECT_THAT(LoadedNumbers(), ElementsAre(0, 2, 4));

  // With the profile back, a rule the user switches off is off again whatever was stored.
  rules.pop_back();
  SaveGraphRules(store_, kGraphRulesSection, rules, profile_);
  EXPECT_THAT(LoadedNumbers(), ElementsAre(0, 2));
  EXPECT_EQ(Stored("77", "Enabled"), "0");
}

TEST_F(GraphRuleStoreTest, TheLegacyCommonFiltersAreReadUntilTheNextSave) {
  const std::string legacy = kLegacyCommonFiltersSection;
  const std::string common = kCommonFiltersSection;
  store_.WriteString(legacy, "Audio render", "{79376820-07D0-11CF-A24D-0020AFD79767}");
  store_.WriteString(legacy + "\\Audio filters", "{0000000A-0000-0000-0000-000000000000}", "");
  store_.WriteString(common, "Video render", "{70E102B0-5556-11CE-97C0-00AA0055595A}");

  TXCommonFilters filters = LoadCommonFilters(store_);
  EXPECT_EQ(filters.AudioRender, TXCLSID(kDSound));
  EXPECT_TRUE(filters.VideoRender.Empty()) << "the legacy key wins while it exists";
  EXPECT_EQ(filters.AudioFilters, TXCLSIDList{kA});

  filters.VideoRender = kVideoRenderer;
  filters.GeneralFilters = {kB, kC};
  filters.VideoFilters = {kC};
  SaveCommonFilters(store_, filters);

  EXPECT_FALSE(store_.SectionExists(legacy));
  EXPECT_EQ(store_.ReadString(common, "Audio render", ""), "{79376820-07D0-11CF-A24D-0020AFD79767}");
  EXPECT_THAT(store_.ReadSubsections(common), UnorderedElementsAre("General filters", "Audio filters",
                                                                   "Video filters"));
  EXPECT_EQ(LoadCommonFilters(store_), filters);

  SaveCommonFilters(store_, TXCommonFilters());
  EXPECT_EQ(LoadCommonFilters(store_), TXCommonFilters());
  EXPECT_THAT(store_.ReadSection(common), IsEmpty());
}

TEST(StandardGraphRules, EveryProfileKeyIsReadAsSpelled) {
  const IniDocument profile = IniDocument::Parse(
      "[Standard graph building rules]\n"
      "7=Everything\n"
      "[7]\n"
      "Extensions=<any>://.ogg\n"
      "Try standard graph=0\n"
      "Default_Enabled=255\n"
      "Normal_Source_filter={65C0706F-7892-4980-84E7-706FB23F3DD4}\n"
      "Normal_Source_params=in_vorbis.dll\n"
      "Normal_Audio_render={79376820-07D0-11CF-A24D-0020AFD79767}\n"
      "Normal_Video_render={70E102B0-5556-11CE-97C0-00AA0055595A}\n"
      "Normal_General_filter_Count=1\n"
      "Normal_General_filter_1={0000000A-0000-0000-0000-000000000000}\n"
      "Normal_Audio_filter_Count=3\n"  // entry 2 missing
      "Normal_Audio_filter_1={0000000A-0000-0000-0000-000000000000}\n"
      "Normal_Audio_filter_3={0000000C-0000-0000-0000-000000000000}\n"
      "Normal_Video_ filter_Count=2\n"
      "Normal_Video_ filter_1=not a CLSID\n"
      "Normal_Video_ filter_2={0000000B-0000-0000-0000-000000000000}\n"
      "FailSafe_Video_ filter_Count=40\n"  // numbered beyond the keys the section has
      "FailSafe_Video_ filter_40={0000000C-0000-0000-0000-000000000000}\n"
      "FailSafe_Video_ filter_41={0000000A-0000-0000-0000-000000000000}\n"
      "FailSafe_Source_filter=garbage\n"
      "FailSafe_Audio_render={79376820-07D0-11CF-A24D-0020AFD79767}\n"
      "FailSafe_General_filter_Count=-4\n"
      "FailSafe_General_filter_1={0000000A-0000-0000-0000-000000000000}\n"
      "FailSafe_Audio_filter_Count=2147483647\n"
      "FailSafe_Audio_filter_1={0000000B-0000-0000-0000-000000000000}\n");

  EXPECT_THAT(StandardRuleNumbers(profile), ElementsAre(7));
  const TXStandardRule standard = ReadStandardRule(profile, 7);
  EXPECT_EQ(standard.Name, "Everything");
  EXPECT_EQ(standard.DefaultEnabled, 255);
  const TXFileGraphInfo& rule = standard.Rule;
  EXPECT_EQ(rule.Number, 7);
  EXPECT_EQ(rule.Extensions, "<any>://.ogg");
  EXPECT_FALSE(rule.TryStandardGraph);
  EXPECT_EQ(rule.Normal, (TXGraphFiltersInfo{kWinampSourceClsid, "in_vorbis.dll", kDSound, kVideoRenderer, {kA},
                                             {kA, kC}, {kB}}));
  EXPECT_EQ(rule.FailSafe, (TXGraphFiltersInfo{{}, {}, kDSound, {}, {}, {kB}, {kC}}));
  EXPECT_TRUE(UsesWinampSource(rule));

  const TXStandardRule missing = ReadStandardRule(profile, 8);
  EXPECT_TRUE(missing.Rule.Extensions.empty());
  EXPECT_TRUE(missing.Rule.Normal.IsEmpty() && missing.Rule.FailSafe.IsEmpty());
  EXPECT_TRUE(missing.Rule.TryStandardGraph);
  EXPECT_EQ(missing.DefaultEnabled, 0);
}

TEST(StandardGraphRules, OnlyNumbersOfStandardRulesAreListed) {
  const IniDocument profile = IniDocument::Parse(
      "[Standard graph building rules]\n3=c\n1=a\n0=zero\n-2=negative\n10000=last\n10001=a user rule's\nname=x\n");
  EXPECT_THAT(StandardRuleNumbers(profile), ElementsAre(3, 1, 10000));
  EXPECT_THAT(StandardRuleNumbers(IniDocument()), IsEmpty());
}

}  // namespace
}  // namespace nv
