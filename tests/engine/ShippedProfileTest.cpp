// The standard rules shipped in resources/Norvale.profile: every key is one the player reads, and the rules play
// the common media and switch on and off.
#include <fstream>
#include <iterator>
#include <map>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/EngineConstants.h"
#include "engine/GraphRuleStore.h"
#include "engine/RuleMatching.h"
#include "engine/StandardGraphRules.h"
#include "support/MarkedText.h"
#include "support/MemoryKeyValueStore.h"
#include "support/ProductProfile.h"
#include "support/ValueText.h"
#include "tests/common/TestPaths.h"
#include "tests/engine/TestClassIds.h"

namespace nv {
namespace {

using ::testing::IsEmpty;

using namespace test;

const IniDocument& ShippedProfile() {
  static const IniDocument profile = [] {
    std::ifstream in(test::SourceDir() + "/resources/" + kProductProfileName, std::ios::binary);
    EXPECT_TRUE(in.good()) << "the shipped profile cannot be read";
    return IniDocument::Parse(std::string(std::istreambuf_iterator<char>(in), {}));
  }();
  return profile;
}

TXRegIniFile EmptyStore() { return TXRegIniFile(std::make_unique<MemoryKeyValueStore>(), "Software\\Norvale"); }

// The keys a standard rule may have, as the player reads them, and whether each holds a CLSID.
std::map<std::string, bool> KnownKeys(const IniDocument& profile, const std::string& section) {
  std::map<std::string, bool> keys = {{"Extensions", false}, {"Try standard graph", false}, {"Default_Enabled", false}};
  for (const std::string& p : {std::string("Normal"), std::string("FailSafe")}) {
    keys[p + "_Source_filter"] = true;
    keys[p + "_Source_params"] = false;
    keys[p + "_Audio_render"] = true;
    keys[p + "_Video_render"] = true;
    for (const std::string& list : {p + "_General_filter", p + "_Audio_filter", p + "_Video_ filter"}) {
      keys[list + "_Count"] = false;
      const std::int32_t count = profile.ReadInteger(section, list + "_Count", 0);
      for (std::int32_t i = 1; i <= count; ++i) keys[list + "_" + std::to_string(i)] = true;
    }
  }
  return keys;
}

TEST(ShippedProfile, EveryStandardRuleKeyIsOneThePlayerReads) {
  const IniDocument& profile = ShippedProfile();
  const std::vector<std::int32_t> numbers = StandardRuleNumbers(profile);
  ASSERT_FALSE(numbers.empty());
  EXPECT_EQ(numbers.size(), profile.Idents(kStandardGraphRulesSection).size()) << "every entry is a rule number";

  for (const std::int32_t number : numbers) {
    const std::string section = std::to_string(number);
    SCOPED_TRACE("rule " + section);
    EXPECT_TRUE(profile.SectionExists(section));
    const TXStandardRule standard = ReadStandardRule(profile, number);
    EXPECT_FALSE(standard.Name.empty());
    EXPECT_FALSE(standard.Rule.Extensions.empty());
    EXPECT_FALSE(standard.Rule.Normal.IsEmpty() && standard.Rule.FailSafe.IsEmpty());
    EXPECT_THAT((std::vector<std::int32_t>{0, 1, 255}), ::testing::Contains(standard.DefaultEnabled));
    EXPECT_THAT((std::vector<std::string>{"", "0", "1"}),
                ::testing::Contains(profile.ReadString(section, "Try standard graph")));

    const std::map<std::string, bool> known = KnownKeys(profile, section);
    for (const auto& [ident, value] : profile.SectionValues(section)) {
      SCOPED_TRACE(ident);
      const auto key = known.find(ident);
      ASSERT_NE(key, known.end()) << "a key the player does not read";
      if (key->second) {
        EXPECT_TRUE(ParseGuid(value)) << "not a CLSID: " << value;
      }
    }
  }
  for (const std::string& section : profile.Sections()) {
    if (const std::optional<std::int32_t> number = ParseInteger(section)) {
      EXPECT_THAT(numbers, ::testing::Contains(*number)) << "section " << section << " is no listed rule";
    }
  }
}

TEST(ShippedProfile, TheStandardRulesPlayTheCommonMedia) {
  const TXRegIniFile store = EmptyStore();
  const TXFileGraphInfos rules = LoadGraphRules(store, kGraphRulesSection, ShippedProfile(), false);
  const TXFileGraphInfos withWinamp = LoadGraphRules(store, kGraphRulesSection, ShippedProfile(), true);

  struct Case {
    const char16_t* fileName;
    bool redirectorEntry;
    bool winamp;
    std::int32_t rule;
    TXCLSID source, audioRender, failSafeAudioRender;
    bool secondAttempt;
  };
  const Case cases[] = {
      {u"C:\\Music\\song.mp3", false, false, 1, kFileSource, kDSound, kWaveOut, true},
      {u"C:\\Music\\song.ogg", false, false, 3, kFileSource, kDSound, kWaveOut, true},
      {u"C:\\Music\\song.WAV", false, false, 2, kFileSource, kDSound, kWaveOut, true},
      {u"C:\\Music\\song.wma", false, false, 4, kAsfReader, kDSound, kWaveOut, true},
      {u"C:\\Video\\clip.avi", false, false, 5, kFileSource, kDSound, kDSound, true},
      {u"http://radio.example.com:8000/stream", false, false, 8, {}, kDSound, kWaveOut, true},
      {u"http://radio.example.com/song.mp3", false, false, 8, {}, kDSound, kWaveOut, true},
      {u"https://radio.example.com/live.ogg", false, false, 9, {}, kDSound, kWaveOut, true},
      {u"mms://media.example.com/live", false, false, 10, kAsfReader, kDSound, {}, true},
      {u"http://media.example.com/live.asf", true, false, 11, kAsfReader, kDSound, {}, true},
      {u"C:\\Music\\song.flac", false, false, 13, {}, kDSound, kWaveOut, true},
      {u"C:\\Music\\song.flac", false, true, 12, kWinampSourceClsid, kDSound, {}, false},
      {u"D:\\Track01.<cda>", false, false, 13, {}, kDSound, kWaveOut, true},
      {u"C:\\notes.txt", false, false, 13, {}, kDSound, kWaveOut, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.fileName));
    const RuleMediaItem item = RuleMediaOf(c.fileName);
    const TXFileGraphInfo* rule =
        FindRule(c.winamp ? withWinamp : rules, item.protocol, item.extension, c.redirectorEntry);
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(rule->Number, c.rule);
    EXPECT_EQ(rule->Normal.SourceFilter, c.source);
    EXPECT_EQ(rule->Normal.AudioRender, c.audioRender);
    EXPECT_EQ(rule->FailSafe.AudioRender, c.failSafeAudioRender);
    TXPlayerGraphInfo first;
    ApplyRule(rule, TXCommonFilters(), true, false, first);
    EXPECT_EQ(first.FailSafe, !c.secondAttempt);
  }
}

TEST(ShippedProfile, TheStandardRulesSwitchOnAndOff) {
  TXRegIniFile store = EmptyStore();
  const auto numberFor = [&](const char16_t* fileName) {
    const TXFileGraphInfos rules = LoadGraphRules(store, kGraphRulesSection, ShippedProfile(), false);
    const RuleMediaItem item = RuleMediaOf(fileName);
    const TXFileGraphInfo* rule = FindRule(rules, item.protocol, item.extension, false);
    return rule == nullptr ? -1 : rule->Number;
  };
  const std::string section = kGraphRulesSection;
  store.WriteString(section + "\\1", "Enabled", "0");
  store.WriteString(section + "\\5", "Enabled", "0");
  store.WriteString(section + "\\6", "Enabled", "1");
  store.WriteString(section + "\\13", "Enabled", "0");
  EXPECT_EQ(numberFor(u"C:\\a.mp3"), -1) << "MPEG audio and the catch-all off";
  EXPECT_EQ(numberFor(u"C:\\a.avi"), 6);
  const TXFileGraphInfos rules = LoadGraphRules(store, kGraphRulesSection, ShippedProfile(), false);
  const auto vmr9 = std::find_if(rules.begin(), rules.end(), [](const auto& r) { return r.Number == 6; });
  ASSERT_NE(vmr9, rules.end());
  EXPECT_EQ(vmr9->Normal.VideoRender, TXCLSID(kVmr9));

  // What the options dialog saves comes back the same.
  SaveGraphRules(store, kGraphRulesSection, rules, ShippedProfile());
  EXPECT_EQ(LoadGraphRules(store, kGraphRulesSection, ShippedProfile(), false), rules);
  EXPECT_EQ(store.ReadString(section + "\\7", "Enabled", ""), "0");

  store.EraseSection(section);
  EXPECT_EQ(numberFor(u"C:\\a.mp3"), 1);
  EXPECT_EQ(numberFor(u"C:\\a.avi"), 5);
}

}  // namespace
}  // namespace nv
