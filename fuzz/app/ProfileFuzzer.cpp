// The product profile is a file anyone can edit: parse it and look up everything the player asks of it.
#include <cstdint>
#include <string_view>

#include "engine/StandardGraphRules.h"
#include "support/IniDocument.h"
#include "support/ProductProfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const nv::IniDocument profile =
      nv::IniDocument::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const std::string& section : profile.Sections()) {
    for (const auto& [ident, value] : profile.SectionValues(section)) {
      profile.ReadInteger(section, ident, 0);
      nv::FriendlyTypeComponent(profile, ident);
    }
    nv::ReadRequiredComponent(profile, section);
  }
  for (const std::int32_t number : nv::StandardRuleNumbers(profile)) nv::ReadStandardRule(profile, number);
  return 0;
}
