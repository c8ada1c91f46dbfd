// Attribute values: the variant types, shared text, and the conversions lists and dialogs use.
#include <gtest/gtest.h>

#include "metadata/AttributeValue.h"

namespace nv {
namespace {

using Type = AttributeValue::Type;

TEST(AttributeValue, HoldsEachType) {
  EXPECT_EQ(AttributeValue().GetType(), Type::Null);
  EXPECT_EQ(AttributeValue::Integer(-5).AsInteger(), -5);
  EXPECT_EQ(AttributeValue::Float(2.5).AsFloat(), 2.5);
  EXPECT_TRUE(AttributeValue::Boolean(true).AsBoolean());
  EXPECT_EQ(AttributeValue::WideText(u"\u0416x").AsWideText(), u"\u0416x");
  EXPECT_EQ(AttributeValue::AnsiText("Caf\xE9").AsAnsiText(), "Caf\xE9");
  EXPECT_EQ(AttributeValue::HeldText("\x01\xD0\x96").GetType(), Type::WideText);
  EXPECT_EQ(AttributeValue::HeldText("\x01\xD0\x96").AsWideText(), u"\u0416");
  EXPECT_EQ(AttributeValue::HeldText("plain").GetType(), Type::AnsiText);
}

TEST(AttributeValue, CopiesShareTheirTextAndOutliveTheOriginal) {
  AttributeValue copy;
  {
    const AttributeValue original = AttributeValue::WideText(u"shared text");
    copy = original;
    EXPECT_EQ(copy.AsWideText().data(), original.AsWideText().data());
  }
  EXPECT_EQ(copy.AsWideText(), u"shared text");
  AttributeValue moved = std::move(copy);
  EXPECT_TRUE(copy.IsNull());
  EXPECT_EQ(moved.AsWideText(), u"shared text");
  moved = moved;
  EXPECT_EQ(moved.AsWideText(), u"shared text");
  moved = AttributeValue::Integer(1);
  EXPECT_EQ(moved, AttributeValue::Integer(1));
}

TEST(AttributeValue, EqualMeansSameTypeAndValue) {
  EXPECT_EQ(AttributeValue(), AttributeValue());
  EXPECT_EQ(AttributeValue::WideText(u"a"), AttributeValue::WideText(u"a"));
  EXPECT_NE(AttributeValue::WideText(u"a"), AttributeValue::AnsiText("a"));
  EXPECT_NE(AttributeValue::Integer(1), AttributeValue::Float(1));
  EXPECT_NE(AttributeValue::Integer(1), AttributeValue::Integer(2));
}

TEST(AttributeValue, ConvertsToNumbersAndText) {
  struct {
    AttributeValue value;
    std::optional<double> number;
    std::u16string text;
  } cases[] = {
      {AttributeValue(), std::nullopt, u""},
      {AttributeValue::Integer(-42), -42, u"-42"},
      {AttributeValue::Float(183000.5), 183000.5, u"183000.5"},
      {AttributeValue::Float(1e20), 1e20, u"1e+20"},
      {AttributeValue::Boolean(true), 1, u"True"},
      {AttributeValue::Boolean(false), 0, u"False"},
      {AttributeValue::WideText(u" 2004 "), 2004, u" 2004 "},
      {AttributeValue::AnsiText("1.5"), 1.5, u"1.5"},
      {AttributeValue::AnsiText("+7"), 7, u"+7"},
      {AttributeValue::WideText(u"2004-05"), std::nullopt, u"2004-05"},
      {AttributeValue::WideText(u"\u0661"), std::nullopt, u"\u0661"},
      {AttributeValue::AnsiText(""), std::nullopt, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.text));
    EXPECT_EQ(c.value.ToNumber(), c.number);
    EXPECT_EQ(c.value.ToUtf16(), c.text);
  }
}

}  // namespace
}  // namespace nv
