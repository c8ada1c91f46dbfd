#pragma once
// Choosing the rule for a media item and turning it into the filters of one building attempt.
#include <string_view>

#include "engine/GraphRules.h"
#include "engine/RuleExtensions.h"

namespace nv {

// The rule that fits an item best, or nullptr when none fits. `protocol` and `extension` are the item's
// (RuleMediaOf); `redirectorEntry` is set for an entry that came out of a Windows Media redirector playlist, the
// only items "[ASX]" rules are considered for.
//
// Each rule in order is scored (RuleExtensions.h); a rule fits when both the protocol and the extension count. The
// first rule that fits exactly (a redirector rule for a redirector entry, an ordinary rule for other items) is
// taken at once; otherwise the highest score wins, a redirector rule counting kRedirectorBonus more, and the earlier
// rule wins a tie.
const TXFileGraphInfo* FindRule(const TXFileGraphInfos& rules, std::u16string_view protocol,
                                std::u16string_view extension, bool redirectorEntry);

// Fills `info` for one building attempt. `info` arrives cleared but for its FailSafe flag, which the caller sets for
// the second attempt. `rule` may be nullptr (no rule fits).
//   - The rule's fail-safe set (second attempt) or normal set (first attempt) is copied in.
//   - A CD audio track (`cdTrack`) gets a CD source: on the first attempt the digital reader when `cdaDigital`,
//     else MCI; on the second the same again when the first attempt used the rule's own source filter (so the CD
//     source has not been tried yet), else the other one. The catch-all rule "<any files>" keeps its source
//     filter, video renderer and video filters away from CD tracks.
//   - For anything else the first attempt is also the last (FailSafe set) when there is no rule, or when the rule's
//     fail-safe set is empty and it either does not try the standard graph or has an empty normal set too.
//   - Empty renderers take the common ones; the common filter lists are appended, leaving out classes already there.
void ApplyRule(const TXFileGraphInfo* rule, const TXCommonFilters& commonFilters, bool cdaDigital, bool cdTrack,
               TXPlayerGraphInfo& info);

}  // namespace nv
