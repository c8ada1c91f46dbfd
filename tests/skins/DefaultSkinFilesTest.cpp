// The default skin as tools/skin/default_skin.py draws it at build time: exactly the vocabulary's 44 files, each of
// the size and bit depth the vocabulary gives, and something drawn in every sub-image the slicing table names.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "skins/SkinBitmap.h"
#include "skins/SkinSlicing.h"
#include "support/FileContent.h"
#include "tests/skins/SkinTestFiles.h"

namespace nv {
namespace {

std::uint32_t U32(const std::string& b, std::size_t at) {
  return std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8 | std::uint8_t(b[at + 2]) << 16 |
         std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}

TEST(DefaultSkinFiles, AreExactlyTheVocabularysFiles) {
  std::set<std::string> drawn, expected;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::u8path(test::DefaultSkinDir())))
    if (entry.path().extension() == ".bmp") drawn.insert(entry.path().filename().string());
  for (const SkinItemSpec& item : kSkinItems)
    if (*item.File) expected.insert(item.File);
  EXPECT_EQ(drawn, expected);
}

TEST(DefaultSkinFiles, MatchTheVocabularyInSizeAndDepth) {
  for (const SkinItemSpec& item : kSkinItems) {
    if (*item.File == '\0') continue;
    SCOPED_TRACE(item.File);
    const std::string file = platform::ReadFileBytes(test::DefaultSkinPath(item.File));
    std::string_view reason;
    const auto image = DecodeBitmap({reinterpret_cast<const std::uint8_t*>(file.data()), file.size()}, &reason);
    ASSERT_TRUE(image) << reason;
    EXPECT_EQ(image->Width, item.Width);
    EXPECT_EQ(image->Height, item.Height);
    EXPECT_EQ(image->BitCount, item.BitCount);
    if (item.BitCount == 32) {
      // The alpha channel is used: not all zero (which a reader would take as opaque), not all opaque.
      const std::size_t pixels = U32(file, 10);
      bool someTransparent = false, someVisible = false;
      for (std::size_t p = pixels + 3; p < file.size(); p += 4) {
        someTransparent |= file[p] != '\xFF';
        someVisible |= file[p] != '\0';
      }
      EXPECT_TRUE(someTransparent && someVisible);
    }
    if (item.BitCount == 4) {
      // Masks in the 16-colour VGA palette: black is index 0, red 9, blue 12, white 15.
      ASSERT_EQ(image->Palette.size(), 16u);
      EXPECT_EQ(image->Palette[0], 0x000000u);
      EXPECT_EQ(image->Palette[9], 0xFF0000u);
      EXPECT_EQ(image->Palette[12], 0x0000FFu);
      EXPECT_EQ(image->Palette[15], 0xFFFFFFu);
    }
  }
}

// A sub-image with nothing in it would show a hole where a button or a digit should be: in a 32-bit image every
// sub-image shows something, and every button state has a glyph on its face.
TEST(DefaultSkinFiles, DrawSomethingInEverySubImage) {
  for (const SkinSlice& s : kSkinSlices) {
    SCOPED_TRACE(s.Id);
    const SkinItemSpec* item = FindSkinItem(s.Item);
    const std::string file = platform::ReadFileBytes(test::DefaultSkinPath(item->File));
    const auto image = DecodeBitmap({reinterpret_cast<const std::uint8_t*>(file.data()), file.size()});
    ASSERT_TRUE(image);
    const bool button = GlyphIndicesOf(s).Up >= 0;
    for (int i = 0; i < s.ImageCount; ++i) {
      for (bool light : {false, true}) {
        if (light && s.LBGOffsetLeft == 0 && s.LBGOffsetTop == 0) continue;
        const SliceRect r = SliceCellRect(s, i, light);
        const std::uint32_t first = image->At(r.Left, r.Top);
        bool varied = false, visible = false;
        for (int y = r.Top; y < r.Top + r.Height; ++y)
          for (int x = r.Left; x < r.Left + r.Width; ++x) {
            varied |= image->At(x, y) != first;
            visible |= (image->At(x, y) >> 24) != 0;
          }
        EXPECT_TRUE(visible) << "sub-image " << i << (light ? " (light)" : "");
        EXPECT_TRUE(varied || !button) << "sub-image " << i << (light ? " (light)" : "");
      }
    }
  }
}

}  // namespace
}  // namespace nv
