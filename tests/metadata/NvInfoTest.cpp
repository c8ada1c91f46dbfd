// nvinfo: the JSON line it prints for each test medium matches the expectations table
// (tests/metadata/nvinfo-expected.jsonl, one line per file of the fixture corpus).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "metadata/tools/InfoReport.h"
#include "metadata/tools/JsonLine.h"
#include "tests/metadata/MediaFixtures.h"

namespace nv {
namespace {

struct Expected {
  std::string file, line;
};

std::vector<Expected> ExpectationTable() {
  std::ifstream in(NV_NVINFO_EXPECTED);
  std::vector<Expected> table;
  for (std::string line; std::getline(in, line);) {
    const std::string prefix = "{\"file\":\"";
    if (!line.starts_with(prefix)) continue;
    table.push_back({line.substr(prefix.size(), line.find('"', prefix.size()) - prefix.size()), line});
  }
  return table;
}

TEST(NvInfo, JsonStringsAreEscaped) {
  EXPECT_EQ(JsonString("plain"), "\"plain\"");
  EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(JsonString("line\nbreak\ttab\r"), "\"line\\nbreak\\ttab\\r\"");
  EXPECT_EQ(JsonString(std::string("\x01\x1F\x7F", 3)), "\"\\u0001\\u001f\\u007f\"");
  EXPECT_EQ(JsonString("\xD0\x96 UTF-8 stays"), "\"\xD0\x96 UTF-8 stays\"");
}

TEST(NvInfo, ValuesAreWrittenByTheirType) {
  JsonLine line;
  line.Value("null", AttributeValue())
      .Value("int", AttributeValue::Integer(-3))
      .Value("float", AttributeValue::Float(3029.7))
      .Value("bool", AttributeValue::Boolean(true))
      .Value("wide", AttributeValue::WideText(u"\u0416"))
      .Value("ansi", AttributeValue::AnsiText("Caf\xE9"));
  EXPECT_EQ(line.Finish(),
            "{\"null\":null,\"int\":-3,\"float\":3030,\"bool\":true,\"wide\":\"\xD0\x96\",\"ansi\":\"Caf\xC3\xA9\"}");
}

TEST(NvInfo, EveryTestMediumReadsAsExpected) {
  const std::vector<Expected> table = ExpectationTable();
  std::set<std::string> media, listed;
  for (const auto& entry : std::filesystem::directory_iterator(test::FixturePath("")))
    if (entry.path().filename().string() != ".made") media.insert(entry.path().filename().string());
  for (const Expected& e : table) listed.insert(e.file);
  EXPECT_EQ(listed, media) << "every medium has its line";
  for (const Expected& e : table) EXPECT_EQ(FileInfoJson(test::FixturePath(e.file), e.file), e.line);
}

#ifdef NV_NVINFO
// The program itself: one line per file named, in order, and exit status 1 because one file raised.
TEST(NvInfo, TheProgramPrintsALinePerFile) {
  const std::vector<Expected> table = ExpectationTable();
  std::string command = NV_NVINFO;
  for (const Expected& e : table) command += " '" + test::FixturePath(e.file) + "'";
  FILE* out = popen(command.c_str(), "r");
  ASSERT_NE(out, nullptr);
  std::vector<std::string> lines;
  char buffer[8192];
  while (std::fgets(buffer, sizeof buffer, out)) lines.emplace_back(buffer);
  const int status = pclose(out);
  EXPECT_EQ(WEXITSTATUS(status), 1);
  ASSERT_EQ(lines.size(), table.size());
  const std::string folder = test::FixturePath("");
  for (std::size_t i = 0; i < table.size(); ++i) {
    std::string line = lines[i];
    line.erase(line.find(folder), folder.size());
    EXPECT_EQ(line, table[i].line + "\n");
  }
  EXPECT_EQ(WEXITSTATUS(pclose(popen((std::string(NV_NVINFO) + " 2>/dev/null").c_str(), "r"))), 2) << "no file";
  EXPECT_EQ(WEXITSTATUS(pclose(popen((std::string(NV_NVINFO) + " --what 2>/dev/null").c_str(), "r"))), 2);
}
#endif

}  // namespace
}  // namespace nv
