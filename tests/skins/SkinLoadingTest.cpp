// Loading a skin with the fallback to the default skin: which images come from the skin and which from the default,
// over packages whose entries are given here (the cabinet library reads real ones in the Windows tests), and over
// real skin folders.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "skins/SkinErrors.h"
#include "skins/SkinLoading.h"
#include "skins/SkinSlicing.h"
#include "support/MarkedText.h"
#include "tests/skins/BmpBytes.h"

namespace nv {
namespace {

using ::testing::ElementsAre;

constexpr std::uint32_t kFromSkin = 0xFFCC0000, kFromDefault = 0xFF0000CC;

// A 1 x 1 BMP of one colour: which package an item's image came from.
std::string Pixel(std::uint32_t colour) {
  return test::Bmp(test::InfoHeader(1, 1, 24), "", test::Bytes{char(colour), char(colour >> 8), char(colour >> 16), 0});
}

using Entries = std::vector<std::pair<std::u16string, std::string>>;

// Every default file of the vocabulary, in one colour.
Entries WholeSkin(std::uint32_t colour, std::set<std::string> leaveOut = {}) {
  Entries entries;
  for (const SkinItemSpec& item : kSkinItems)
    if (*item.File && !leaveOut.count(item.Name)) entries.emplace_back(Utf8ToUtf16(item.File), Pixel(colour));
  return entries;
}

// Packages by path, read as the cabinet reader reads them: every entry offered in order, its bytes handed over
// when wanted. A missing path is not a cabinet; a broken one fails after its entries.
class PackagesInMemory final : public SkinEnvironment {
public:
  void ReadPackage(std::string_view path, SkinPackageFill& fill) override {
    reads.emplace_back(path);
    const auto package = packages.find(std::string(path));
    if (package == packages.end()) throw ECabinetError(2);
    for (const auto& [name, bytes] : package->second)
      if (const auto target = fill.Wants(name, bytes.size())) fill.Commit(*target, bytes);
    if (broken.count(std::string(path))) throw ECabinetError(4);
  }
  std::string DefaultPackagePath() override { return "Norvale.nvs"; }

  std::map<std::string, Entries> packages{{"Norvale.nvs", WholeSkin(kFromDefault)}};
  std::set<std::string> broken;
  std::vector<std::string> reads;
};

class SkinLoading : public ::testing::Test {
protected:
  SkinLoading() {
    DeclareStripSkinItems(items_);
    items_.SetOnChange([this] { ++notices_; });
  }

  // Where each item's image came from: 'S' the skin, 'D' the default, '-' none.
  char SourceOf(std::string_view item) const {
    const TSkinImage* image = items_.Find(item);
    if (!image || !image->HasImage()) return '-';
    return image->Image()->Pixels[0] == kFromSkin ? 'S' : image->Image()->Pixels[0] == kFromDefault ? 'D' : '?';
  }
  // The items whose images came from `source`.
  std::set<std::string> From(char source) const {
    std::set<std::string> names;
    for (std::size_t i = 0; i < items_.Count(); ++i)
      if (SourceOf(items_[i].Name()) == source) names.insert(items_[i].Name());
    return names;
  }
  std::set<std::string> AllDrawn() const {
    std::set<std::string> names;
    for (const SkinItemSpec& item : kSkinItems)
      if (*item.File) names.insert(item.Name);
    return names;
  }

  void Load(const Entries& skin) {
    system_.packages["skin.nvs"] = skin;
    LoadSkinFromPackage(system_, "skin.nvs", items_, &notice_, &readme_);
  }

  PackagesInMemory system_;
  TSkinImageCollection items_;
  std::string notice_ = "old notice", readme_ = "old readme";
  int notices_ = 0;
};

TEST_F(SkinLoading, ACompletePackageIsTheWholeSkinAndItsTextsAreKeptByteForByte) {
  Entries skin = WholeSkin(kFromSkin);
  skin.emplace_back(u"readme.txt", "\r\n  Read me  \r\n\r\n");
  skin.emplace_back(u"COPYRIGHT.TXT", "(c) us");
  Load(skin);
  EXPECT_EQ(From('S'), AllDrawn());
  EXPECT_THAT(system_.reads, ElementsAre("skin.nvs")) << "no fallback pass";
  EXPECT_EQ(readme_, "\r\n  Read me  \r\n\r\n");
  EXPECT_EQ(notice_, "(c) us");
  EXPECT_EQ(notices_, 1) << "one change notice for the whole load";
}

TEST_F(SkinLoading, MissingOptionalItemsLeaveTheSkinComplete) {
  Load(WholeSkin(kFromSkin, {"MainLC", "Main.mask", "InfoMain.mask"}));
  EXPECT_THAT(system_.reads, ElementsAre("skin.nvs"));
  EXPECT_EQ(SourceOf("MainLC"), '-');
  EXPECT_EQ(SourceOf("Main.mask"), '-');
}

// A missing required item comes from the default together with its mask (even when the skin has one, so that
// image and shape match); optional items the skin left out stay out; the skin's texts stay.
TEST_F(SkinLoading, AMissingRequiredItemComesFromTheDefaultWithItsMask) {
  Entries skin = WholeSkin(kFromSkin, {"InfoMain", "Volume", "MainLC"});
  skin.emplace_back(u"readme.txt", "ours");
  Load(skin);
  EXPECT_EQ(From('D'), (std::set<std::string>{"InfoMain", "InfoMain.mask", "Volume"}));
  EXPECT_EQ(SourceOf("MainLC"), '-');
  EXPECT_EQ(SourceOf("Balance"), 'S');
  EXPECT_EQ(readme_, "ours");
  EXPECT_EQ(notice_, "");
  EXPECT_THAT(system_.reads, ElementsAre("skin.nvs", "Norvale.nvs"));
}

TEST_F(SkinLoading, WhatIsNotACabinetGivesTheWholeDefaultWithoutAnError) {
  system_.packages.erase("skin.nvs");
  LoadSkinFromPackage(system_, "skin.nvs", items_, &notice_, &readme_);
  EXPECT_EQ(From('D'), AllDrawn());
  EXPECT_EQ(notice_, "");
  EXPECT_EQ(readme_, "");
}

// A package that breaks after some of its entries is no skin: none of its images is mixed into the default.
TEST_F(SkinLoading, APackageThatFailsHalfWayGivesTheWholeDefault) {
  Entries skin = WholeSkin(kFromSkin);
  skin.resize(10);
  system_.broken.insert("skin.nvs");
  Load(skin);
  EXPECT_EQ(From('D'), AllDrawn());
  EXPECT_THAT(system_.reads, ElementsAre("skin.nvs", "Norvale.nvs"));
}

// One undecodable image does not cost the images after it.
TEST_F(SkinLoading, AnImageThatDoesNotDecodeIsTakenFromTheDefaultAlone) {
  Entries skin = WholeSkin(kFromSkin);
  for (auto& [name, bytes] : skin)
    if (name == u"Volume.bmp") bytes = "BM not really";
  Load(skin);
  EXPECT_EQ(From('D'), std::set<std::string>{"Volume"});
}

TEST_F(SkinLoading, AnUnreadableDefaultIsCorruptedOnlyWhenItIsNeeded) {
  system_.packages.erase("Norvale.nvs");
  Load(WholeSkin(kFromSkin));
  EXPECT_EQ(From('S'), AllDrawn());
  try {
    Load(WholeSkin(kFromSkin, {"Volume"}));
    ADD_FAILURE() << "no error";
  } catch (const ESkinError& e) {
    EXPECT_STREQ(e.what(), "Default skin corrupted.");
  }
  EXPECT_EQ(notices_, 2) << "the bracket closed also after the failure";
}

TEST_F(SkinLoading, EntriesAreMatchedByBaseNameAndRefusedWhenHostileOrOversized) {
  std::string notice, readme;
  SkinPackageFill fill(items_, false, &notice, &readme);
  const std::size_t mono = items_.IndexOf("MonoSter"), mask = items_.IndexOf("Main.mask");
  using Kind = SkinPackageFill::Target::Kind;
  const struct {
    const char16_t* name;
    std::uint64_t size;
    std::optional<Kind> kind;
    std::size_t item;
  } cases[] = {
      {u"MONOSTER.bmp", 100, Kind::Image, mono},
      {u"skins\\monoster.BMP", 100, Kind::Image, mono},
      {u"Main.mask.bmp", 100, Kind::Image, mask},
      {u"MonoSter", 100, Kind::Image, mono},  // the base name is what is left without the last extension
      {u"..\\MonoSter.bmp", 100, std::nullopt, 0},
      {u"C:\\MonoSter.bmp", 100, std::nullopt, 0},
      {u"MonoSter.bmp:evil", 100, std::nullopt, 0},
      {u"Unknown.bmp", 100, std::nullopt, 0},
      {u"MonoSter.bmp", kMaxSkinImageBytes, Kind::Image, mono},
      {u"MonoSter.bmp", kMaxSkinImageBytes + 1, std::nullopt, 0},
      {u"MonoSter.bmp", 0x7FFFFFF0, std::nullopt, 0},
      {u"ReadMe.TXT", kMaxSkinTextBytes, Kind::Readme, 0},
      {u"readme.txt", kMaxSkinTextBytes + 1, std::nullopt, 0},
      {u"copyright.txt", 10, Kind::Notice, 0},
      {u"skins\\readme.txt", 10, Kind::Readme, 0},  // folder names stored with the entries are ignored
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.name));
    const auto target = fill.Wants(c.name, c.size);
    ASSERT_EQ(target.has_value(), c.kind.has_value());
    if (!target) continue;
    EXPECT_EQ(target->kind, *c.kind);
    if (target->kind == Kind::Image) {
      EXPECT_EQ(target->item, c.item);
    }
  }
}

TEST_F(SkinLoading, TextsAreOnlyTakenWhenAsked) {
  SkinPackageFill fill(items_, false, nullptr, nullptr);
  EXPECT_FALSE(fill.Wants(u"readme.txt", 10));
  EXPECT_FALSE(fill.Wants(u"copyright.txt", 10));
}

// A skin folder: the same item rules over files; names in any case; the texts are trimmed lines.
class SkinFolder : public SkinLoading {
protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              (std::string("norvale-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
  }
  std::string Folder() const { return folder_.string(); }

  std::filesystem::path folder_;
};

TEST_F(SkinFolder, TakesItsImagesInAnyCaseAndCompletesThemFromTheDefault) {
  Write("MAIN.BMP", Pixel(kFromSkin));
  Write("monoster.bmp", Pixel(kFromSkin));
  Write("Volume.bmp", "not a bitmap");
  Write("readme.txt", "\r\n\r\n  First line\r\nsecond\nthird  \r\n\r\n");
  std::filesystem::create_directories(folder_ / "Balance.bmp");  // a folder, not an image
  LoadSkinFromFolder(system_, Folder(), items_, &notice_, &readme_);
  EXPECT_EQ(From('S'), (std::set<std::string>{"Main", "MonoSter"}));
  EXPECT_EQ(SourceOf("Volume"), 'D');
  EXPECT_EQ(SourceOf("Balance"), 'D');
  EXPECT_EQ(readme_, "First line\r\nsecond\r\nthird");
  EXPECT_EQ(notice_, "");
  EXPECT_EQ(notices_, 1);
}

TEST_F(SkinFolder, AFolderWithEveryImageNeedsNoDefault) {
  for (const auto& [name, bytes] : WholeSkin(kFromSkin)) Write(Utf16ToUtf8(name), bytes);
  system_.packages.clear();
  LoadSkinFromFolder(system_, Folder(), items_, &notice_, &readme_);
  EXPECT_EQ(From('S'), AllDrawn());
  EXPECT_TRUE(system_.reads.empty());
}

}  // namespace
}  // namespace nv
