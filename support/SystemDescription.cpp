#include "support/SystemDescription.h"

namespace nv {

namespace {

enum class TypeRule { Any, Workstation, NotWorkstation };

struct KnownSystem {
  bool nt;
  unsigned major, minor;
  TypeRule type;
  const char* name;
};

// In order: the first row that matches names the system.
constexpr KnownSystem kKnownSystems[] = {
    {false, 4, 0, TypeRule::Any, "Windows 95"},
    {false, 4, 10, TypeRule::Any, "Windows 98"},
    {false, 4, 90, TypeRule::Any, "Windows Me"},
    {true, 3, 51, TypeRule::Any, "Windows NT 3.51"},
    {true, 4, 0, TypeRule::Any, "Windows NT 4.0"},
    {true, 5, 0, TypeRule::Any, "Windows 2000"},
    {true, 5, 1, TypeRule::Any, "Windows XP"},
    {true, 5, 2, TypeRule::Workstation, "Windows XP"},
    {true, 5, 2, TypeRule::NotWorkstation, "Windows Server 2003"},
    {true, 6, 0, TypeRule::Workstation, "Windows Vista"},
    {true, 6, 0, TypeRule::NotWorkstation, "Windows Server 2008"},
    {true, 6, 1, TypeRule::Workstation, "Windows 7"},
    {true, 6, 1, TypeRule::NotWorkstation, "Windows Server 2008 R2"},
};

bool TypeMatches(TypeRule rule, SystemProductType type) {
  switch (rule) {
    case TypeRule::Any: return true;
    case TypeRule::Workstation: return type == SystemProductType::Workstation;
    case TypeRule::NotWorkstation: return type != SystemProductType::Workstation;
  }
  return false;
}

}  // namespace

std::string SystemDescription(const SystemVersionFacts& facts) {
  std::string text = "Windows";
  for (const KnownSystem& known : kKnownSystems)
    if (known.nt == facts.nt && known.major == facts.major && known.minor == facts.minor &&
        TypeMatches(known.type, facts.productType)) {
      text = known.name;
      break;
    }
  if (facts.wow64) text += " x64 edition";
  text += " (Build " + facts.build;
  if (!facts.servicePack.empty()) text += ", " + facts.servicePack;
  return text + ")";
}

}  // namespace nv
