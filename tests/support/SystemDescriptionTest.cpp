// How the program names the system it runs on: the first known system that matches, else "Windows", with the
// 64-bit note, the build and the service pack.
#include <gtest/gtest.h>

#include "support/SystemDescription.h"

namespace nv {
namespace {

TEST(SystemDescription, NamesTheFirstKnownSystemThatMatches) {
  using enum SystemProductType;
  struct Case {
    SystemVersionFacts facts;
    const char* text;
  };
  const Case cases[] = {
      {{true, 5, 1, Workstation, false, "2600", "Service Pack 3"}, "Windows XP (Build 2600, Service Pack 3)"},
      {{true, 5, 2, Workstation, true, "3790", "Service Pack 2"}, "Windows XP x64 edition (Build 3790, Service Pack 2)"},
      {{true, 5, 2, Server, false, "3790", ""}, "Windows Server 2003 (Build 3790)"},
      // Without the product type (the basic version information): anything but a workstation.
      {{true, 6, 0, Unknown, false, "6002", ""}, "Windows Server 2008 (Build 6002)"},
      {{true, 6, 1, Workstation, true, "7601", "Service Pack 1"}, "Windows 7 x64 edition (Build 7601, Service Pack 1)"},
      {{true, 6, 1, Server, false, "7601", ""}, "Windows Server 2008 R2 (Build 7601)"},
      {{false, 4, 10, Unknown, false, "4.10.2222", "A"}, "Windows 98 (Build 4.10.2222, A)"},
      {{true, 4, 0, Unknown, false, "1381", ""}, "Windows NT 4.0 (Build 1381)"},
      // Newer than the table: the family's name alone.
      {{true, 10, 0, Workstation, false, "19045", ""}, "Windows (Build 19045)"},
      {{false, 4, 0, Unknown, false, "950", ""}, "Windows 95 (Build 950)"},
  };
  for (const Case& c : cases) EXPECT_EQ(SystemDescription(c.facts), c.text);
}

}  // namespace
}  // namespace nv
