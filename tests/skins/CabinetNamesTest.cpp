// What the player makes of the names a cabinet carries: which entries it may extract, which skin item an entry is
// for, and which cabinets a set may lead it to.
#include <gtest/gtest.h>

#include <string>

#include "skins/CabinetNames.h"

namespace nv {
namespace {

struct NameCase {
  const char16_t* name;
  bool safe;
  bool plain;
};

const NameCase kNames[] = {
    {u"Main.bmp", true, true},
    {u"Main.mask.bmp", true, true},
    {u"skin\\Main.bmp", true, false},
    {u"skin/sub/readme.txt", true, false},
    {u"..\\x.bmp", false, false},
    {u"skin\\..\\..\\x.bmp", false, false},
    {u"../x.bmp", false, false},
    {u"..", false, false},
    {u"...\\x.bmp", false, false},  // trailing dots are trimmed: "..." walks up as well
    {u".. \\x.bmp", false, false},  // and so are trailing blanks
    {u".\\x.bmp", false, false},
    {u"\\x.bmp", false, false},  // the root of the current drive
    {u"/x.bmp", false, false},
    {u"\\\\server\\share\\x", false, false},
    {u"C:\\x", false, false},
    {u"C:x", false, false},  // relative to drive C's current folder
    {u"a:b", false, false},  // an alternate data stream
    {u"Main.bmp::$DATA", false, false},
    {u"", false, false},
    {u"skin\\", false, false},  // an empty last part
    {u"a\\\\b", false, false},  // and one in the middle
    {u"nul", false, false},
    {u"NUL.txt", false, false},
    {u"skin\\com1.bmp", false, false},
    {u"LPT\u00B9", false, false},
    {u"CONIN$", false, false},
    {u"conind", true, true},
    {u"com10.bmp", true, true},
    {u"console.bmp", true, true},
    {u"tab\there", false, false},
    {u"caf\u00E9\\\u0444\u043E\u043D.bmp", true, false},
    {u".hidden", true, true},
    {u"Main.", true, true},
};

TEST(CabinetNames, ExtractsOnlyNamesThatStayInTheirFolder) {
  for (const NameCase& c : kNames) {
    const std::u16string name(c.name);
    SCOPED_TRACE(std::string(name.begin(), name.end()));
    EXPECT_EQ(IsSafeEntryName(c.name), c.safe);
    EXPECT_EQ(IsPlainFileName(c.name), c.plain);
  }
}

TEST(CabinetNames, MatchesEntriesToItemsByBaseName) {
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"Main.bmp", u"Main"},
      {u"Main.mask.bmp", u"Main.mask"},
      {u"skin\\MONOSTER.bmp", u"MONOSTER"},
      {u"a/b\\c.d.e", u"c.d"},
      {u"d:Volume.bmp", u"Volume"},
      {u"readme", u"readme"},
      {u"folder.x\\name", u"name"},
      {u"", u""},
      {u"x\\", u""},
  };
  for (const auto& [name, base] : cases) EXPECT_EQ(EntryBaseName(name), base);
}

TEST(CabinetChain, FollowsPlainSiblingsOnceEachUpToTheLimit) {
  CabinetChain chain(u"C:\\Skins\\set1.cab");
  EXPECT_EQ(chain.Next(u"set2.cab"), u"C:\\Skins\\set2.cab");
  EXPECT_FALSE(chain.Next(u"..\\set3.cab"));
  EXPECT_FALSE(chain.Next(u"D:\\set3.cab"));
  EXPECT_FALSE(chain.Next(u"sub\\set3.cab"));
  EXPECT_FALSE(chain.Next(u"SET1.CAB")) << "a set that leads back to its start";
  EXPECT_FALSE(chain.Next(u"set2.cab")) << "a cabinet that names itself";
  EXPECT_EQ(chain.Current(), u"C:\\Skins\\set2.cab");

  CabinetChain longSet(u"a0.cab");
  int followed = 0;
  for (int i = 1; i < 40; ++i)
    if (longSet.Next(u"a" + std::u16string(1, char16_t(u'A' + i)) + u".cab")) ++followed;
  EXPECT_EQ(followed, kMaxCabinetsInSet - 1);
}

}  // namespace
}  // namespace nv
