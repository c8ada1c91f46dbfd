// Choosing a rule for an item, and the filters one building attempt gets from it.
#include <gtest/gtest.h>

#include "engine/RuleMatching.h"
#include "support/MarkedText.h"
#include "tests/engine/TestClassIds.h"

namespace nv {
namespace {

TXFileGraphInfos RulesFor(std::initializer_list<const char*> extensions) {
  TXFileGraphInfos rules;
  for (const char* text : extensions) {
    TXFileGraphInfo rule;
    rule.Extensions = text;
    rules.push_back(rule);
  }
  return rules;
}

TEST(RuleMediaOf, TakesTheProtocolAndTheExtensionOfTheLastComponent) {
  struct Case {
    const char16_t* fileName;
    const char16_t* protocol;
    const char16_t* extension;
  };
  const Case cases[] = {
      {u"C:\\Music\\song.MP3", u"", u".MP3"},
      {u"C:\\Music\\README", u"", u""},
      {u"C:\\music.mp3\\track", u"", u""},  // a dot in a folder name is no extension
      {u"D:\\Track01.<cda>", u"", u".<cda>"},
      {u"\\\\server\\share\\a.b.ogg", u"", u".ogg"},
      {u"mms://media.example.com/live.asf", u"mms", u".asf"},
      {u"mms://media.example.com/live", u"mms", u""},
      // Web addresses name scripts and streams as often as files: no extension.
      {u"http://radio.example.com:8000/stream.mp3", u"http", u""},
      {u"HTTPS://radio.example.com/stream.ogg", u"HTTPS", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.fileName));
    const RuleMediaItem item = RuleMediaOf(c.fileName);
    EXPECT_EQ(item.protocol, c.protocol);
    EXPECT_EQ(item.extension, c.extension);
  }
}

TEST(FindRule, ChoosesByProtocolExtensionAndRedirectorEntry) {
  struct Case {
    const char* what;
    TXFileGraphInfos rules;
    const char16_t* fileName;
    bool redirectorEntry;
    int expected;  // index of the rule, -1 for none
  };
  const Case cases[] = {
      {"an extension rule fits its files exactly", RulesFor({".mp3", "<any files>"}), u"C:\\a.mp3", false, 0},
      {"the catch-all takes what no other rule fits", RulesFor({".mp3", "<any files>"}), u"C:\\a.wav", false, 1},
      {"an extension rule is for local files only", RulesFor({".mp3", "<any files>"}), u"http://h/a.mp3", false, 1},
      {"extensions ignore case", RulesFor({".MP3"}), u"C:\\a.Mp3", false, 0},
      {"the list is split at \";\" and trimmed", RulesFor({".mp3; .a"}), u"C:\\x.a", false, 0},
      {"an extension rule needs an extension", RulesFor({".mp3"}), u"C:\\README", false, -1},
      {"a protocol rule fits every address of it", RulesFor({"<any files>", "http://"}), u"http://h/a.mp3", false, 1},
      {"protocols ignore case", RulesFor({"HTTP://"}), u"Http://h/live", false, 0},
      {"a protocol rule is not for local files", RulesFor({"http://"}), u"C:\\a.mp3", false, -1},
      {"https addresses have no extension either", RulesFor({"https://"}), u"https://h/a.ogg", false, 0},
      {"any protocol with an extension", RulesFor({"<any>://.ogg"}), u"mms://h/a.ogg", false, 0},
      {"an exact fit wins over any protocol", RulesFor({"<any>://.ogg", "mms://.ogg"}), u"mms://h/a.ogg", false, 1},
      {"the protocol counts more than the extension", RulesFor({"<any>://.ogg", "mms://<any files>"}),
       u"mms://h/a.ogg", false, 1},
      {"a protocol rule with the wrong extension does not fit", RulesFor({"mms://.wma"}), u"mms://h/a.asf", false, -1},
      {"any protocol, empty list: items without extension", RulesFor({"<any>://"}), u"C:\\README", false, 0},
      {"any protocol and any extension", RulesFor({"<any>://<any files>"}), u"C:\\a.xyz", false, 0},
      {"equal scores: the earlier rule", RulesFor({"<any>://.ogg", "<any>://.OGG"}), u"mms://h/a.ogg", false, 0},
      {"two catch-alls: the earlier", RulesFor({"<any files>", "<any files>"}), u"C:\\a", false, 0},
      {"two exact fits: the earlier", RulesFor({".mp3", ".mp2;.mp3"}), u"C:\\a.mp3", false, 0},
      {"a redirector rule is ignored for ordinary items", RulesFor({"[ASX].asf", ".asf"}), u"C:\\a.asf", false, 1},
      {"...even when its list fits", RulesFor({"[ASX];.mp3"}), u"C:\\a.mp3", false, -1},
      {"a redirector rule wins for a redirector entry", RulesFor({"[ASX].asf", ".asf"}), u"C:\\a.asf", true, 0},
      {"...wherever it stands", RulesFor({".asf", "[asx].asf"}), u"C:\\a.asf", true, 1},
      {"...also over an exact ordinary fit", RulesFor({".asf", "[ASX]<any>://<any files>"}), u"C:\\a.asf", true, 1},
      {"an ordinary rule serves a redirector entry when no redirector rule fits", RulesFor({".asf", "[ASX].wma"}),
       u"C:\\a.asf", true, 0},
      {"a rule text that cannot be decoded fits nothing", RulesFor({"\x01\xFF\xFE"}), u"C:\\a", false, -1},
      {"no rules", {}, u"C:\\a.mp3", false, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RuleMediaItem item = RuleMediaOf(c.fileName);
    const TXFileGraphInfo* found = FindRule(c.rules, item.protocol, item.extension, c.redirectorEntry);
    EXPECT_EQ(found == nullptr ? -1 : static_cast<int>(found - c.rules.data()), c.expected);
  }
}

TEST(RuleExtensions, ScoresAsTheRulesWeighThem) {
  struct Case {
    const char* extensions;
    const char16_t* protocol;
    const char16_t* extension;
    int score;
  };
  const Case cases[] = {
      {"<any files>", u"mms", u".asf", 0x11},
      {" <ANY FILES> ", u"", u"", 0x11},
      {".mp3", u"", u".mp3", 0xFF},
      {"http://", u"http", u"", 0xFF},
      {"<any>://.ogg", u"mms", u".ogg", 0x1F},
      {"mms://<any files>", u"mms", u".asf", 0xF1},
      {"<any>://<any files>", u"rtsp", u"", 0x11},
      {".mp3", u"", u".wav", 0xF0},  // the protocol alone does not make a fit
      {"http://.mp3", u"", u".mp3", 0x0F},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extensions);
    EXPECT_EQ(ScoreRuleMedia(ParseRuleExtensions(c.extensions), c.protocol, c.extension), c.score);
  }
}

using test::kA;
using test::kB;
using test::kC;
// The filters of the rule and of the common filters.
constexpr Guid kSource = "{00000001-0000-0000-0000-000000000000}"_guid;
constexpr Guid kAudio = "{00000002-0000-0000-0000-000000000000}"_guid;
constexpr Guid kVideo = "{00000003-0000-0000-0000-000000000000}"_guid;
constexpr Guid kSafeAudio = "{00000004-0000-0000-0000-000000000000}"_guid;
constexpr Guid kCommonAudio = "{00000005-0000-0000-0000-000000000000}"_guid;
constexpr Guid kCommonVideo = "{00000006-0000-0000-0000-000000000000}"_guid;

TXFileGraphInfo Rule(const char* extensions, TXGraphFiltersInfo normal, TXGraphFiltersInfo failSafe = {},
                     bool tryStandardGraph = true) {
  TXFileGraphInfo rule;
  rule.Extensions = extensions;
  rule.Normal = std::move(normal);
  rule.FailSafe = std::move(failSafe);
  rule.TryStandardGraph = tryStandardGraph;
  return rule;
}

TXPlayerGraphInfo Info(TXGraphFiltersInfo filters, bool failSafe, TXCDSourceKind cdSource = ckNone) {
  TXPlayerGraphInfo info;
  static_cast<TXGraphFiltersInfo&>(info) = std::move(filters);
  info.FailSafe = failSafe;
  info.CDSource = cdSource;
  return info;
}

TEST(ApplyRule, FillsTheAttemptFromTheRuleTheCommonFiltersAndTheCdChoice) {
  const TXGraphFiltersInfo normal{kSource, "plugin.dll", kAudio, kVideo, {kA}, {}, {kB}};
  const TXGraphFiltersInfo safe{{}, {}, kSafeAudio, {}, {}, {}, {}};
  const TXFileGraphInfo full = Rule(".mp3", normal, safe);
  const TXFileGraphInfo noSafe = Rule(".mp3", normal);
  const TXFileGraphInfo noSafeNoStandard = Rule(".mp3", normal, {}, false);
  const TXFileGraphInfo onlyParams = Rule(".mp3", {{}, "plugin.dll", {}, {}, {}, {}, {}});
  const TXFileGraphInfo cdRule = Rule(".<cda>", {{}, {}, kAudio, {}, {}, {}, {}});
  const TXFileGraphInfo catchAll = Rule("<any files>", normal, safe);
  const TXCommonFilters none;
  const TXCommonFilters common{kCommonAudio, kCommonVideo, {kA, kC, kC}, {kB}, {kB, kA}};

  struct Case {
    const char* what;
    const TXFileGraphInfo* rule;
    const TXCommonFilters& common;
    bool cdaDigital, cdTrack, secondAttempt;
    TXPlayerGraphInfo expected;
  };
  const Case cases[] = {
      {"no rule: one attempt with the common filters", nullptr, common, true, false, false,
       Info({{}, {}, kCommonAudio, kCommonVideo, {kA, kC}, {kB}, {kB, kA}}, true)},
      {"first attempt: the normal set, a second attempt follows", &full, none, true, false, false,
       Info(normal, false)},
      {"second attempt: the fail-safe set", &full, none, true, false, true, Info(safe, true)},
      {"empty fail-safe set, standard graph on: a second attempt", &noSafe, none, true, false, false,
       Info(normal, false)},
      {"empty fail-safe set, standard graph off: one attempt", &noSafeNoStandard, none, true, false, false,
       Info(normal, true)},
      {"both sets empty: one attempt", &onlyParams, none, true, false, false,
       Info({{}, "plugin.dll", {}, {}, {}, {}, {}}, true)},
      {"the rule's renderers stay, common lists join without repeats", &full, common, true, false, false,
       Info({kSource, "plugin.dll", kAudio, kVideo, {kA, kC}, {kB}, {kB, kA}}, false)},
      {"CD track, first attempt, digital", nullptr, none, true, true, false, Info({}, false, ckDigital)},
      {"CD track, first attempt, MCI", nullptr, none, false, true, false, Info({}, false, ckMCI)},
      {"CD track, second attempt: the other source", nullptr, none, true, true, true, Info({}, true, ckMCI)},
      {"CD track, second attempt after MCI: digital", &cdRule, none, false, true, true, Info({}, true, ckDigital)},
      {"CD track whose rule named its own source: the CD source comes second", &full, none, true, true, true,
       Info(safe, true, ckDigital)},
      {"CD track and the catch-all: no source, no video", &catchAll, common, true, true, false,
       Info({{}, "plugin.dll", kAudio, kCommonVideo, {kA, kC}, {kB}, {kB, kA}}, false, ckDigital)},
      // The catch-all's source was dropped, so the first attempt already read through the CD source.
      {"CD track and a catch-all naming a source: the other CD source second", &catchAll, none, true, true, true,
       Info(safe, true, ckMCI)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TXPlayerGraphInfo info;
    info.FailSafe = c.secondAttempt;
    ApplyRule(c.rule, c.common, c.cdaDigital, c.cdTrack, info);
    EXPECT_EQ(info.SourceFilter, c.expected.SourceFilter);
    EXPECT_EQ(info.SourceParams, c.expected.SourceParams);
    EXPECT_EQ(info.AudioRender, c.expected.AudioRender);
    EXPECT_EQ(info.VideoRender, c.expected.VideoRender);
    EXPECT_EQ(info.GeneralFilters, c.expected.GeneralFilters);
    EXPECT_EQ(info.AudioFilters, c.expected.AudioFilters);
    EXPECT_EQ(info.VideoFilters, c.expected.VideoFilters);
    EXPECT_EQ(info.FailSafe, c.expected.FailSafe);
    EXPECT_EQ(info.CDSource, c.expected.CDSource);
  }
}

}  // namespace
}  // namespace nv
