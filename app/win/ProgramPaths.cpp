#include "app/win/ProgramPaths.h"

#include <windows.h>
#include <shlobj.h>

#include "app/DataPaths.h"
#include "app/PreferenceAccess.h"
#include "support/win/ApplicationRegIni.h"
#include "support/PathNames.h"
#include "support/ProductProfile.h"
#include "support/win/Files.h"
#include "support/win/ModulePath.h"
#include "support/win/WideText.h"

namespace nv {

namespace {

std::wstring InFolder(const std::wstring& folder, const char* name) {
  return ToWide(JoinPath(ToUtf16(folder), MarkedToUtf16(name)));
}

// A shell folder's path; empty when the system has none.
std::wstring ShellFolder(int csidl, bool create) {
  wchar_t path[MAX_PATH] = {};
  return SHGetSpecialFolderPathW(nullptr, path, csidl, create) ? std::wstring(path) : std::wstring();
}

}  // namespace

std::wstring ProgramPath() { return ModuleFileName(); }

std::wstring ProgramFolder() { return ToWide(ExtractFileDir(ToUtf16(ProgramPath()))); }

std::wstring DataFolder() {
  const std::wstring folder = InFolder(ShellFolder(CSIDL_APPDATA, true), kDataFolderName);
  CreateFolders(folder);
  return folder;
}

std::wstring DefaultPlaylistFile() { return InFolder(DataFolder(), kDefaultPlaylistName); }
std::wstring BookmarksPlaylistFile() { return InFolder(DataFolder(), kBookmarksPlaylistName); }

std::wstring DefaultPlaylistFolder() {
  std::wstring base = ShellFolder(CSIDL_MYMUSIC, true);
  if (base.empty()) base = ShellFolder(CSIDL_PERSONAL, false);
  if (base.empty()) base = ProgramFolder();
  return InFolder(base, kPlaylistFolderName);
}

std::wstring MyMediaPlaylistFolder() {
  const TXRegIniFile& store = ApplicationRegIni();
  const std::string section = PreferenceSection("My media");
  if (store.ValueExists(section, "Playlist folder")) return MarkedToWide(store.ReadString(section, "Playlist folder", ""));
  return DefaultPlaylistFolder();
}

std::wstring LocalVersionFile() { return InFolder(ProgramFolder(), kLocalVersionFileName); }
std::wstring WinampPluginsFolder() { return InFolder(ProgramFolder(), kWinampPluginsFolderName); }
std::wstring ProductProfilePath() { return InFolder(ProgramFolder(), kProductProfileName); }

}  // namespace nv
