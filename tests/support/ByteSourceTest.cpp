// Byte sources: regions read in one call and bounded by what arrived, files opened without locking them, and the
// drive a path is on.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/DriveInfo.h"
#include "support/FileSource.h"
#include "support/SourceRegion.h"
#include "tests/common/TestPaths.h"

#ifdef _WIN32
#include "tests/common/win/WineTestEnv.h"
#endif

namespace nv {
namespace {

std::string Digits(std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s.push_back(char('0' + i % 10));
  return s;
}

TEST(SourceRegion, ReadsOnceAndBoundsEveryAccessByWhatArrived) {
  const std::string data = Digits(100);
  MemoryByteSource memory({reinterpret_cast<const std::uint8_t*>(data.data()), data.size()});
  CountingByteSource source(memory);
  SourceRegion region;
  region.Read(source, 90, 50);  // past the end: what there is
  EXPECT_EQ(source.Reads(), 1);
  EXPECT_EQ(region.Offset(), 90u);
  EXPECT_EQ(region.Size(), 10u);
  EXPECT_TRUE(region.Holds(95, 5));
  EXPECT_FALSE(region.Holds(95, 6));
  EXPECT_FALSE(region.Holds(89, 1));
  EXPECT_EQ(region.At(95).size(), 5u);
  EXPECT_EQ(region.At(95, 2).size(), 2u);
  EXPECT_TRUE(region.At(100).empty());
  EXPECT_TRUE(region.At(10).empty());

  region.Read(source, 0, 20);
  region.Extend(source, 60);  // only the missing 40 bytes, in one call
  EXPECT_EQ(source.Reads(), 3);
  EXPECT_EQ(source.LastOffset(), 20u);
  EXPECT_EQ(source.BytesRead(), 10u + 20u + 40u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(region.Bytes().data()), region.Size()), data.substr(0, 60));
  region.Extend(source, 30);  // already held: no call
  region.Extend(source, 1000);
  EXPECT_EQ(source.Reads(), 4);
  EXPECT_EQ(region.Size(), 100u);

  MemoryByteSource empty({});
  region.Read(empty, 0, 10);
  EXPECT_EQ(region.Size(), 0u);
  EXPECT_TRUE(region.At(0).empty());
}

// A path the program can open on this platform, in the build tree.
std::string ScratchFile(const std::string& name) {
  const std::string unixPath = test::BinaryDir() + "/tests/support/" + name;
#ifdef _WIN32
  return test::UnixToWindowsPathA(unixPath);
#else
  return unixPath;
#endif
}

TEST(FileSource, ReadsAFileThatOthersGoOnWriting) {
  const std::string path = ScratchFile("file-source.bin");
  const std::string data = Digits(5000);
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << data;
  }
  const std::unique_ptr<ByteSource> source = platform::OpenFileSource(path);
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->Size(), 5000u);
  std::uint8_t buffer[16] = {};
  EXPECT_EQ(source->ReadAt(4990, buffer, 16), 10u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 10), data.substr(4990));
  EXPECT_EQ(source->ReadAt(6000, buffer, 16), 0u);

  std::ofstream writer(path, std::ios::binary | std::ios::app);
  EXPECT_TRUE(writer.is_open()) << "the reader must not lock the file";
  writer << "more";
  writer.close();
  EXPECT_EQ(platform::FileSizeOf(path), 5004u);

  EXPECT_EQ(platform::OpenFileSource(ScratchFile("missing.bin")), nullptr);
  EXPECT_EQ(platform::FileSizeOf(ScratchFile("missing.bin")), std::nullopt);
  EXPECT_EQ(platform::OpenFileSource(ScratchFile("")), nullptr) << "a folder is no file";
  EXPECT_EQ(platform::FileSizeOf(ScratchFile("")), std::nullopt);
}

TEST(DriveInfo, TheRootOfAPathsDrive) {
  struct {
    const char* path;
    const char* root;
  } cases[] = {
      {"C:\\Music\\a.mp3", "C:\\"},      {"d:song.ogg", "d:\\"},
      {"\\\\server\\share\\dir\\a.mp3", "\\\\server\\share\\"},
      {"\\\\server\\share", "\\\\server\\share\\"},
      {"//server/share/a.mp3", "//server/share\\"},
      {"\\\\server", ""},                 {"\\Music\\a.mp3", ""},
      {"relative.mp3", ""},              {"1:\\x", ""},
      // Marked paths: the drive follows the marker; a share the code page cannot hold stays marked.
      {"\x01" "D:\\\xD0\x96.mp3", "D:\\"},
      {"\x01\\\\\xD0\x96\\share\\a.mp3", "\x01\\\\\xD0\x96\\share\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(DriveRootOf(c.path), c.root) << c.path;
}

TEST(DriveInfo, TheTestFilesLieOnAFixedDisk) {
  EXPECT_EQ(platform::DriveTypeOf(DriveRootOf(ScratchFile("file-source.bin"))), DriveType::Fixed);
}

}  // namespace
}  // namespace nv
