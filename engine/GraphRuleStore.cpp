#include "engine/GraphRuleStore.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "engine/StandardGraphRules.h"
#include "support/Errors.h"
#include "support/ValueText.h"

namespace nv {

namespace {

constexpr char kExtensions[] = "Extensions";
constexpr char kTryStandardGraph[] = "Try standard graph";
constexpr char kEnabled[] = "Enabled";
constexpr char kNormalMode[] = "Normal mode";
constexpr char kFailSafeMode[] = "Fail safe mode";
constexpr char kSourceFilter[] = "Source filter";
constexpr char kSourceParams[] = "Source params";
constexpr char kAudioRender[] = "Audio render";
constexpr char kVideoRender[] = "Video render";
constexpr char kGeneralFilters[] = "General filters";
constexpr char kAudioFilters[] = "Audio filters";
constexpr char kVideoFilters[] = "Video filters";

std::string Subsection(std::string_view section, std::string_view name) {
  return std::string(section) + '\\' + std::string(name);
}
std::string Subsection(std::string_view section, std::int32_t number) {
  return Subsection(section, std::to_string(number));
}

TXCLSID ReadClsid(const TXRegIniFile& store, std::string_view section, std::string_view ident) {
  return TXCLSID(ParseGuid(store.ReadString(section, ident, "")).value_or(Guid()));
}

void WriteClsid(TXRegIniFile& store, std::string_view section, std::string_view ident, const TXCLSID& clsid) {
  if (!clsid.Empty()) store.WriteString(section, ident, FormatGuid(clsid.Get()));
}

// In the order the store lists the values (Windows: as written; Wine: by name); names that are not CLSIDs are
// skipped.
TXCLSIDList ReadClsidList(const TXRegIniFile& store, std::string_view section) {
  TXCLSIDList clsids;
  for (const std::string& name : store.ReadSection(section))
    if (const std::optional<Guid> clsid = ParseGuid(name)) clsids.push_back(*clsid);
  return clsids;
}

void WriteClsidList(TXRegIniFile& store, std::string_view section, const TXCLSIDList& clsids) {
  for (const Guid& clsid : clsids) store.WriteString(section, FormatGuid(clsid), "");
}

// The renderers and filter lists, which a filter set and the common filters hold alike.
template <class Filters>
void ReadRenderersAndLists(const TXRegIniFile& store, std::string_view section, Filters& filters) {
  filters.AudioRender = ReadClsid(store, section, kAudioRender);
  filters.VideoRender = ReadClsid(store, section, kVideoRender);
  filters.GeneralFilters = ReadClsidList(store, Subsection(section, kGeneralFilters));
  filters.AudioFilters = ReadClsidList(store, Subsection(section, kAudioFilters));
  filters.VideoFilters = ReadClsidList(store, Subsection(section, kVideoFilters));
}

template <class Filters>
void WriteRenderersAndLists(TXRegIniFile& store, std::string_view section, const Filters& filters) {
  WriteClsid(store, section, kAudioRender, filters.AudioRender);
  WriteClsid(store, section, kVideoRender, filters.VideoRender);
  WriteClsidList(store, Subsection(section, kGeneralFilters), filters.GeneralFilters);
  WriteClsidList(store, Subsection(section, kAudioFilters), filters.AudioFilters);
  WriteClsidList(store, Subsection(section, kVideoFilters), filters.VideoFilters);
}

TXGraphFiltersInfo ReadFilterSet(const TXRegIniFile& store, std::string_view section) {
  TXGraphFiltersInfo set;
  set.SourceFilter = ReadClsid(store, section, kSourceFilter);
  set.SourceParams = store.ReadString(section, kSourceParams, "");
  ReadRenderersAndLists(store, section, set);
  return set;
}

void WriteFilterSet(TXRegIniFile& store, std::string_view section, const TXGraphFiltersInfo& set) {
  WriteClsid(store, section, kSourceFilter, set.SourceFilter);
  if (!set.SourceParams.empty()) store.WriteString(section, kSourceParams, set.SourceParams);
  WriteRenderersAndLists(store, section, set);
}

// The numbered subsections of the rules section, in the numbers' order (as text "10010" would come before "9999").
std::vector<std::pair<std::int32_t, std::string>> NumberedSubsections(const TXRegIniFile& store,
                                                                      std::string_view section) {
  std::vector<std::pair<std::int32_t, std::string>> numbered;
  for (std::string& name : store.ReadSubsections(section))
    if (const std::optional<std::int32_t> number = ParseInteger(name)) numbered.emplace_back(*number, std::move(name));
  std::stable_sort(numbered.begin(), numbered.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  return numbered;
}

std::optional<TXFileGraphInfo> ReadUserRule(const TXRegIniFile& store, std::string_view subsection) {
  TXFileGraphInfo rule;
  rule.Extensions = store.ReadString(subsection, kExtensions, "");
  if (rule.Extensions.empty()) return std::nullopt;
  rule.TryStandardGraph = store.ReadString(subsection, kTryStandardGraph, "1") != "0";
  rule.Normal = ReadFilterSet(store, Subsection(subsection, kNormalMode));
  rule.FailSafe = ReadFilterSet(store, Subsection(subsection, kFailSafeMode));
  if (rule.Normal.IsEmpty() && rule.FailSafe.IsEmpty()) return std::nullopt;
  return rule;
}

void WriteUserRule(TXRegIniFile& store, std::string_view subsection, const TXFileGraphInfo& rule) {
  store.WriteString(subsection, kExtensions, rule.Extensions);
  if (!rule.TryStandardGraph) store.WriteString(subsection, kTryStandardGraph, "0");
  WriteFilterSet(store, Subsection(subsection, kNormalMode), rule.Normal);
  WriteFilterSet(store, Subsection(subsection, kFailSafeMode), rule.FailSafe);
}

bool IsStandardRuleNumber(std::int32_t number) { return number >= 1 && number <= kLastStandardRuleNumber; }

bool Contains(const std::vector<std::int32_t>& numbers, std::int32_t number) {
  return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

}  // namespace

TXFileGraphInfos LoadGraphRules(const TXRegIniFile& store, std::string_view section, const IniDocument& profile,
                                bool winampPluginsAvailable) {
  TXFileGraphInfos rules;
  for (const auto& [number, name] : NumberedSubsections(store, section)) {
    if (number < kFirstUserRuleNumber) continue;
    try {
      if (std::optional<TXFileGraphInfo> rule = ReadUserRule(store, Subsection(section, name)))
        rules.push_back(std::move(*rule));
    } catch (const Exception&) {
      // An unreadable rule is skipped; the others still load.
    }
  }

  for (const std::int32_t number : StandardRuleNumbers(profile)) {
    const std::string switched = store.ReadString(Subsection(section, number), kEnabled, "");
    if (switched == "0") continue;
    TXStandardRule standard = ReadStandardRule(profile, number);
    if (switched != "1") {
      if (standard.DefaultEnabled == kDefaultDisabled) continue;
      if (standard.DefaultEnabled == kDefaultEnabledWithWinamp && !winampPluginsAvailable &&
          UsesWinampSource(standard.Rule))
        continue;
    }
    // A rule without filters still decides which rule its media take: they play by DirectShow's own graph. A rule
    // that names no media (the profile has no section for it) has nothing to decide.
    if (standard.Rule.Extensions.empty()) continue;
    rules.push_back(std::move(standard.Rule));
  }
  return rules;
}

void SaveGraphRules(TXRegIniFile& store, std::string_view section, const TXFileGraphInfos& rules,
                    const IniDocument& profile) {
  // The switches stored now, kept for standard rules that this save has nothing to say about.
  std::vector<std::pair<std::int32_t, std::string>> storedSwitches;
  for (const auto& [number, name] : NumberedSubsections(store, section)) {
    if (!IsStandardRuleNumber(number)) continue;
    std::string switched = store.ReadString(Subsection(section, name), kEnabled, "");
    if (switched == "0" || switched == "1") storedSwitches.emplace_back(number, std::move(switched));
  }

  store.EraseSection(section);

  std::int32_t userNumber = kFirstUserRuleNumber;
  std::vector<std::int32_t> switchedOn;
  for (const TXFileGraphInfo& rule : rules) {
    if (!rule.IsStandard()) {
      WriteUserRule(store, Subsection(section, userNumber++), rule);
    } else if (IsStandardRuleNumber(rule.Number)) {
      store.WriteString(Subsection(section, rule.Number), kEnabled, "1");
      switchedOn.push_back(rule.Number);
    }
  }
  const std::vector<std::int32_t> listed = StandardRuleNumbers(profile);
  for (const std::int32_t number : listed)
    if (!Contains(switchedOn, number)) store.WriteString(Subsection(section, number), kEnabled, "0");
  for (const auto& [number, switched] : storedSwitches)
    if (!Contains(switchedOn, number) && !Contains(listed, number))
      store.WriteString(Subsection(section, number), kEnabled, switched);
}

TXCommonFilters LoadCommonFilters(const TXRegIniFile& store) {
  const std::string_view section =
      store.SectionExists(kLegacyCommonFiltersSection) ? kLegacyCommonFiltersSection : kCommonFiltersSection;
  TXCommonFilters filters;
  ReadRenderersAndLists(store, section, filters);
  return filters;
}

void SaveCommonFilters(TXRegIniFile& store, const TXCommonFilters& filters) {
  store.EraseSection(kLegacyCommonFiltersSection);
  store.EraseSection(kCommonFiltersSection);
  WriteRenderersAndLists(store, kCommonFiltersSection, filters);
}

}  // namespace nv
