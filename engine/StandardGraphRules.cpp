#include "engine/StandardGraphRules.h"

#include <algorithm>
#include <utility>

#include "engine/EngineConstants.h"
#include "support/ProductProfile.h"
#include "support/TextCompare.h"
#include "support/ValueText.h"

namespace nv {

namespace {

TXCLSID ReadClsid(const IniDocument& profile, const std::string& section, const std::string& ident) {
  return TXCLSID(ParseGuid(profile.ReadString(section, ident)).value_or(Guid()));
}

// Entries 1..count that are there and are CLSIDs, in the order of their numbers. Only the section's own keys are
// visited, so a gap in the numbering loses nothing and a wild count costs nothing.
TXCLSIDList ReadClsidList(const IniDocument& profile, const std::string& section, const std::string& list,
                          const std::vector<std::string>& idents) {
  const std::int32_t count = profile.ReadInteger(section, list + "_Count", 0);
  const std::string prefix = list + "_";
  std::vector<std::pair<std::int32_t, Guid>> entries;
  for (const std::string& ident : idents) {
    if (ident.size() <= prefix.size() || !LocaleSameText(std::string_view(ident).substr(0, prefix.size()), prefix))
      continue;
    // The number as the entry's key is written: "L_2", not "L_02".
    const std::string_view digits = std::string_view(ident).substr(prefix.size());
    const std::optional<std::int32_t> number = ParseInteger(digits);
    if (!number || *number < 1 || *number > count || std::to_string(*number) != digits) continue;
    if (const std::optional<Guid> clsid = ParseGuid(profile.ReadString(section, ident)))
      entries.emplace_back(*number, *clsid);
  }
  std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  TXCLSIDList clsids;
  for (const auto& [number, clsid] : entries) clsids.push_back(clsid);
  return clsids;
}

TXGraphFiltersInfo ReadFilterSet(const IniDocument& profile, const std::string& section, const std::string& p,
                                 const std::vector<std::string>& idents) {
  TXGraphFiltersInfo set;
  set.SourceFilter = ReadClsid(profile, section, p + "_Source_filter");
  set.SourceParams = profile.ReadString(section, p + "_Source_params");
  set.AudioRender = ReadClsid(profile, section, p + "_Audio_render");
  set.VideoRender = ReadClsid(profile, section, p + "_Video_render");
  set.GeneralFilters = ReadClsidList(profile, section, p + "_General_filter", idents);
  set.AudioFilters = ReadClsidList(profile, section, p + "_Audio_filter", idents);
  set.VideoFilters = ReadClsidList(profile, section, p + "_Video_ filter", idents);
  return set;
}

}  // namespace

std::vector<std::int32_t> StandardRuleNumbers(const IniDocument& profile) {
  std::vector<std::int32_t> numbers;
  for (const std::string& ident : profile.Idents(kStandardGraphRulesSection)) {
    const std::optional<std::int32_t> number = ParseInteger(ident);
    if (number && *number >= 1 && *number <= kLastStandardRuleNumber) numbers.push_back(*number);
  }
  return numbers;
}

TXStandardRule ReadStandardRule(const IniDocument& profile, std::int32_t number) {
  TXStandardRule standard;
  const std::string section = std::to_string(number);
  standard.Name = profile.ReadString(kStandardGraphRulesSection, section);
  standard.DefaultEnabled = profile.ReadInteger(section, "Default_Enabled", kDefaultDisabled);
  TXFileGraphInfo& rule = standard.Rule;
  rule.Number = number;
  rule.Extensions = profile.ReadString(section, "Extensions");
  rule.TryStandardGraph = profile.ReadString(section, "Try standard graph", "1") != "0";
  const std::vector<std::string> idents = profile.Idents(section);
  rule.Normal = ReadFilterSet(profile, section, "Normal", idents);
  rule.FailSafe = ReadFilterSet(profile, section, "FailSafe", idents);
  return standard;
}

bool UsesWinampSource(const TXFileGraphInfo& rule) {
  return rule.Normal.SourceFilter.Get() == kWinampSourceClsid || rule.FailSafe.SourceFilter.Get() == kWinampSourceClsid;
}

}  // namespace nv
