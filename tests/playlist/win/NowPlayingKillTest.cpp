// The "Now playing" list survives the player being killed while it saves: the process is killed after the new list
// is written and flushed and before it replaces the old one; the old list is whole and restores as it was saved.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <windows.h>

#include "playlist/NowPlayingFile.h"
#include "support/win/UniqueHandle.h"
#include "support/win/WideText.h"
#include "tests/common/TestPaths.h"
#include "tests/common/win/WineTestEnv.h"
#include "tests/playlist/PlayListFakes.h"
#include "tests/playlist/PlayListFileFakes.h"

namespace nv {
namespace {

namespace fs = std::filesystem;
using test::Describe;
using test::FakePlayer;

std::string Content(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(NowPlayingKill, TheOldListSurvivesAKillBetweenWritingAndRenaming) {
  const fs::path folder = fs::path(test::UnixToWindowsPath(test::BinaryDir() + "/tests/playlist")) /
                          (L"data-\u0416-" + std::to_wstring(GetCurrentProcessId()));
  fs::create_directories(folder);
  const fs::path file = folder / L"Norvale.m3u";
  const std::string held = WideToMarked(file.wstring());

  FakePlayer player;
  TXPlayerPlayList list(player);
  for (const char16_t* name : {u"C:\\Music\\old one.mp3", u"C:\\\u041C\u0443\u0437\u044B\u043A\u0430\\old \u66F2.mp3",
                               u"http://radio/old"})
    list.AddEntry(Utf16ToMarked(name));
  list.PlayIndex(1, false, TSetCurrentMode::smNormal);
  ASSERT_TRUE(TNowPlayingFile(held).Save(list));
  const std::string saved = Content(file);

  const std::wstring helper = test::UnixToWindowsPath(test::BinaryDir() + "/tests/playlist/save_until_killed.exe");
  std::wstring commandLine = L"\"" + helper + L"\" \"" + file.wstring() + L"\" 500";
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(helper.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process));
  const UniqueHandle processHandle(process.hProcess), threadHandle(process.hThread);
  const bool written = test::WaitForFile(file.wstring() + L".written", 120000);
  TerminateProcess(process.hProcess, 9);
  WaitForSingleObject(process.hProcess, 10000);
  ASSERT_TRUE(written) << "the helper never reached the rename";

  const std::string unfinished = Content(file.wstring() + L".tmp");
  EXPECT_TRUE(unfinished.starts_with("#EXTM3U\r\n") && unfinished.ends_with(".mp3\r\n"))
      << "the new list was written whole before the kill";
  EXPECT_EQ(Content(file), saved) << "the old list is untouched";
  FakePlayer restoredPlayer;
  TXPlayerPlayList restored(restoredPlayer);
  TNowPlayingFile nowPlaying(held);
  EXPECT_EQ(nowPlaying.Restore(restored), TNowPlayingState::nsRestored);
  EXPECT_EQ(Describe(restored), Describe(list));

  // The next save goes over what the killed one left.
  restored.AddEntry("C:\\Music\\new.mp3");
  EXPECT_TRUE(nowPlaying.Save(restored));
  EXPECT_FALSE(fs::exists(file.wstring() + L".tmp"));
  FakePlayer finalPlayer;
  TXPlayerPlayList last(finalPlayer);
  EXPECT_EQ(TNowPlayingFile(held).Restore(last), TNowPlayingState::nsRestored);
  EXPECT_EQ(last.Count(), 4);
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

}  // namespace
}  // namespace nv
