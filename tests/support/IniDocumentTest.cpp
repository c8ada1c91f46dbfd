// Ini files as the system's profile functions read them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/IniDocument.h"

namespace nv {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Value = std::pair<std::string, std::string>;

TEST(IniDocument, ReadsSectionsAndValuesInFileOrder) {
  const IniDocument ini = IniDocument::Parse(
      "ignored=before any section\r\n"
      "; a comment\r\n"
      "[ Standard graph building rules ]\r\n"
      "  3 = MP3 files  \r\n"
      "1=\"  quoted keeps its blanks  \"\n"
      "2='single'\n"
      "3=a repeated ident is ignored\n"
      "flag\n"
      "[Other]\r"
      "Count=12\r"
      "Bad=12x\r"
      "[standard GRAPH building rules]\n"
      "4=a repeated section is ignored\n");
  EXPECT_THAT(ini.Sections(), ElementsAre("Standard graph building rules", "Other"));
  EXPECT_THAT(ini.Idents("STANDARD graph building rules"), ElementsAre("3", "1", "2", "flag"));
  EXPECT_THAT(ini.SectionValues("Other"), ElementsAre(Value{"Count", "12"}, Value{"Bad", "12x"}));
  EXPECT_EQ(ini.ReadString("Standard graph building rules", "3"), "MP3 files");
  EXPECT_EQ(ini.ReadString("Standard graph building rules", "1"), "  quoted keeps its blanks  ");
  EXPECT_EQ(ini.ReadString("Standard graph building rules", "2"), "single");
  EXPECT_EQ(ini.ReadString("Standard graph building rules", "4", "none"), "none");
  EXPECT_EQ(ini.ReadInteger("other", "count", 0), 12);
  EXPECT_EQ(ini.ReadInteger("Other", "Bad", -1), -1);
  EXPECT_EQ(ini.ReadInteger("Other", "Missing", -1), -1);
  EXPECT_TRUE(ini.SectionExists("other"));
  EXPECT_FALSE(ini.SectionExists("ignored"));
}

TEST(IniDocument, UnicodeFilesGiveHeldText) {
  const std::string utf8 = "\xEF\xBB\xBF[Caf\xC3\xA9]\nName=\xD0\x96\xD1\x83\xD0\xBA\n";
  const IniDocument fromUtf8 = IniDocument::Parse(utf8);
  EXPECT_THAT(fromUtf8.Sections(), ElementsAre("Caf\xE9"));
  EXPECT_EQ(fromUtf8.ReadString("Caf\xE9", "Name"), "\x01\xD0\x96\xD1\x83\xD0\xBA");

  const std::string utf16("\xFF\xFE[\0S\0]\0\n\0K\0=\0\x16\x04\n\0", 18);
  const IniDocument fromUtf16 = IniDocument::Parse(utf16);
  EXPECT_EQ(fromUtf16.ReadString("S", "K"), "\x01\xD0\x96");
}

TEST(IniDocument, NothingReadsAsEmpty) {
  const IniDocument empty;
  EXPECT_THAT(empty.Sections(), IsEmpty());
  EXPECT_THAT(empty.Idents("Any"), IsEmpty());
  EXPECT_EQ(empty.ReadString("Any", "Thing", "default"), "default");
  EXPECT_THAT(IniDocument::Parse("[unclosed\nx=1\n").Idents("unclosed"), ElementsAre("x"));
}

}  // namespace
}  // namespace nv
