// Path names taken apart: drives, folders, file names and extensions.
#include <gtest/gtest.h>

#include "support/PathNames.h"

namespace nv {
namespace {

TEST(PathNames, TakesPathsApart) {
  struct Case {
    std::u16string path, drive, dir, name, ext;
  };
  const Case cases[] = {
      {u"C:\\Music\\a.mp3", u"C:", u"C:\\Music", u"a.mp3", u".mp3"},
      {u"C:\\a.mp3", u"C:", u"C:\\", u"a.mp3", u".mp3"},
      {u"C:a.mp3", u"C:", u"C:", u"a.mp3", u".mp3"},
      {u"\\\\server\\share\\dir\\b.tar.gz", u"\\\\server\\share", u"\\\\server\\share\\dir", u"b.tar.gz", u".gz"},
      {u"Skins/Blue.nvs", u"", u"Skins", u"Blue.nvs", u".nvs"},
      {u"C:\\dir.d\\README", u"C:", u"C:\\dir.d", u"README", u""},
      {u"name", u"", u"", u"name", u""},
      {u"", u"", u"", u"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.path));
    EXPECT_EQ(ExtractFileDrive(c.path), c.drive);
    EXPECT_EQ(ExtractFileDir(c.path), c.dir);
    EXPECT_EQ(ExtractFileName(c.path), c.name);
    EXPECT_EQ(ExtractFileExt(c.path), c.ext);
  }
}

TEST(PathNames, PutsPathsTogether) {
  EXPECT_EQ(ChangeFileExt(u"C:\\x\\Blue.cab", u".nvs"), u"C:\\x\\Blue.nvs");
  EXPECT_EQ(ChangeFileExt(u"C:\\x.d\\Blue", u".nvs"), u"C:\\x.d\\Blue.nvs");
  EXPECT_EQ(ChangeFileExt(u"Blue.nvs", u""), u"Blue");
  EXPECT_EQ(JoinPath(u"C:\\Data\\", u"\\Skins"), u"C:\\Data\\Skins");
  EXPECT_EQ(JoinPath(u"C:\\Data", u"Skins"), u"C:\\Data\\Skins");
  EXPECT_EQ(JoinPath(u"", u"Skins"), u"Skins");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"C:\\Data"), u"C:\\Data\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"C:\\Data/"), u"C:\\Data/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"C:\\Data\\\\"), u"C:\\Data");
}

}  // namespace
}  // namespace nv
