// The slicing table holds together: every sub-image it names lies inside its image as the default skin draws it,
// every name it uses exists, and the glyph indices the buttons take from it are the states their cells show.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "skins/SkinSlicing.h"
#include "support/TextCompare.h"

namespace nv {
namespace {

int CountWords(std::string_view text) {
  int words = 0;
  bool inWord = false;
  for (char c : text) {
    if (c != ' ' && !inWord) ++words;
    inWord = c != ' ';
  }
  return words;
}

TEST(SkinSlicing, TheVocabularyHasFortyFourDefaultFilesOfUniqueNames) {
  std::set<std::string> names, files;
  int withFile = 0;
  for (const SkinItemSpec& item : kSkinItems) {
    EXPECT_TRUE(names.insert(item.Name).second) << item.Name;
    if (*item.File == '\0') {
      EXPECT_TRUE(item.Optional) << item.Name << " must have a default image";
      continue;
    }
    ++withFile;
    EXPECT_TRUE(files.insert(item.File).second) << item.File;
    EXPECT_TRUE(LocaleSameText(std::string(item.Name) + ".bmp", item.File)) << item.File;
    EXPECT_GT(item.Width, 0);
    EXPECT_GT(item.Height, 0);
  }
  EXPECT_EQ(withFile, 44);
  EXPECT_EQ(std::size(kSkinItems), 49u);
}

TEST(SkinSlicing, EverySubImageLiesInsideItsImage) {
  for (const SkinSlice& s : kSkinSlices) {
    SCOPED_TRACE(s.Id);
    const SkinItemSpec* item = FindSkinItem(s.Item);
    ASSERT_TRUE(item);
    ASSERT_NE(*item->File, '\0') << "the default skin draws no " << s.Item;
    EXPECT_TRUE(std::string_view(s.Id).starts_with(std::string(s.Item) + "."));
    ASSERT_GE(s.RowCount, 1);
    ASSERT_LE(s.RowCount, s.ImageCount);
    EXPECT_EQ(s.ImageCount % s.RowCount, 0) << "a partly filled row";
    const int words = CountWords(s.Cells);
    EXPECT_TRUE(words == 1 || words == s.ImageCount || std::string_view(s.Id) == "Palettes.Spectrum") << s.Cells;
    const bool hasLight = s.LBGOffsetLeft != 0 || s.LBGOffsetTop != 0;
    for (int i = 0; i < s.ImageCount; ++i) {
      for (bool light : {false, true}) {
        if (light && !hasLight) continue;
        const SliceRect r = SliceCellRect(s, i, light);
        EXPECT_GE(r.Left, 0);
        EXPECT_GE(r.Top, 0);
        EXPECT_LE(r.Left + r.Width, item->Width) << "sub-image " << i << (light ? " (light)" : "");
        EXPECT_LE(r.Top + r.Height, item->Height) << "sub-image " << i << (light ? " (light)" : "");
      }
    }
  }
}

TEST(SkinSlicing, StretchesPlacesAndPlayTimesNameWhatExists) {
  for (const SkinStretch& s : kSkinStretches) {
    SCOPED_TRACE(s.Id);
    const SkinSlice* slice = FindSkinSlice(s.Id);
    ASSERT_TRUE(slice);
    EXPECT_LT(s.Left + s.Right, slice->ImageWidth + 1);
    EXPECT_LT(s.Top + s.Bottom, slice->ImageHeight + 1);
    if (s.CentreWidth > 0) {
      // The fixed centre lies within the insets, with room around it for the band that stretches.
      EXPECT_GE(s.CentreTop, s.Top);
      EXPECT_LE(s.CentreTop + s.CentreHeight, slice->ImageHeight - s.Bottom);
    }
  }
  for (const SkinPlace& p : kSkinPlaces) {
    SCOPED_TRACE(std::string(p.Panel) + " " + p.Control);
    const SkinSlice* panel = FindSkinSlice(p.Panel);
    ASSERT_TRUE(panel);
    EXPECT_GE(p.Left, 0);
    EXPECT_GE(p.Top, 0);
    EXPECT_LE(p.Left + p.Width, panel->ImageWidth);
    EXPECT_LE(p.Top + p.Height, panel->ImageHeight);
  }
  for (const SkinPlayTime& t : kSkinPlayTimes) {
    SCOPED_TRACE(t.Id);
    const SkinSlice* image = FindSkinSlice(t.Image);
    const SkinSlice* digits = FindSkinSlice(t.Digits);
    ASSERT_TRUE(image && digits);
    const int block = 4 * digits->ImageWidth + t.DigitSpacing1 + t.DigitSpacing2 + t.DigitSpacing3 + t.DigitSpacing4;
    EXPECT_LE(block + t.BorderRight + t.BorderLeft, image->ImageWidth) << "the digits do not fit the image";
    // The colon is part of the image: every play time puts the gap between its digit pairs in the same place.
    const SkinPlayTime& first = kSkinPlayTimes[0];
    const int firstW = FindSkinSlice(first.Digits)->ImageWidth;
    const int firstBlock =
        4 * firstW + first.DigitSpacing1 + first.DigitSpacing2 + first.DigitSpacing3 + first.DigitSpacing4;
    EXPECT_EQ(image->ImageWidth - block - t.BorderRight + 2 * digits->ImageWidth + t.DigitSpacing1,
              image->ImageWidth - firstBlock - first.BorderRight + 2 * firstW + first.DigitSpacing1);
    EXPECT_EQ(t.DigitSpacing2, first.DigitSpacing2);
  }
}

// What a skin element computes for the shapes the table uses: the play button's pause glyphs lie in the column
// right of its play glyphs.
TEST(SkinSlicing, SubImageRectangles) {
  const struct {
    const char* slice;
    int index;
    bool light;
    SliceRect expected;
  } cases[] = {
      {"TrayButtons.Play", 4, false, {46, 18, 23, 18}},
      {"TrayButtons.Play", 2, false, {23, 36, 23, 18}},
      {"Minimize.Grip", 5, true, {50, 20, 10, 20}},
      {"Playpaus.State", 2, true, {22, 9, 9, 9}},
      {"Playpaus.Position", 1, false, {39, 0, 3, 9}},
      {"Volume.Track", 27, false, {0, 405, 68, 14}},
      {"Volume.Thumb", 1, false, {15, 419, 14, 14}},
      {"EqSlider.Track", 27, false, {405, 0, 14, 65}},
      {"TrayNumbers.Digits", 10, true, {80, 13, 8, 13}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.slice);
    EXPECT_EQ(SliceCellRect(*FindSkinSlice(c.slice), c.index, c.light), c.expected);
  }
}

TEST(SkinSlicing, GlyphIndicesFollowTheCellNames) {
  const struct {
    const char* slice;
    SkinGlyphIndices expected;
  } cases[] = {
      {"TrayButtons.Previous", {0, 1, 2, -1, -1, -1, -1}},
      {"TrayButtons.Play", {0, 1, 2, 3, 4, 5, -1}},
      {"TrayButtons.MyMedia", {0, 1, 2, 1, 1, 2, -1}},
      {"ASButtons.Equalizer", {0, 1, 2, 3, 3, 3, -1}},
      {"posbar.Thumb", {0, -1, -1, 1, -1, -1, -1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.slice);
    EXPECT_EQ(GlyphIndicesOf(*FindSkinSlice(c.slice)), c.expected);
  }
  for (const SkinSlice& s : kSkinSlices) {
    const SkinGlyphIndices g = GlyphIndicesOf(s);
    // A button the table draws states for can always be drawn up and checked.
    if (g.PushUp >= 0) {
      EXPECT_GE(g.Up, 0) << s.Id;
      EXPECT_LT(g.Up, s.ImageCount) << s.Id;
    }
  }
}

}  // namespace
}  // namespace nv
