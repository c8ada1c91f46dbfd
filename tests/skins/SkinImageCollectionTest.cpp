// The skin's named images: names unique without regard to case, lookups, and one change notice per update
// bracket.
#include <gtest/gtest.h>

#include "skins/SkinErrors.h"
#include "skins/SkinImageCollection.h"
#include "skins/SkinSlicing.h"

namespace nv {
namespace {

SkinBitmap Pixel() {
  SkinBitmap b;
  b.Width = b.Height = 1;
  b.BitCount = 24;
  b.Pixels = {0xFF000000};
  return b;
}

TEST(SkinImageCollection, RefusesASecondItemOfTheSameName) {
  TSkinImageCollection items;
  items.Add("Main");
  items.Add("Main.mask", true);
  for (const char* name : {"Main", "MAIN", "main"}) {
    try {
      items.Add(name);
      ADD_FAILURE() << name;
    } catch (const ESkinError& e) {
      EXPECT_STREQ(e.what(), "Duplicate skin item name");
    }
  }
  EXPECT_THROW(items.Rename(1, "mAIN"), ESkinError);
  items.Rename(0, "MAIN");  // its own name in another case
  EXPECT_EQ(items[0].Name(), "MAIN");
  EXPECT_EQ(items.Find("main.MASK"), &items[1]);
  EXPECT_EQ(items.Find("Volume"), nullptr);
}

TEST(SkinImageCollection, TellsOfChangesOnceWhenTheOutermostBracketCloses) {
  TSkinImageCollection items;
  DeclareStripSkinItems(items);
  int notices = 0;
  items.SetOnChange([&] { ++notices; });
  {
    SkinUpdateBracket outer(items);
    {
      SkinUpdateBracket inner(items);
      items.SetImage(0, Pixel());
      items.SetImage(3, Pixel());
    }
    EXPECT_EQ(notices, 0);
    items.ClearImage(0);
  }
  EXPECT_EQ(notices, 1);
  { SkinUpdateBracket quiet(items); }
  EXPECT_EQ(notices, 1) << "a bracket without changes";
  items.ClearImage(3);
  EXPECT_EQ(notices, 2);
  items.ClearImage(3);
  EXPECT_EQ(notices, 2) << "clearing what has no image changes nothing";
}

TEST(SkinImageCollection, TheStripDeclaresTheWholeVocabularyInOrder) {
  TSkinImageCollection items;
  DeclareStripSkinItems(items);
  ASSERT_EQ(items.Count(), std::size(kSkinItems));
  EXPECT_EQ(items[0].Name(), "Palettes");
  EXPECT_TRUE(items.Find("MainRC")->Optional());
  EXPECT_FALSE(items.Find("Volume")->Optional());
}

}  // namespace
}  // namespace nv
