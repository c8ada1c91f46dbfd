#pragma once
// The product profile "Norvale.profile": a read-only ini file in the program folder with defaults and tables the
// user does not edit. It is read afresh for each use; a missing or unreadable profile is an empty one.
//   "Standard graph building rules"  the default graph rules
//   "Friendly file types"            file extension (with its dot) = name of a required component
//   <component name>                 "Message" ("\n" for a line break), "URL", "CLSID_1", "CLSID_2", ...
//   <plug-in file name>              "Disabled", "LoadingMode", "OutputType" of a Winamp input plug-in
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/IniDocument.h"

namespace nv {

inline constexpr char kProductProfileName[] = "Norvale.profile";
inline constexpr char kStandardGraphRulesSection[] = "Standard graph building rules";
inline constexpr char kFriendlyFileTypesSection[] = "Friendly file types";

// The required component named for a file extension ("" when none is).
std::string FriendlyTypeComponent(const IniDocument& profile, std::string_view extension);

// What the profile says about a required component.
struct RequiredComponent {
  std::string message;                // the question shown when it is missing, "\n" already turned into CR LF
  std::string url;                    // its download page; may be empty
  std::vector<std::string> classIds;  // any one of them satisfies the requirement
};

// Nothing when the profile has no section of that name or its message is empty: nothing is required then.
// The class identifiers are "CLSID_1", "CLSID_2", ... up to the first empty value or the first that is not a
// class identifier in registry form ("{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}").
std::optional<RequiredComponent> ReadRequiredComponent(const IniDocument& profile, std::string_view name);

bool IsClassIdText(std::string_view text);

}  // namespace nv
