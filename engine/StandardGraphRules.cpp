#include "engine/StandardGraphRules.h"

#include <algorithm>

#include "engine/EngineConstants.h"
#include "support/ProductProfile.h"
#include "support/ValueText.h"

namespace nv {

namespace {

TXCLSID ReadClsid(const IniDocument& profile, const std::string& section, const std::string& ident) {
  return TXCLSID(ParseGuid(profile.ReadString(section, ident)).value_or(Guid()));
}

// Entries that are missing or are not CLSIDs are left out. The count cannot exceed the idents of the section, which
// keeps a wild count from running on.
TXCLSIDList ReadClsidList(const IniDocument& profile, const std::string& section, const std::string& list,
                          std::int32_t idents) {
  TXCLSIDList clsids;
  const std::int32_t count = std::min(profile.ReadInteger(section, list + "_Count", 0), idents);
  for (std::int32_t i = 1; i <= count; ++i)
    if (const std::optional<Guid> clsid = ParseGuid(profile.ReadString(section, list + "_" + std::to_string(i))))
      clsids.push_back(*clsid);
  return clsids;
}

TXGraphFiltersInfo ReadFilterSet(const IniDocument& profile, const std::string& section, const std::string& p,
                                 std::int32_t idents) {
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
  const auto idents = static_cast<std::int32_t>(profile.Idents(section).size());
  rule.Normal = ReadFilterSet(profile, section, "Normal", idents);
  rule.FailSafe = ReadFilterSet(profile, section, "FailSafe", idents);
  return standard;
}

bool UsesWinampSource(const TXFileGraphInfo& rule) {
  return rule.Normal.SourceFilter.Get() == kWinampSourceClsid || rule.FailSafe.SourceFilter.Get() == kWinampSourceClsid;
}

}  // namespace nv
