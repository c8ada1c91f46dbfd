// Skin packages read for real through the system's cabinet library: packages made at build time by the default
// skin's script (gcab), with their images inverted so that each image tells whether it came from the package or
// from the default skin.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "skins/EmbeddedPackage.h"
#include "skins/SkinErrors.h"
#include "skins/SkinLoading.h"
#include "skins/SkinSlicing.h"
#include "skins/win/CabReader.h"
#include "skins/win/SkinPackageReader.h"
#include "support/FileContent.h"
#include "support/FileSource.h"
#include "support/win/WideText.h"
#include "tests/skins/SkinTestFiles.h"

namespace nv {
namespace {

std::string Package(std::string_view name) {
  return test::PlatformPath(std::string(NV_SKIN_PACKAGES) + "/" + std::string(name));
}

// The cabinet library for every package; the default skin is the one the build packed.
class BuildsDefault final : public SkinEnvironment {
public:
  void ReadPackage(std::string_view path, SkinPackageFill& fill) override {
    reads.emplace_back(path);
    WindowsSkinEnvironment().ReadPackage(path, fill);
  }
  std::string DefaultPackagePath() override { return test::PlatformPath(NV_DEFAULT_SKIN_PACKAGE); }
  std::vector<std::string> reads;
};

class SkinPackages : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    // The default skin's images as drawn, to compare with what was loaded.
    for (const SkinItemSpec& item : kSkinItems) {
      if (!*item.File) continue;
      const std::string bytes = platform::ReadFileBytes(test::DefaultSkinPath(item.File));
      defaults_[item.Name] = DecodeBitmap({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()})->Pixels;
    }
  }

  SkinPackages() { DeclareStripSkinItems(items_); }

  void Load(std::string_view package) { LoadSkinFromPackage(system_, Package(package), items_, &notice_, &readme_); }

  // 'P' from the package (inverted), 'D' the default's own, '-' none.
  char SourceOf(const std::string& item) const {
    const TSkinImage* image = items_.Find(item);
    if (!image->HasImage()) return '-';
    return image->Image()->Pixels == defaults_.at(item) ? 'D' : 'P';
  }
  std::set<std::string> From(char source) const {
    std::set<std::string> names;
    for (const auto& [name, pixels] : defaults_)
      if (SourceOf(name) == source) names.insert(name);
    return names;
  }

  static inline std::map<std::string, std::vector<std::uint32_t>> defaults_;
  BuildsDefault system_;
  TSkinImageCollection items_;
  std::string notice_, readme_;
};

TEST_F(SkinPackages, ACompletePackageIsReadWholeWithItsTexts) {
  for (const char* package : {"complete.nvs", "upper-case.nvs", "in-a-folder.nvs"}) {
    SCOPED_TRACE(package);
    system_.reads.clear();
    Load(package);
    EXPECT_TRUE(From('D').empty());
    EXPECT_EQ(From('P').size(), 44u);
    EXPECT_EQ(system_.reads.size(), 1u) << "no fallback pass";
    EXPECT_EQ(readme_, "\r\n  A skin of our own.  \r\n") << "byte for byte";
    EXPECT_EQ(notice_, "Drawn for Norvale");
    EXPECT_EQ(SourceOf("MainRC"), '-');
  }
}

TEST_F(SkinPackages, AMissingItemAloneComesFromTheDefaultWithItsMask) {
  Load("without-volume-and-info.nvs");
  EXPECT_EQ(From('D'), (std::set<std::string>{"Volume", "InfoMain", "InfoMain.mask"}));
  EXPECT_EQ(readme_, "\r\n  A skin of our own.  \r\n");
}

TEST_F(SkinPackages, WhatIsNotACabinetGivesTheWholeDefaultWithoutAnError) {
  Load("not-a-cabinet.nvs");
  EXPECT_EQ(From('D').size(), 44u);
  EXPECT_EQ(readme_, "");
}

TEST_F(SkinPackages, AHugeDeclaredSizeIsNotSetAsideAndTheItemFallsBack) {
  Load("huge-entry.nvs");
  EXPECT_EQ(From('D'), std::set<std::string>{"SysButton"});
}

TEST_F(SkinPackages, ACabinetCutShortIsACabinetErrorWithItsCode) {
  try {
    ReadSkinPackage(system_, Package("cut-short.nvs"), items_, nullptr, false, nullptr);
    ADD_FAILURE() << "no error";
  } catch (const ECabinetError& e) {
    const std::string text = e.what();
    EXPECT_EQ(text.substr(0, 30), "Cabinet reader error. Code: 0x");
    EXPECT_EQ(text.size(), 34u) << text;
  }
}

// The cabinet library is given a token, not the path: a path the ANSI code page cannot hold still opens.
TEST_F(SkinPackages, APathOutsideTheCodePageOpens) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"norvale-\u0441\u043A\u0438\u043D";
  std::filesystem::create_directories(folder);
  const std::filesystem::path copy = folder / L"\u65E5\u672C.nvs";
  std::filesystem::copy_file(std::filesystem::u8path(Package("complete.nvs")), copy,
                             std::filesystem::copy_options::overwrite_existing);
  LoadSkinFromPackage(system_, WideToMarked(copy.wstring()), items_, &notice_, &readme_);
  EXPECT_EQ(From('P').size(), 44u);
  std::filesystem::remove_all(folder);
}

// A program that carries its package: the cabinet reader sees the package alone, also when the program is signed.
TEST_F(SkinPackages, AProgramFileIsReadAsThePackageItCarries) {
  for (const char* program : {"pe32plus-packaged.exe", "pe32plus-packaged-signed.exe", "pe32-packaged-signed.exe"}) {
    SCOPED_TRACE(program);
    std::string readme;
    SkinPackageFill fill(items_, false, nullptr, &readme);
    system_.ReadPackage(test::ProgramFilePath(program), fill);
    EXPECT_EQ(readme, "A skin package of one entry.\r\n");
  }
}

TEST(CabFileStream, ShowsOnlyThePackageOfAProgramAndNoReadPassesItsTrailer) {
  const auto probe = platform::OpenFileSource(test::ProgramFilePath("pe32plus-packaged-signed.exe"));
  const auto package = FindEmbeddedPackage(*probe);
  ASSERT_TRUE(package);
  const auto stream = TXCabFileStream::Open(MarkedToWide(test::ProgramFilePath("pe32plus-packaged-signed.exe")));
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->Base(), static_cast<std::int64_t>(package->Offset));
  EXPECT_EQ(stream->Seek(0, SEEK_END), static_cast<long>(package->Size));
  char buffer[64];
  EXPECT_EQ(stream->Read(buffer, sizeof buffer), 0u) << "nothing after the package";
  EXPECT_EQ(stream->Seek(-4, SEEK_END), static_cast<long>(package->Size - 4));
  EXPECT_EQ(stream->Read(buffer, sizeof buffer), 4u) << "a read that would pass the end is cut";
  EXPECT_EQ(stream->Seek(-1, SEEK_SET), -1) << "before the package";
  EXPECT_EQ(stream->Seek(0, SEEK_SET), 0);
  ASSERT_EQ(stream->Read(buffer, 4), 4u);
  EXPECT_EQ(std::string(buffer, 4), "MSCF");

  const auto plain = TXCabFileStream::Open(MarkedToWide(test::ProgramFilePath("package.cab")));
  EXPECT_EQ(plain->Base(), -1) << "a cabinet of its own is used whole";
}

// Extracting into a folder writes only names that stay inside it.
TEST(CabExtraction, WritesNothingOutsideItsFolder) {
  const std::filesystem::path root = std::filesystem::temp_directory_path() / L"norvale-extraction";
  std::filesystem::remove_all(root);
  const std::filesystem::path target = root / L"target";
  std::filesystem::create_directories(target);
  std::filesystem::remove(L"C:\\nvevil.txt");
  TXCabReader reader;
  reader.ExtractAll(MarkedToWide(Package("hostile-names.nvs")), target.wstring());
  EXPECT_TRUE(std::filesystem::exists(target / L"ok.txt"));
  EXPECT_TRUE(std::filesystem::exists(target / L"Main.bmp"));
  EXPECT_FALSE(std::filesystem::exists(root / L"evil.txt"));
  EXPECT_FALSE(std::filesystem::exists(L"C:\\nvevil.txt"));
  std::size_t written = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) written += entry.is_regular_file();
  EXPECT_EQ(written, 2u);
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace nv
