#pragma once
// Where the player's files are: the program folder (the product profile, the version file, the Winamp plug-ins)
// and the per-user data folder (the "Now playing" list, bookmarks, skins).
#include <string>

namespace nv {

std::wstring ProgramPath();
std::wstring ProgramFolder();  // without a trailing delimiter
// The application-data shell folder + "\Norvale", created (with its parents) whenever it is asked for.
std::wstring DataFolder();
std::wstring DefaultPlaylistFile();    // "Norvale.m3u" in the data folder
std::wstring BookmarksPlaylistFile();  // "Bookmarks.m3u" in the data folder
// "My Playlists" in the user's music folder (created when missing), else in the documents folder, else in the
// program folder.
std::wstring DefaultPlaylistFolder();
// The My media settings' playlist folder: the stored "Playlist folder" of "Preferences\My media" (empty: none),
// the default playlist folder when nothing is stored. (The My media options take it over when they exist.)
std::wstring MyMediaPlaylistFolder();
std::wstring LocalVersionFile();     // "version.info" in the program folder
std::wstring WinampPluginsFolder();  // "WinAmp plugins" in the program folder
std::wstring ProductProfilePath();   // "Norvale.profile" in the program folder

}  // namespace nv
