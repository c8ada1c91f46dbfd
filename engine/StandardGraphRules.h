#pragma once
// The standard graph building rules shipped in the product profile. The section "Standard graph building rules"
// lists them, "number=display name", in the order they are matched; each number has a section of its own:
//   Extensions            the media it applies to
//   Try standard graph    "0" = off; on by default
//   Default_Enabled       0 off until the user switches it on, 255 on only with Winamp plug-ins installed or when
//                         it does not use the Winamp source, any other value on
//   P_Source_filter, P_Audio_render, P_Video_render   CLSID texts
//   P_Source_params       text
//   L_Count, L_1 .. L_<count>                         the CLSID texts of list L
// where P is "Normal" or "FailSafe" and L is P + "_General_filter", P + "_Audio_filter" or P + "_Video_ filter"
// (with that blank). Numbers run from 1 to kLastStandardRuleNumber: the store keeps user rules above them.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/GraphRules.h"
#include "support/IniDocument.h"

namespace nv {

inline constexpr std::int32_t kFirstUserRuleNumber = 10001;
inline constexpr std::int32_t kLastStandardRuleNumber = kFirstUserRuleNumber - 1;

// How a standard rule starts out before the user switches it.
inline constexpr std::int32_t kDefaultDisabled = 0;
inline constexpr std::int32_t kDefaultEnabledWithWinamp = 255;

struct TXStandardRule {
  TXFileGraphInfo Rule;
  std::string Name;  // the display name
  std::int32_t DefaultEnabled = kDefaultDisabled;
};

// The numbers the profile lists, in file order; idents that are not such numbers are left out.
std::vector<std::int32_t> StandardRuleNumbers(const IniDocument& profile);

// One standard rule; its Extensions are empty and its sets too when the profile has no section for it.
TXStandardRule ReadStandardRule(const IniDocument& profile, std::int32_t number);

// True when a rule reads its media through the Winamp plug-in source.
bool UsesWinampSource(const TXFileGraphInfo& rule);

}  // namespace nv
