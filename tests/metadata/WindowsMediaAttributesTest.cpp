// Windows Media header attributes as media attributes.
#include <gtest/gtest.h>

#include "metadata/WindowsMediaAttributes.h"

namespace nv {
namespace {

using Type = WMAttributeType;

TEST(WindowsMediaAttributes, ConvertEachTypeAndDropEmptyValues) {
  WMAttribute guid{.Name = u"WM/MediaClassPrimaryID", .Type = Type::Guid};
  guid.Guid = {0x33, 0x22, 0x11, 0x00, 0x55, 0x44, 0x77, 0x66, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
  const std::vector<WMAttribute> header = {
      {.Name = u"WM/Track", .Type = Type::DWord, .Number = 7},
      {.Name = u"WM/SharedUserRating", .Type = Type::Word, .Number = 99},
      {.Name = u"FileSize", .Type = Type::QWord, .Number = 123456789012},
      {.Name = u"IsVBR", .Type = Type::Bool, .Number = 1},
      {.Name = u"Title", .Type = Type::String, .Text = u"Caf\u00E9 \u0416"},
      guid,
      {.Name = u"WM/Picture", .Type = Type::Binary},
      {.Name = u"Zero", .Type = Type::DWord, .Number = 0},
      {.Name = u"False", .Type = Type::Bool, .Number = 0},
      {.Name = u"Empty", .Type = Type::String, .Text = u""},
      {.Name = u"Duration", .Type = Type::QWord, .Number = 2100000000},  // three and a half minutes in 100 ns
  };
  const TXHeaderAttributes read = ConvertWindowsMediaAttributes(header);
  ASSERT_EQ(read.size(), 7u);
  EXPECT_EQ(GetValue(read, "WM/Track"), AttributeValue::Integer(7));
  EXPECT_EQ(GetValue(read, "WM/SharedUserRating"), AttributeValue::Integer(99));
  EXPECT_EQ(GetValue(read, "FileSize"), AttributeValue::Float(123456789012.0));
  EXPECT_EQ(GetValue(read, "IsVBR"), AttributeValue::Boolean(true));
  EXPECT_EQ(GetValue(read, "Title"), AttributeValue::WideText(u"Caf\u00E9 \u0416"));
  EXPECT_EQ(GetValue(read, "WM/MediaClassPrimaryID"),
            AttributeValue::WideText(u"{00112233-4455-6677-8899-AABBCCDDEEFF}"));
  EXPECT_EQ(GetValue(read, "Duration"), AttributeValue::Float(210000));
  for (const char* dropped : {"WM/Picture", "Zero", "False", "Empty"})
    EXPECT_EQ(IndexOfName(read, AttributeName::Intern(dropped)), -1) << dropped;
  EXPECT_EQ(read[0].Name.Text(), "WM/Track") << "in the header's order";
}

TEST(WindowsMediaAttributes, ADurationThatIsNoNumberIsZero) {
  const TXHeaderAttributes read =
      ConvertWindowsMediaAttributes({{.Name = u"Duration", .Type = Type::String, .Text = u"long"}});
  EXPECT_EQ(GetValue(read, "Duration"), AttributeValue::Float(0));
}

TEST(WindowsMediaAttributes, TheProgramsOwnNamesAreNeverTakenFromAFile) {
  // A file naming them would turn itself into a sub-range or a CD track, with numbers nobody checked.
  const TXHeaderAttributes read = ConvertWindowsMediaAttributes({
      {.Name = u"NV_StartTime", .Type = Type::QWord, .Number = 0xFFFFFFFFFFFFFFFF},
      {.Name = u"nv_endtime", .Type = Type::DWord, .Number = 5000},
      {.Name = u"NV_CDSerialNo", .Type = Type::DWord, .Number = 1234},
      {.Name = u"NV_FileSize", .Type = Type::String, .Text = u"1"},
      {.Name = u"NVidia", .Type = Type::String, .Text = u"kept"},
  });
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].Name.Text(), "NVidia");
}

TEST(WindowsMediaAttributes, ALaterNameReplacesAnEarlierOne) {
  const TXHeaderAttributes read = ConvertWindowsMediaAttributes({
      {.Name = u"Author", .Type = Type::String, .Text = u"First"},
      {.Name = u"AUTHOR", .Type = Type::String, .Text = u"Second"},
  });
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].Value, AttributeValue::WideText(u"Second"));
}

}  // namespace
}  // namespace nv
