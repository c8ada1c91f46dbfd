// Marked text: the same table holds natively (Windows-1252 table) and under Wine (the system code page).
#include <gtest/gtest.h>

#include "support/Errors.h"
#include "support/MarkedText.h"

namespace nv {
namespace {

struct RoundTrip {
  const char* what;
  std::u16string unicode;
  std::string held;  // what the program keeps
  bool marked;
};

const RoundTrip kRoundTrips[] = {
    {"ASCII", u"Hello, world.mp3", "Hello, world.mp3", false},
    {"Latin-1 in the code page", u"Caf\u00E9 Ol\u00E9", "Caf\xE9 Ol\xE9", false},
    {"the euro sign sits at 0x80", u"5 \u20AC", "5 \x80", false},
    {"Cyrillic", u"\u041F\u0440\u0438\u0432\u0435\u0442", "\x01\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82", true},
    {"CJK", u"\u65E5\u672C\u8A9E.mp3", "\x01\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E.mp3", true},
    {"a surrogate pair", u"G clef \U0001D11E", "\x01G clef \xF0\x9D\x84\x9E", true},
    {"one foreign character marks the whole text", u"Caf\u00E9 \u0416", "\x01" "Caf\xC3\xA9 \xD0\x96", true},
    {"empty", u"", "", false},
};

TEST(MarkedText, RoundTripsThroughTheHeldForm) {
  for (const RoundTrip& c : kRoundTrips) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Utf16ToMarked(c.unicode), c.held);
    EXPECT_EQ(IsMarked(c.held), c.marked);
    EXPECT_EQ(MarkedToUtf16(c.held), c.unicode);
    EXPECT_EQ(FitsAnsiCodePage(c.unicode), !c.marked);
    EXPECT_EQ(Utf8ToUtf16(MarkedToUtf8(c.held)), c.unicode);
    EXPECT_EQ(Utf8ToMarked(MarkedToUtf8(c.held)), c.held);
  }
}

TEST(MarkedText, ATextStartingWithTheMarkerCharacterIsHeldMarked) {
  // Held as ANSI it would read back as a marked text, and not as UTF-8 at that; all-ASCII text too.
  const struct {
    std::u16string unicode;
    std::string held;
  } cases[] = {
      {u"\u0001\u00FF", "\x01\x01\xC3\xBF"},
      {u"\u0001ab", "\x01\x01" "ab"},
      {u"\u0001", "\x01"},  // a lone marker byte is plain text
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf16ToMarked(c.unicode), c.held);
    EXPECT_EQ(MarkedToUtf16(c.held), c.unicode);
    EXPECT_EQ(Utf8ToMarked(Utf16ToUtf8(c.unicode)), c.held);
  }
}

TEST(MarkedText, ALoneMarkerByteIsPlainText) {
  EXPECT_FALSE(IsMarked("\x01"));
  EXPECT_EQ(MarkedToUtf16("\x01"), u"\u0001");
  EXPECT_TRUE(IsMarked("\x01x"));
  EXPECT_FALSE(IsMarked(""));
}

TEST(MarkedText, MalformedUtf8IsAConversionError) {
  const char* malformed[] = {
      "\x01\xC3",              // truncated two-byte sequence
      "\x01" "a\xC3(",         // bad continuation byte
      "\x01\xE2\x82",          // truncated three-byte sequence
      "\x01\xFF" "abc",        // never a lead byte
      "\x01\x80" "abc",        // continuation byte as lead
      "\x01\xC0\xAF",          // overlong "/"
      "\x01\xED\xA0\x80",      // an encoded surrogate
      "\x01\xF4\x90\x80\x80",  // beyond U+10FFFF
  };
  for (const char* text : malformed) {
    try {
      MarkedToUtf16(text);
      ADD_FAILURE() << "accepted " << ::testing::PrintToString(std::string(text));
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), "Invalid UTF8 string.");
    }
  }
}

TEST(MarkedText, UnpairedSurrogatesAreDropped) {
  EXPECT_EQ(Utf16ToUtf8(u"a\xD800" "b"), "ab");
  EXPECT_EQ(Utf16ToUtf8(u"a\xDC00"), "a");
  EXPECT_EQ(Utf16ToUtf8(u"\xDBFF"), "");
  // The code page cannot hold a lone surrogate either, so the text is marked, without it.
  EXPECT_EQ(Utf16ToMarked(u"a\xD800" "b"), "\x01" "ab");
}

TEST(MarkedText, TrimmingKeepsALeadingMarker) {
  struct {
    std::string in, both, left, right;
  } cases[] = {
      {"  abc \t", "abc", "abc \t", "  abc"},
      {"\x01  \xD0\x96 \r\n", "\x01\xD0\x96", "\x01\xD0\x96 \r\n", "\x01  \xD0\x96"},
      {"\x01   ", "", "", ""},     // a marked text of blanks trims to nothing, marker included
      {"\x01", "", "", ""},        // a lone 0x01 is a control character
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.in));
    EXPECT_EQ(TrimText(c.in), c.both);
    EXPECT_EQ(TrimLeftText(c.in), c.left);
    EXPECT_EQ(TrimRightText(c.in), c.right);
  }
}

TEST(MarkedText, FormattingMarksWhenAnyTextIsMarked) {
  struct {
    const char* what;
    std::string result, expected;
  } cases[] = {
      {"plain", FormatText("%s by %s", {"Song", "Caf\xE9"}), "Song by Caf\xE9"},
      {"marked argument", FormatText("%s by %s", {"Caf\xE9", "\x01\xD0\x96"}), "\x01" "Caf\xC3\xA9 by \xD0\x96"},
      {"marked format", FormatText("\x01\xD0\x96: %s", {"Caf\xE9"}), "\x01\xD0\x96: Caf\xC3\xA9"},
      {"numbers", FormatText("%d|%u|%x|%%", {-5, 7u, 255}), "-5|7|FF|%"},
      {"index and width", FormatText("[%1:-4s][%0:3d]", {7, "ab"}), "[ab  ][  7]"},
      {"width counts characters in UTF-8", FormatText("[%4s]", {"\x01\xD0\x96"}), "\x01[   \xD0\x96]"},
      {"missing argument", FormatText("a%sb%d", {}), "ab"},
      {"unknown directive", FormatText("100%q", {}), "100%q"},
      {"trailing percent", FormatText("50%", {}), "50%"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.result, c.expected) << c.what;
}

TEST(MarkedText, Win32ErrorMessages) {
  EXPECT_STREQ(EWin32Error(5, "Access is denied.").what(), "Win32 Error.  Code: 5.\nAccess is denied.");
  EXPECT_STREQ(EWin32Error(0, "").what(), "A Win32 API function failed");
  EXPECT_EQ(EWin32Error(2, "").Code(), 2u);
}

}  // namespace
}  // namespace nv
