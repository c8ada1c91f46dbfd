// Whole files: read at once, and replaced through a temporary file so that the old content survives anything
// that stops the writing before the rename.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "support/Errors.h"
#include "support/FileContent.h"
#include "support/MarkedText.h"
#include "tests/common/TestPaths.h"

#ifdef _WIN32
#include "support/win/WideText.h"
#include "tests/common/win/WineTestEnv.h"
#endif

namespace nv {
namespace {

namespace fs = std::filesystem;

// A scratch folder in the build tree whose name the code page cannot hold.
class FileContent : public ::testing::Test {
protected:
  void SetUp() override {
    const std::string unixPath = test::BinaryDir() + "/tests/support";
#ifdef _WIN32
    root_ = fs::path(test::UnixToWindowsPath(unixPath)) / L"content-\u0416\u66F2";
#else
    root_ = fs::path(unixPath) / fs::u8path("content-\xD0\x96\xE6\x9B\xB2");
#endif
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  // The file's path as the program holds it.
  std::string Held(const char* name) const {
#ifdef _WIN32
    return WideToMarked((root_ / name).wstring());
#else
    return Utf8ToMarked((root_ / name).string());  // file names are UTF-8 here
#endif
  }
  std::string Content(const char* name) const {
    std::ifstream in(root_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Exists(const char* name) const { return fs::exists(root_ / name); }

  fs::path root_;
};

TEST_F(FileContent, WritesAndReadsWholeFiles) {
  const std::string bytes("line one\r\n\0\xFF zero and high bytes\r\n", 34);
  platform::WriteFileReplacing(Held("a.m3u"), bytes);
  EXPECT_EQ(Content("a.m3u"), bytes);
  EXPECT_EQ(platform::ReadFileBytes(Held("a.m3u")), bytes);
  platform::WriteFileReplacing(Held("a.m3u"), "shorter");
  EXPECT_EQ(platform::ReadFileBytes(Held("a.m3u")), "shorter");
  EXPECT_FALSE(Exists("a.m3u.tmp")) << "the temporary file took the old one's place";
  platform::WriteFileReplacing(Held("empty"), "");
  EXPECT_EQ(platform::ReadFileBytes(Held("empty")), "");
}

TEST_F(FileContent, TheOldContentSurvivesAWriteStoppedBeforeTheRename) {
  platform::WriteFileReplacing(Held("a.m3u"), "old");
  std::string seen;
  EXPECT_THROW(platform::WriteFileReplacing(Held("a.m3u"), "new content",
                                            [&] {
                                              seen = Content("a.m3u.tmp");
                                              throw std::runtime_error("stopped");
                                            }),
               std::runtime_error);
  EXPECT_EQ(seen, "new content") << "complete and flushed before the rename";
  EXPECT_EQ(Content("a.m3u"), "old");
  EXPECT_FALSE(Exists("a.m3u.tmp")) << "a failed write leaves no temporary file";
}

TEST_F(FileContent, FailuresRaiseTheSystemsError) {
  EXPECT_THROW(platform::ReadFileBytes(Held("missing.m3u")), EWin32Error);
  EXPECT_THROW(platform::ReadFileBytes(Held("")), EWin32Error) << "a folder is no file";
  EXPECT_THROW(platform::WriteFileReplacing(Held("no folder\\a.m3u"), "x"), EWin32Error);
  EXPECT_FALSE(Exists("no folder"));
}

}  // namespace
}  // namespace nv
