// The skin model without a window: where each sub-image of an element lies (every slicing shape, the light variant,
// what counts as missing), which item an element shows, the sizes it computes, the palette's colours, and how a
// change of skin reaches the owners of the elements: once per element, after loading, never while it loads.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "skins/Skin.h"
#include "skins/SkinElement.h"
#include "support/MarkedText.h"
#include "tests/skins/BmpBytes.h"

namespace nv {
namespace {

// One colour per skin, so that a pixel tells which skin an element shows.
constexpr std::uint32_t kSkinA = 0x102030, kSkinB = 0xA0B0C0;

std::string Solid(int width, int height, std::uint32_t colour) {
  return test::Bmp24(width, height, [&](int, int) { return colour; });
}

// The palette: the pixel at (x, y) is 0x00xxyy, so a colour says where it was read.
std::string Palette(int width, int height) {
  return test::Bmp24(width, height, [](int x, int y) { return std::uint32_t(x << 8 | y); });
}

using Entries = std::vector<std::pair<std::u16string, std::string>>;

// Packages by path, each entry offered in order.
class SkinsInMemory final : public SkinEnvironment {
public:
  void ReadPackage(std::string_view path, SkinPackageFill& fill) override {
    ++reads;
    const auto package = packages.find(std::string(path));
    if (package == packages.end()) throw std::runtime_error("not a cabinet");
    for (const auto& [name, bytes] : package->second)
      if (const auto target = fill.Wants(name, bytes.size())) fill.Commit(*target, bytes);
  }
  std::string DefaultPackagePath() override { return "Default.nvs"; }
  std::string ProgramFolder() override { return folder; }

  std::map<std::string, Entries> packages;
  std::string folder;
  int reads = 0;
};

Entries SkinOf(std::uint32_t colour) {
  return {{u"Buttons.bmp", Solid(46, 54, colour)},
          {u"Panel.bmp", Solid(30, 20, colour)},
          {u"Preferred.bmp", Solid(10, 10, colour ^ 0xFFFFFF)},
          {u"Palettes.bmp", Palette(23, 4)}};
}

// Counts what reaches the owner of elements, per element.
class Owner final : public SkinElementOwner {
public:
  void SkinElementChanged(TCustomSkinElement& element) override { ++changes[&element]; }
  void SkinColourResolved(SkinColour& colour, TCustomSkinElement& element) override {
    ++resolved[&element];
    if (substitute) colour = *substitute;
  }
  int Total() const {
    int total = 0;
    for (const auto& [element, count] : changes) total += count;
    return total;
  }
  std::map<TCustomSkinElement*, int> changes, resolved;
  std::optional<SkinColour> substitute;
};

class SkinModel : public ::testing::Test {
protected:
  // The program's folder holds the skin "B.nvs" (its file only says that it is there: the environment has its
  // entries).
  SkinModel() {
    std::filesystem::create_directories(program_);
    std::ofstream(program_ / "B.nvs") << "a package";
    system_.folder = program_.string();
    system_.packages["Default.nvs"] = SkinOf(kSkinA);
    system_.packages[system_.folder + "\\B.nvs"] = SkinOf(kSkinB);
    for (const char* name : {"Buttons", "Panel", "Preferred", "Palettes"}) skin_.Images().Add(name, false);
    skin_.Images().Add("Optional", true);
    skin_.SetPaletteName("Palettes");
    skin_.SetActive(true);
  }

  // An element of `item` on the skin, sliced as given.
  std::unique_ptr<TSkinElement> Element(std::string_view item, SkinElementOwner* owner = nullptr) {
    auto element = std::make_unique<TSkinElement>(owner);
    element->SetName(item);
    element->SetSkin(&skin_);
    return element;
  }

  ~SkinModel() override {
    std::error_code ignored;
    std::filesystem::remove_all(program_, ignored);
  }

  const std::filesystem::path program_ = std::filesystem::temp_directory_path() / "norvale-skin-model";
  SkinsInMemory system_;
  TSkin skin_{system_};
};

// --- Slicing ---

struct SliceCase {
  const char* what;
  SkinSlice slice;
  int index;
  bool light;
  Rect expected;  // in the 46 x 54 "Buttons" image
};

class Slicing : public SkinModel, public ::testing::WithParamInterface<SliceCase> {};

TEST_P(Slicing, SubImagesLieWhereTheRuleSays) {
  const SliceCase& c = GetParam();
  const auto element = Element("Buttons");
  element->SetSlice(c.slice);
  EXPECT_EQ(element->GetImageRect(c.index, c.light), c.expected);
}

constexpr SliceLayout H = SliceLayout::Horizontal, V = SliceLayout::Vertical;
INSTANTIATE_TEST_SUITE_P(
    Shapes, Slicing,
    ::testing::Values(
        // Origin (23, 0), 23 x 18, six sub-images in two columns of three: index 4 is the middle of the second.
        SliceCase{"vertical, two columns", {"", "Buttons", 23, 0, 23, 18, 6, 2, V, 0, 0, 0, ""}, 4, false,
                  Rect::FromSize(46, 18, 23, 18)},
        SliceCase{"vertical, one column", {"", "Buttons", 0, 0, 23, 18, 3, 1, V, 0, 0, 0, ""}, 2, false,
                  Rect::FromSize(0, 36, 23, 18)},
        SliceCase{"horizontal, one row", {"", "Buttons", 0, 0, 4, 13, 11, 1, H, 0, 0, 0, ""}, 10, false,
                  Rect::FromSize(40, 0, 4, 13)},
        SliceCase{"horizontal, two rows", {"", "Buttons", 0, 0, 10, 20, 6, 2, H, 0, 0, 0, ""}, 4, false,
                  Rect::FromSize(10, 20, 10, 20)},
        SliceCase{"spacing both ways", {"", "Buttons", 1, 2, 10, 10, 4, 2, H, 3, 0, 0, ""}, 3, false,
                  Rect::FromSize(1 + 13, 2 + 13, 10, 10)},
        // Three in two columns: the first column holds two, the third sub-image starts the second column (a
        // truncating rule would have put it in a third column, outside the size computed for two).
        SliceCase{"uneven: three in two columns", {"", "Buttons", 0, 0, 23, 27, 3, 2, V, 0, 0, 0, ""}, 2, false,
                  Rect::FromSize(23, 0, 23, 27)},
        SliceCase{"the light variant", {"", "Buttons", 0, 0, 23, 18, 3, 1, V, 0, 23, 0, ""}, 1, true,
                  Rect::FromSize(23, 18, 23, 18)},
        SliceCase{"light asked, none there", {"", "Buttons", 0, 0, 23, 18, 3, 1, V, 0, 0, 0, ""}, 1, true,
                  Rect::FromSize(0, 18, 23, 18)},
        // The light origin would lie outside the bitmap: the dark variant is drawn.
        SliceCase{"light variant outside the bitmap", {"", "Buttons", 0, 0, 23, 18, 3, 1, V, 0, 46, 0, ""}, 1, true,
                  Rect::FromSize(0, 18, 23, 18)},
        SliceCase{"index past the last", {"", "Buttons", 5, 6, 23, 18, 3, 1, V, 0, 0, 0, ""}, 3, false,
                  Rect::FromSize(5, 6, 0, 0)},
        SliceCase{"negative index", {"", "Buttons", 5, 6, 23, 18, 3, 1, V, 0, 0, 0, ""}, -1, false,
                  Rect::FromSize(5, 6, 0, 0)}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST_F(SkinModel, TheSliceTableAndTheElementFollowTheSameRule) {
  // The windows take their slices from the table; drawing slices through the element: both must agree.
  const SkinSlice uneven{"", "Buttons", 0, 0, 23, 27, 3, 2, V, 0, 0, 0, ""};
  const auto element = Element("Buttons");
  element->SetSlice(uneven);
  for (int i = 0; i < 3; ++i) {
    const SliceRect r = SliceCellRect(uneven, i);
    EXPECT_EQ(element->GetImageRect(i, false), Rect::FromSize(r.Left, r.Top, r.Width, r.Height)) << i;
  }
}

struct SizeCase {
  const char* what;
  SkinSlice slice;  // sizes 0: computed
  bool autoSize;
  Size expected;    // from the 46 x 54 "Buttons" image
};

TEST_F(SkinModel, SizesAreComputedFromTheBitmapWhenNotGiven) {
  const SizeCase cases[] = {
      {"one image: the rest of the bitmap", {"", "Buttons", 6, 4, 0, 0, 1, 1, H, 0, 0, 0, ""}, false, {40, 50}},
      {"vertical: columns across, the rest down", {"", "Buttons", 0, 0, 0, 0, 6, 2, V, 0, 0, 0, ""}, false, {23, 18}},
      {"horizontal: rows down, the rest across", {"", "Buttons", 0, 0, 0, 0, 6, 2, H, 0, 0, 0, ""}, false, {15, 27}},
      {"spacing between them", {"", "Buttons", 0, 0, 0, 0, 3, 1, V, 3, 0, 0, ""}, false, {46, 16}},
      {"uneven: rounded up", {"", "Buttons", 0, 0, 0, 0, 3, 2, V, 0, 0, 0, ""}, false, {23, 27}},
      {"given sizes are kept", {"", "Buttons", 0, 0, 7, 9, 3, 1, V, 0, 0, 0, ""}, false, {7, 9}},
      {"one given size: the other computed", {"", "Buttons", 0, 0, 7, 0, 3, 1, V, 0, 0, 0, ""}, false, {7, 18}},
      {"auto size recomputes both", {"", "Buttons", 0, 0, 7, 9, 3, 1, V, 0, 0, 0, ""}, true, {46, 18}},
      {"an origin past the bitmap gives no size", {"", "Buttons", 60, 70, 0, 0, 1, 1, H, 0, 0, 0, ""}, false, {0, 0}},
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(c.what);
    const auto element = Element("Buttons");
    element->SetAutoSize(c.autoSize);
    element->SetSlice(c.slice);
    EXPECT_EQ((Size{element->ImageWidth(), element->ImageHeight()}), c.expected);
  }
}

TEST_F(SkinModel, ASubImageIsMissingWhenItHasNoAreaOrReachesOutsideTheBitmap) {
  const auto element = Element("Buttons");
  element->SetSlice({"", "Buttons", 0, 0, 23, 18, 6, 2, V, 0, 0, 0, ""});
  EXPECT_FALSE(element->IsImageMissing(5, false));
  element->SetOrigin(1, 0);  // the second column now ends one pixel past the 46-pixel bitmap
  EXPECT_FALSE(element->IsImageMissing(2, false));
  EXPECT_TRUE(element->IsImageMissing(3, false));
  EXPECT_TRUE(element->IsImageMissing(6, false)) << "past the last";
  // An origin past the bitmap leaves no size to compute: a size of 0 (a negative one would mirror the image).
  element->SetSlice({"", "Buttons", 60, 0, 0, 0, 1, 1, H, 0, 0, 0, ""});
  EXPECT_EQ(element->ImageWidth(), 0);
  EXPECT_TRUE(element->IsImageMissing(0, false));

  const auto nothing = Element("NoSuchItem");
  EXPECT_TRUE(nothing->IsEmpty());
  EXPECT_TRUE(nothing->IsImageMissing(0, false));
}

TEST_F(SkinModel, CountsStayWithinTheirBounds) {
  TSkinElement element;
  element.SetImageCount(6);
  element.SetRowCount(9);
  EXPECT_EQ(element.RowCount(), 6);
  element.SetImageCount(0);
  EXPECT_EQ(element.ImageCount(), 1);
  EXPECT_EQ(element.RowCount(), 1);
  element.SetRowCount(0);
  EXPECT_EQ(element.RowCount(), 1);
}

TEST_F(SkinModel, FixedSizesReplaceOnlyWhatTheElementGives) {
  TSkinElement element;
  element.SetImageSize(0, 12);
  int width = 50, height = 60;
  element.GetFixedSize(width, height);
  EXPECT_EQ(width, 50);
  EXPECT_EQ(height, 12);
}

// --- Which item ---

TEST_F(SkinModel, TheOptionalNameWinsOnlyWhenItsItemHasAnImage) {
  const auto element = Element("Panel");
  EXPECT_EQ(element->BitmapWidth(), 30);
  element->SetOptionalName("Preferred");
  EXPECT_TRUE(element->OptionalUsed());
  EXPECT_EQ(element->BitmapWidth(), 10);
  element->SetOptionalName("Optional");  // declared, but the package has no image for it
  EXPECT_FALSE(element->OptionalUsed());
  EXPECT_EQ(element->BitmapWidth(), 30);
  element->SetName("NoSuchItem");
  EXPECT_EQ(element->SharedBitmap(), SharedEmptyBitmap()) << "the one shared empty bitmap";
}

// --- A change of skin ---

TEST_F(SkinModel, ANewSkinReachesEveryOwnerOncePerElementAfterLoading) {
  Owner first, second;
  const auto a = Element("Buttons", &first), b = Element("Panel", &first), c = Element("Panel", &second);
  TSkinColorElement colour(&second);
  colour.SetSkin(&skin_);
  first.changes.clear();
  second.changes.clear();
  auto each = [&](int times) {
    EXPECT_EQ(first.changes[a.get()], times);
    EXPECT_EQ(first.changes[b.get()], times);
    EXPECT_EQ(second.changes[c.get()], times);
    EXPECT_EQ(second.changes[&colour], times);
  };

  {
    // While the skin loads, nothing is resolved and no owner hears anything...
    SkinUpdateBracket loading(skin_.Images());
    skin_.Images().ClearImages();
    a->SetOrigin(1, 1);
    EXPECT_EQ(first.Total() + second.Total(), 0);
    EXPECT_EQ(a->BitmapWidth(), 46) << "resolved while loading";
  }
  // ... and when loading ends, every element resolves and its owner hears of it once.
  each(1);
  EXPECT_TRUE(a->IsEmpty());

  skin_.SetPath("B.nvs");
  EXPECT_EQ(system_.reads, 2);
  EXPECT_EQ(a->Bitmap().At(0, 0) & 0xFFFFFF, kSkinB);
  each(2);
}

TEST_F(SkinModel, AnInactiveSkinReleasesItsImagesAndLoadsNothing) {
  Owner owner;
  const auto element = Element("Buttons", &owner);
  owner.changes.clear();
  skin_.SetActive(false);
  EXPECT_TRUE(element->IsEmpty());
  EXPECT_EQ(owner.changes[element.get()], 1);
  skin_.SetPath("B.nvs");
  EXPECT_EQ(system_.reads, 1) << "nothing loaded while inactive";
  skin_.SetActive(true);
  EXPECT_EQ(element->Bitmap().At(0, 0) & 0xFFFFFF, kSkinB);
}

TEST_F(SkinModel, ElementsOutliveTheirSkinWithoutIt) {
  auto skin = std::make_unique<TSkin>(system_);
  skin->Images().Add("Buttons");
  skin->SetActive(true);
  TSkinElement element;
  element.SetName("Buttons");
  element.SetSkin(skin.get());
  skin.reset();
  EXPECT_EQ(element.Skin(), nullptr);
  element.SetOrigin(1, 1);  // resolves without a skin
  EXPECT_TRUE(element.IsEmpty());
}

TEST_F(SkinModel, AnOwnerThatDropsAnotherElementWhileHearingOfTheChangeIsSafe) {
  std::unique_ptr<TSkinElement> second;
  class Dropper final : public SkinElementOwner {
  public:
    explicit Dropper(std::unique_ptr<TSkinElement>& victim) : victim_(victim) {}
    void SkinElementChanged(TCustomSkinElement&) override { victim_.reset(); }

  private:
    std::unique_ptr<TSkinElement>& victim_;
  } dropper(second);
  const auto first = Element("Buttons", &dropper);
  second = Element("Panel");
  skin_.SetPath("B.nvs");
  EXPECT_EQ(second, nullptr);
  EXPECT_EQ(skin_.Elements().size(), 1u);
}

// --- Palette ---

TEST_F(SkinModel, PaletteColoursAreReadCellByCell) {
  // The palette's pixel (x, y) is green x, blue y: as a COLORREF, 0x00yyxx00.
  auto at = [](int x, int y) { return SkinColour(y << 16 | x << 8); };
  struct Case {
    const char* what;
    int dx, dy, index;
    SkinColour expected;
  } cases[] = {
      {"2 x 2: the first cell", 2, 2, 0, at(0, 0)},
      {"2 x 2: the second row", 2, 2, 12, at(2, 2)},
      {"2 x 2: colour 25 lies outside the 23 x 4 image", 2, 2, 25, 0},
      {"the strip's 1 x 2: colour 25", 1, 2, 25, at(2, 2)},
      {"1 x 2: the last cell", 1, 2, 45, at(22, 2)},
      {"1 x 2: past the last", 1, 2, 46, 0},
      {"a negative index", 1, 2, -1, 0},
      {"a cell width of 0", 0, 2, 3, 0},
      {"a negative cell height", 1, -2, 3, 0},
      {"a cell larger than the image", 24, 1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    skin_.SetPaletteCell(static_cast<std::int8_t>(c.dx), static_cast<std::int8_t>(c.dy));
    EXPECT_EQ(skin_.GetPaletteColor(c.index), c.expected);
  }
  skin_.SetPaletteName("NoSuchItem");
  EXPECT_EQ(skin_.GetPaletteColor(0), 0u) << "no palette";
}

TEST_F(SkinModel, AColourIsResolvedOnceTheOwnerMaySubstituteItAndASkinChangeForgetsIt) {
  Owner owner;
  skin_.SetPaletteCell(1, 2);
  TSkinColorElement colour(&owner);
  EXPECT_EQ(colour.GetColor(), 0u) << "no skin";
  colour.SetSkin(&skin_);
  colour.SetColorIndex(25);
  EXPECT_EQ(colour.GetColor(), SkinColour(2 << 16 | 2 << 8));
  EXPECT_EQ(colour.GetColor(), SkinColour(2 << 16 | 2 << 8));
  EXPECT_EQ(owner.resolved[&colour], 2) << "without a skin, then once from the palette";

  owner.substitute = 0x123456;
  skin_.SetPath("B.nvs");
  EXPECT_EQ(colour.GetColor(), 0x123456u);
}

// --- Where a path leads ---

TEST_F(SkinModel, APathLeadsToAFolderAPackageOrTheDefault) {
  std::filesystem::create_directories(program_ / "Skins" / "Folder");
  std::ofstream(program_ / "Skins" / "Package.nvs") << "bytes";
  const std::string folder = program_.string();
  using Kind = SkinSource::Kind;
  auto in = [&](const char* name) { return folder + "\\" + name; };
  EXPECT_EQ(ChooseSkinSource("", folder), SkinSource{});
  EXPECT_EQ(ChooseSkinSource("Skins\\Folder\\", folder), (SkinSource{Kind::Folder, in("Skins\\Folder")}));
  EXPECT_EQ(ChooseSkinSource("Skins\\Package.nvs", folder), (SkinSource{Kind::Package, in("Skins\\Package.nvs")}));
  EXPECT_EQ(ChooseSkinSource("Skins\\Gone.nvs", folder), SkinSource{});
}

TEST_F(SkinModel, ThePathOfANonexistentSkinLoadsTheDefault) {
  skin_.SetPath("B.nvs");
  skin_.SetPath("Gone.nvs");
  const auto element = Element("Buttons");
  EXPECT_EQ(element->Bitmap().At(0, 0) & 0xFFFFFF, kSkinA);
}

// --- Light backdrops ---

TEST(LightBackdrop, FourPointsAThirdInAndTheirMeanDecides) {
  EXPECT_THAT(LightSamplePoints(Rect::FromSize(10, 20, 30, 9)),
              ::testing::ElementsAre(Point{20, 23}, Point{30, 23}, Point{20, 26}, Point{30, 26}));
  const SkinColour grey150 = 0x969696, grey149 = 0x959595, white = 0xFFFFFF, black = 0;
  struct Case {
    const char* what;
    std::vector<SkinColour> samples;
    bool light;
  } cases[] = {
      {"nothing could be read", {}, false},
      {"white", {white, white, white, white}, true},
      {"150 is light", {grey150}, true},
      {"149 is dark", {grey149, grey149}, false},
      {"the mean of what was read", {white, white, black}, true},
      {"one light point of four is not enough", {white, black, black, black}, false},
      {"channels count alike", {0x0000FF, 0x00FF00, 0xFF0000}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsLightBackdrop(c.samples), c.light) << c.what;
}

}  // namespace
}  // namespace nv
