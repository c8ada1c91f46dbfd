#pragma once
// The per-user data folder (the application-data shell folder + "\Norvale") and the fixed names around it and the
// program folder. Paths the user may keep inside the data folder are stored relative to it.
#include <string>
#include <string_view>

namespace nv {

inline constexpr char kDataFolderName[] = "Norvale";
inline constexpr char kDefaultPlaylistName[] = "Norvale.m3u";
inline constexpr char kBookmarksPlaylistName[] = "Bookmarks.m3u";
inline constexpr char kPlaylistFolderName[] = "My Playlists";
inline constexpr char kLocalVersionFileName[] = "version.info";
inline constexpr char kWinampPluginsFolderName[] = "WinAmp plugins";

// A path without a drive is taken relative to the data folder; others stay as they are. Held text in and out.
std::string MakeDataPathAbsolute(std::string_view path, std::string_view dataFolder);
// A path inside the data folder becomes the part after it, without a trailing delimiter; others stay whole.
std::string MakeDataPathRelative(std::string_view path, std::string_view dataFolder);

// The command line of the autorun entry: the program path in double quotes, a blank and "/showminimized".
std::string AutorunCommand(std::string_view programPath);

}  // namespace nv
