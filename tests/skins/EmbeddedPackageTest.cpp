// Finding the skin package behind a program file: real PE32 and PE32+ programs linked by mingw-w64, plain, with a
// package and its trailer appended, and signed afterwards (tests/skins/make_program_files.py, run at build time).
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "skins/EmbeddedPackage.h"
#include "support/FileContent.h"
#include "support/FileSource.h"
#include "tests/skins/SkinTestFiles.h"

namespace nv {
namespace {

std::optional<PackageWindow> Find(const std::string& bytes) {
  MemoryByteSource source({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  return FindEmbeddedPackage(source);
}

enum class Behind { Nothing, Package, Decoy };

struct Case {
  const char* file;
  Behind expected;
};

const Case kPrograms[] = {
    {"plain", Behind::Nothing},
    {"signed", Behind::Nothing},
    {"packaged", Behind::Package},
    // The trailer then stands before the certificate table, after the padding that aligns it.
    {"packaged-signed", Behind::Package},
    {"trailer-cut", Behind::Nothing},        // "XCAB" in the last 7 bytes: its size is not all there
    {"size-before-start", Behind::Nothing},  // the size is larger than everything before the trailer
    {"not-a-cabinet", Behind::Nothing},      // the size points at bytes that are no cabinet
    // The package's last bytes hold "XCAB" and a size that points nowhere; the trailer after them is the one.
    {"decoy", Behind::Decoy},
};

TEST(EmbeddedPackage, FoundBehindPe32AndPe32PlusProgramsSignedOrNot) {
  const std::size_t package = platform::ReadFileBytes(test::ProgramFilePath("package.cab")).size();
  const std::size_t decoy = platform::ReadFileBytes(test::ProgramFilePath("decoy.cab")).size();
  ASSERT_GT(package, 0u);
  for (const char* kind : {"pe32", "pe32plus"}) {
    const std::uint64_t programSize =
        platform::ReadFileBytes(test::ProgramFilePath(std::string(kind) + "-plain.exe")).size();
    ASSERT_GT(programSize, 0u);
    for (const Case& c : kPrograms) {
      const std::string name = std::string(kind) + "-" + c.file + ".exe";
      SCOPED_TRACE(name);
      const auto file = platform::OpenFileSource(test::ProgramFilePath(name));
      ASSERT_TRUE(file);
      const std::optional<PackageWindow> found = FindEmbeddedPackage(*file);
      switch (c.expected) {
        case Behind::Nothing:
          EXPECT_FALSE(found);
          break;
        case Behind::Package:
          EXPECT_EQ(found, (PackageWindow{programSize, package}));
          break;
        case Behind::Decoy:
          EXPECT_EQ(found, (PackageWindow{programSize, decoy}));
          break;
      }
    }
  }
}

// The PE headers need not lie in the first kilobyte: e_lfanew says where they are.
TEST(EmbeddedPackage, FollowsTheDosHeaderToPeHeadersFarIntoTheFile) {
  const std::string program = platform::ReadFileBytes(test::ProgramFilePath("pe32plus-packaged.exe"));
  ASSERT_GT(program.size(), 0x80u);
  const std::uint32_t moved = 0x80 + 2048;
  std::string shifted = program.substr(0, 0x80) + std::string(2048, '\0') + program.substr(0x80);
  for (int i = 0; i < 4; ++i) shifted[0x3C + i] = char(moved >> (8 * i));
  const auto found = Find(shifted);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->End() + kPackageTrailerSize, shifted.size());
}

TEST(EmbeddedPackage, NothingInWhatIsNoProgram) {
  const std::string package = platform::ReadFileBytes(test::ProgramFilePath("package.cab"));
  const std::string trailer = std::string("XCAB") + char(package.size()) + std::string(3, '\0');
  for (const std::string& bytes : {std::string(), std::string("MZ"), package + trailer, "MZ" + package + trailer}) {
    EXPECT_FALSE(Find(bytes));
  }
}

}  // namespace
}  // namespace nv
