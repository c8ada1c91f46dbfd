// nvinfo --playlist: the entries the player would load from each playlist fixture (tests/data/playlist, the fuzz
// seeds too) match the expectations table, nvinfo-playlist-expected.jsonl, where "<fixtures>" stands for the
// fixtures' folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "metadata/tools/JsonLine.h"
#include "metadata/tools/PlayListReport.h"
#include "playlist/PlayListFormats.h"
#include "playlist/PlayListPaths.h"
#include "support/MarkedText.h"
#include "tests/common/TestPaths.h"

#ifdef _WIN32
#include "tests/common/win/WineTestEnv.h"
#endif

namespace nv {
namespace {

const char* const kFixtures[] = {"m3u/extended.m3u", "m3u/after.m3u",  "m3u/unicode.m3u8", "m3u/marked.m3u",
                                 "m3u/streaming.m3u8", "pls/gap.pls",  "pls/marked.pls",   "pls/utf16.pls",
                                 "cue/album.cue",    "missing.m3u",    "cue/album.flac"};

// The fixtures' folder as the program holds it.
std::string FixtureFolder() {
  const std::string unixPath = test::TestDataDir() + "/playlist";
#ifdef _WIN32
  return Utf8ToMarked(test::UnixToWindowsPathA(unixPath));
#else
  return Utf8ToMarked(unixPath);
#endif
}

// The folder as it appears in a resolved path written as JSON.
std::string FolderInJson() {
  const std::string json = JsonString(Utf16ToUtf8(NormalisePath(MarkedToUtf16(FixtureFolder()))) + "\\");
  return json.substr(1, json.size() - 2);
}

std::vector<std::string> ExpectedLines() {
  std::ifstream in(NV_PLAYLIST_EXPECTED);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) lines.push_back(line);
  return lines;
}

std::string WithPlaceholder(std::string line) {
  const std::string folder = FolderInJson();
  for (std::size_t at = line.find(folder); at != std::string::npos; at = line.find(folder, at))
    line.replace(at, folder.size(), "<fixtures>\\\\");
  return line;
}

TEST(NvInfoPlayList, EveryFixtureReadsAsExpected) {
  SetPlayListFileFormats(&SystemPlayListFormats());
  std::vector<std::string> lines;
  for (const char* fixture : kFixtures)
    for (const std::string& line : PlayListEntriesJson(FixtureFolder() + "\\" + fixture, fixture))
      lines.push_back(WithPlaceholder(line));
  SetPlayListFileFormats(nullptr);
  EXPECT_EQ(lines, ExpectedLines());
}

#ifdef NV_NVINFO
// The program itself, natively: the same lines, and exit status 1 because two files could not be read.
TEST(NvInfoPlayList, TheProgramPrintsALinePerEntry) {
  std::string command = std::string(NV_NVINFO) + " --playlist";
  for (const char* fixture : kFixtures) command += std::string(" '") + fixture + "'";
  FILE* out = popen(("cd '" + test::TestDataDir() + "/playlist' && " + command).c_str(), "r");
  ASSERT_NE(out, nullptr);
  std::vector<std::string> lines;
  char buffer[8192];
  while (std::fgets(buffer, sizeof buffer, out)) {
    std::string line = buffer;
    if (line.ends_with('\n')) line.pop_back();
    lines.push_back(WithPlaceholder(line));
  }
  EXPECT_EQ(WEXITSTATUS(pclose(out)), 1);
  EXPECT_EQ(lines, ExpectedLines());
}
#endif

}  // namespace
}  // namespace nv
