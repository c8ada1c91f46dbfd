#include "support/ProductProfile.h"

#include "support/Guid.h"

namespace nv {

namespace {

// Every "\n" (either case) becomes CR LF.
std::string WithLineBreaks(std::string_view text) {
  std::string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == 'N')) {
      result += "\r\n";
      ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

}  // namespace

std::string FriendlyTypeComponent(const IniDocument& profile, std::string_view extension) {
  return profile.ReadString(kFriendlyFileTypesSection, extension);
}

bool IsClassIdText(std::string_view text) { return ParseGuid(text).has_value(); }

std::optional<RequiredComponent> ReadRequiredComponent(const IniDocument& profile, std::string_view name) {
  if (!profile.SectionExists(name)) return std::nullopt;
  RequiredComponent component;
  component.message = WithLineBreaks(profile.ReadString(name, "Message"));
  if (component.message.empty()) return std::nullopt;
  component.url = profile.ReadString(name, "URL");
  for (int n = 1;; ++n) {
    std::string classId = profile.ReadString(name, "CLSID_" + std::to_string(n));
    if (!IsClassIdText(classId)) break;
    component.classIds.push_back(std::move(classId));
  }
  return component;
}

}  // namespace nv
