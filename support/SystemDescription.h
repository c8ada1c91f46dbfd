#pragma once
// The operating system as the program describes it to the user (the About window, the problem report): "Windows XP
// x64 edition (Build 3790, Service Pack 2)".
#include <string>

namespace nv {

enum class SystemProductType { Unknown, Workstation, Server };

struct SystemVersionFacts {
  bool nt = true;  // false for the Windows 9x family
  unsigned major = 0, minor = 0;
  SystemProductType productType = SystemProductType::Unknown;
  bool wow64 = false;        // a 32-bit process on a 64-bit system
  std::string build;         // the build number as text
  std::string servicePack;   // empty when none
};

// The name of the first known system that matches ("Windows" when none does), " x64 edition" under WOW64, then
// " (Build " + the build, ", " + the service pack when there is one, and ")".
std::string SystemDescription(const SystemVersionFacts& facts);

}  // namespace nv
