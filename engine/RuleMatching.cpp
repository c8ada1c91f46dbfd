#include "engine/RuleMatching.h"

#include <algorithm>

namespace nv {

namespace {

bool IsCatchAll(const TXFileGraphInfo& rule) {
  const RuleMediaPattern pattern = ParseRuleExtensions(rule.Extensions);
  return pattern.anyFiles && !pattern.redirectorOnly;
}

void AppendMissing(TXCLSIDList& list, const TXCLSIDList& more) {
  for (const Guid& clsid : more)
    if (std::find(list.begin(), list.end(), clsid) == list.end()) list.push_back(clsid);
}

TXCDSourceKind OtherCDSource(TXCDSourceKind kind) { return kind == ckDigital ? ckMCI : ckDigital; }

}  // namespace

const TXFileGraphInfo* FindRule(const TXFileGraphInfos& rules, std::u16string_view protocol,
                                std::u16string_view extension, bool redirectorEntry) {
  const TXFileGraphInfo* best = nullptr;
  int bestValue = -1;
  for (const TXFileGraphInfo& rule : rules) {
    const RuleMediaPattern pattern = ParseRuleExtensions(rule.Extensions);
    // A redirector rule says nothing about ordinary items.
    if (pattern.redirectorOnly && !redirectorEntry) continue;
    const int bonus = pattern.redirectorOnly ? kRedirectorBonus : 0;
    const int score = ScoreRuleMedia(pattern, protocol, extension);
    if (score == kScoreExact && pattern.redirectorOnly == redirectorEntry) return &rule;
    if ((score & kScoreProtocol) != 0 && (score & kScoreExtension) != 0 && score + bonus > bestValue) {
      best = &rule;
      bestValue = score + bonus;
    }
  }
  return best;
}

void ApplyRule(const TXFileGraphInfo* rule, const TXCommonFilters& commonFilters, bool cdaDigital, bool cdTrack,
               TXPlayerGraphInfo& info) {
  if (rule != nullptr) static_cast<TXGraphFiltersInfo&>(info) = info.FailSafe ? rule->FailSafe : rule->Normal;

  if (cdTrack) {
    const bool catchAll = rule != nullptr && IsCatchAll(*rule);
    // When the first attempt read the track with the rule's own source, the CD source has not been tried yet.
    const bool firstUsedRuleSource = rule != nullptr && !catchAll && !rule->Normal.SourceFilter.Empty();
    const TXCDSourceKind first = cdaDigital ? ckDigital : ckMCI;
    info.CDSource = !info.FailSafe || firstUsedRuleSource ? first : OtherCDSource(first);
    if (catchAll) {
      info.SourceFilter.Clear();
      info.VideoRender.Clear();
      info.VideoFilters.clear();
    }
  } else if (!info.FailSafe) {
    info.FailSafe = rule == nullptr ||
                    (rule->FailSafe.IsEmpty() && (!rule->TryStandardGraph || rule->Normal.IsEmpty()));
  }

  if (info.AudioRender.Empty()) info.AudioRender = commonFilters.AudioRender;
  if (info.VideoRender.Empty()) info.VideoRender = commonFilters.VideoRender;
  AppendMissing(info.GeneralFilters, commonFilters.GeneralFilters);
  AppendMissing(info.AudioFilters, commonFilters.AudioFilters);
  AppendMissing(info.VideoFilters, commonFilters.VideoFilters);
}

}  // namespace nv
