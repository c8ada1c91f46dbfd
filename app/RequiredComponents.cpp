#include "app/RequiredComponents.h"

#include "support/MessageDialogTypes.h"
#include "support/ProductProfile.h"
#include "support/TextCompare.h"

namespace nv {

std::string DownloadQuestion(std::string_view componentName) {
  return "Download " + std::string(componentName) + " object";
}

bool RequiredComponentCheck::Check(std::string_view name, RequiredComponentHost& host) {
  for (const std::string& seen : lookedAt_)
    if (LocaleSameText(seen, name)) return true;
  lookedAt_.emplace_back(name);

  const auto component = ReadRequiredComponent(host.OpenProfile(), name);
  if (!component) return true;
  for (const std::string& classId : component->classIds)
    if (host.CanCreate(classId)) return true;

  if (host.Ask(component->message, !component->url.empty(), DownloadQuestion(name)) == mrYes)
    host.OpenUrl(component->url);
  return false;
}

bool RequiredComponentCheck::CheckFriendlyType(std::string_view extension, RequiredComponentHost& host) {
  const std::string component = FriendlyTypeComponent(host.OpenProfile(), extension);
  return component.empty() || Check(component, host);
}

}  // namespace nv
