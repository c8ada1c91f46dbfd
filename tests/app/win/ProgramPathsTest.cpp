// Where the program keeps things: its registry key is named after the program file, the data folder is made
// when it is asked for, and the fixed names sit where they belong.
#include <windows.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "app/win/ProgramPaths.h"
#include "support/win/ApplicationRegIni.h"

namespace nv {
namespace {

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(ProgramPaths, TheStoreIsNamedAfterTheProgramFile) {
  EXPECT_EQ(ApplicationRegIni().ApplicationKey(), "Software\\test_app_program_paths");
  EXPECT_TRUE(ApplicationRegIni().SectionExists("")) << "opened means created";
  ApplicationRegIni().EraseSection("");
}

TEST(ProgramPaths, TheDataFolderIsMadeWhenAskedFor) {
  wchar_t appData[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH), 0u);
  const std::wstring folder = DataFolder();
  EXPECT_EQ(folder, std::wstring(appData) + L"\\Norvale");
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_EQ(DefaultPlaylistFile(), folder + L"\\Norvale.m3u");
  EXPECT_EQ(BookmarksPlaylistFile(), folder + L"\\Bookmarks.m3u");
}

TEST(ProgramPaths, FixedNamesBesideTheProgramAndInTheMusicFolder) {
  const std::wstring program = ProgramFolder();
  EXPECT_TRUE(EndsWith(ProgramPath(), L"\\test_app_program_paths.exe"));
  EXPECT_EQ(ProductProfilePath(), program + L"\\Norvale.profile");
  EXPECT_EQ(LocalVersionFile(), program + L"\\version.info");
  EXPECT_EQ(WinampPluginsFolder(), program + L"\\WinAmp plugins");
  const std::wstring playlists = DefaultPlaylistFolder();
  EXPECT_TRUE(EndsWith(playlists, L"\\My Playlists")) << std::filesystem::path(playlists).string();
  EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(playlists).parent_path()));
}

}  // namespace
}  // namespace nv
