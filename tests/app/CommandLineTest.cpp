// The command line: tokenising the wide line, the switch in parameter 1, what the three modes make of it, and the
// hand-over text another instance sends.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/AppConstants.h"
#include "app/CommandLine.h"
#include "app/HandOverText.h"
#include "app/PlayerCommandLine.h"

namespace nv {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

TEST(CommandLine, TokenisesLikeTheSystemsParameterFunctions) {
  struct Case {
    const char16_t* line;
    std::vector<std::u16string> tokens;
  };
  const Case cases[] = {
      {u"\"C:\\Program Files\\Norvale.exe\" a.mp3 /play", {u"C:\\Program Files\\Norvale.exe", u"a.mp3", u"/play"}},
      {u"prog \"my song.mp3\"", {u"prog", u"my song.mp3"}},
      {u"prog a\"b c\"d", {u"prog", u"ab cd"}},
      {u"prog \"\" a", {u"prog", u"a"}},
      {u"prog \"\"\"\" a", {u"prog", u"a"}},
      {u"prog \"\"", {u"prog"}},
      {u"prog \"unterminated run", {u"prog", u"unterminated run"}},
      {u"  prog\ta\x01" u"b\r\nc  ", {u"prog", u"a", u"b", u"c"}},
      {u"prog \"   \"", {u"prog", u"   "}},
      {u"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::u16string(c.line)));
    EXPECT_THAT(TokenizeCommandLine(c.line), ElementsAreArray(c.tokens));
  }
}

TEST(CommandLine, AnOverlongParameterIsCut) {
  const std::u16string longName(9000, u'x');
  const auto tokens = TokenizeCommandLine(u"prog " + longName + u" next");
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[1].size(), kMaxParameterLength);
  EXPECT_EQ(tokens[2], u"next");
}

TEST(CommandLine, ParametersAreHeldTextWithTheProgramFirst) {
  const CommandLine line = CommandLine::FromWide(u"norvale \u041F.mp3 caf\u00E9.mp3", u"C:\\P\\Norvale.exe");
  EXPECT_EQ(line.Count(), 2u);
  EXPECT_EQ(line.Param(0), "C:\\P\\Norvale.exe");
  EXPECT_EQ(line.Param(1), "\x01\xD0\x9F.mp3") << "outside the code page: marked UTF-8";
  EXPECT_EQ(line.Param(2), "caf\xE9.mp3");
  EXPECT_EQ(line.Param(3), "");
}

TEST(CommandLine, ASwitchCountsOnlyAsParameterOne) {
  EXPECT_TRUE(CommandLine({"p", " /ENQUEUE\t", "a"}).SwitchIs("/enqueue"));
  EXPECT_FALSE(CommandLine({"p", "/enqueued"}).SwitchIs("/enqueue"));
  EXPECT_FALSE(CommandLine({"p", "a", "/enqueue"}).SwitchIs("/enqueue"));
  EXPECT_FALSE(CommandLine({"p"}).SwitchIs("/enqueue"));
}

TEST(CommandLine, TheFirstSkinPackageIsFound) {
  EXPECT_EQ(CommandLine({"p", "a.mp3", "C:\\x\\Blue.NVS", "b.nvs"}).SkinPackageParam(), 2u);
  EXPECT_FALSE(CommandLine({"p", "a.nvs.mp3", "C:\\x.nvs\\file"}).SkinPackageParam());
  EXPECT_FALSE(CommandLine({"p"}).SkinPackageParam());
}

TEST(PlayerCommandLine, EachModeTakesTheCommandOrTheFiles) {
  using Mode = CommandLineMode;
  struct Case {
    std::vector<std::string> params;
    Mode mode;
    std::optional<unsigned> command;
    std::vector<std::string> files;
  };
  const Case cases[] = {
      {{}, Mode::Post, std::nullopt, {}},
      {{"a.mp3", "/play"}, Mode::Post, std::nullopt, {"a.mp3"}},  // "/play" is not parameter 1
      {{"/play", "a.mp3"}, Mode::Post, kCommandPlay, {}},         // the file is ignored
      {{"/enqueue", "a.mp3", " b.mp3 "}, Mode::Post, std::nullopt, {"a.mp3", "b.mp3"}},
      {{"/preferences"}, Mode::Send, kCommandPreferences, {}},
      {{"/PAUSE"}, Mode::Send, kCommandPause, {}},
      {{"/stop"}, Mode::Collect, kCommandStop, {}},
      {{"/nexttrack"}, Mode::Post, kCommandNextTrack, {}},
      {{"/previostrack"}, Mode::Post, kCommandPreviousTrack, {}},
      {{"/quit"}, Mode::Post, kCommandClose, {}},
      {{"/emptyplaylist"}, Mode::Post, kCommandClearPlaylist, {}},
      {{"/emptyplaylist"}, Mode::Send, std::nullopt, {}},  // a starting player only skips its saved list
      {{"/emptyplaylist", "a.mp3"}, Mode::Collect, std::nullopt, {"a.mp3"}},
      {{"/showminimized"}, Mode::Send, std::nullopt, {}},
      {{"x.nvs", "a.mp3"}, Mode::Post, std::nullopt, {}},  // the skin install owns this command line
      {{"/play", "x.nvs"}, Mode::Send, std::nullopt, {}},
      {{"a.mp3", "  ", "/unknown", "http://host/stream"}, Mode::Collect, std::nullopt, {"a.mp3", "http://host/stream"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.params));
    std::vector<std::string> params{"Norvale.exe"};
    params.insert(params.end(), c.params.begin(), c.params.end());
    const PlayerCommandLine parsed = ParsePlayerCommandLine(CommandLine(params), c.mode);
    EXPECT_EQ(parsed.command, c.command);
    EXPECT_EQ(parsed.files, c.files);
  }
}

TEST(HandOverText, FilesTravelAsCrLfLinesEndedByAZero) {
  const std::string block = HandOverBlock({"a.mp3", "\x01\xD0\x9F.mp3"});
  EXPECT_EQ(block, std::string("a.mp3\r\n\x01\xD0\x9F.mp3\r\n\0", 17));
  EXPECT_THAT(HandOverLines(block), ElementsAre("a.mp3", "\x01\xD0\x9F.mp3"));
}

TEST(HandOverText, AReceivedBlockIsReadOnlyWithinItsSize) {
  struct Case {
    const char* what;
    std::string block;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"no terminating zero", "a.mp3\r\nb.mp3\r\n", {"a.mp3", "b.mp3"}},
      {"no final CR LF", "a.mp3\r\nb.mp3", {"a.mp3", "b.mp3"}},
      {"text after the zero is not read", std::string("a.mp3\r\n\0b.mp3\r\n", 15), {"a.mp3"}},
      {"bare LF", "a.mp3\nb.mp3\n", {"a.mp3", "b.mp3"}},
      {"empty lines", "\r\n\r\na.mp3\r\n\r\n", {"a.mp3"}},
      {"a lone CR at the end", "a.mp3\r", {"a.mp3"}},
      {"only a zero", std::string("\0", 1), {}},
      {"nothing", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // A copy on the heap of exactly the block's size: reading one byte beyond it is caught by the sanitizer.
    const std::unique_ptr<char[]> exact(new char[c.block.size()]);
    std::copy(c.block.begin(), c.block.end(), exact.get());
    EXPECT_EQ(HandOverLines(std::string_view(exact.get(), c.block.size())), c.lines);
  }
  EXPECT_THAT(HandOverLines(std::string_view()), IsEmpty());
}

// A block from another process may claim any size: only whole lines within the limit are taken.
TEST(HandOverText, OfAnOversizedBlockOnlyTheLinesWithinTheLimitAreRead) {
  const std::string line(999, 'x');  // with CR LF, a thousand bytes a line
  std::string block;
  while (block.size() < kMaxHandOverBytes + 5000) block += line + "\r\n";
  const std::vector<std::string> lines = HandOverLines(block);
  EXPECT_EQ(lines.size(), kMaxHandOverBytes / 1001) << "the line cut by the limit is left out";
  EXPECT_EQ(lines.back(), line);

  std::string ended = line + "\r\n" + std::string(1, '\0') + std::string(kMaxHandOverBytes, 'y');
  EXPECT_THAT(HandOverLines(ended), ElementsAre(line)) << "the text ended before the limit";
}

}  // namespace
}  // namespace nv
