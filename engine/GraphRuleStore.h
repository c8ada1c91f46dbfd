#pragma once
// The graph building rules and the common filters in the preferences store.
//
// Rules section ("Preferences\Graph building info"):
//   <N>, N above 10000   a user rule: "Extensions", "Try standard graph" ("0" = off, absent = on), and the
//                        filter sets in the subsections "Normal mode" and "Fail safe mode"
//   <N>, a standard rule's number   "Enabled": "1" switched on, "0" switched off, absent = the profile's default
// A filter set, and the common filters ("Preferences\Graph common filters"): "Source filter", "Audio render",
// "Video render" as braced CLSID texts, "Source params" as text, each written only when set; the subsections
// "General filters", "Audio filters" and "Video filters" hold one value per CLSID, named by its text, valued "".
#include <string_view>

#include "engine/GraphRules.h"
#include "support/IniDocument.h"
#include "support/RegIniFile.h"

namespace nv {

inline constexpr char kGraphRulesSection[] = "Preferences\\Graph building info";
inline constexpr char kCommonFiltersSection[] = "Preferences\\Graph common filters";
// Where earlier versions kept the common filters: read while it exists, erased by the next save.
inline constexpr char kLegacyCommonFiltersSection[] = "Preferences\\Graph extra filters";

// The user rules (in their numbers' order, Number 0), then the standard rules of the profile that are switched
// on (in the profile's order). A user rule without Extensions or with two empty filter sets is left out, and so
// is a subsection that cannot be read; a standard rule that is on by default only with Winamp plug-ins
// (Default_Enabled 255) and uses the Winamp source is left out without them unless the user switched it on, and so
// is one the profile names without Extensions. A standard rule without filters is loaded: its media play by
// DirectShow's own graph.
TXFileGraphInfos LoadGraphRules(const TXRegIniFile& store, std::string_view section, const IniDocument& profile,
                                bool winampPluginsAvailable);

// Rewrites the rules section: the user rules (Number below 1) in their order as 10001, 10002, ...; "Enabled" = "1"
// for each standard rule in `rules` and "0" for each one the profile lists that is not in `rules`. A standard
// rule's filters are never written. A switch stored for a standard rule that neither `rules` nor the profile
// names (the profile could not be read, or no longer lists it) is kept as it was.
void SaveGraphRules(TXRegIniFile& store, std::string_view section, const TXFileGraphInfos& rules,
                    const IniDocument& profile);

// From the legacy key while it exists, else from "Preferences\Graph common filters".
TXCommonFilters LoadCommonFilters(const TXRegIniFile& store);
// Erases both keys and writes "Preferences\Graph common filters".
void SaveCommonFilters(TXRegIniFile& store, const TXCommonFilters& filters);

}  // namespace nv
