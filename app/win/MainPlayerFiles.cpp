// What brings files to the main form and takes its list away: the open dialog, the save dialog, another instance's
// hand-over and files dropped on the window.
#include <windows.h>
#include <shlobj.h>

#include "app/AppConstants.h"
#include "app/HandOverText.h"
#include "app/SavePlaylistName.h"
#include "app/win/CommandLog.h"
#include "app/win/MainPlayerFm.h"
#include "playlist/CommonTitle.h"
#include "resources/StringIds.h"
#include "support/ui/win/Application.h"
#include "support/ui/win/Resources.h"
#include "support/win/Files.h"
#include "support/win/WideText.h"

namespace nv {

namespace {

std::vector<std::string> HeldTexts(const std::vector<std::wstring>& names) {
  std::vector<std::string> held;
  held.reserve(names.size());
  for (const std::wstring& name : names) held.push_back(WideToMarked(name));
  return held;
}

void LogFiles(const char* kind, bool clear, const std::vector<std::string>& files) {
  std::string line = std::string(kind) + (clear ? "\tclear" : "\tappend");
  for (const std::string& file : files) line += '\t' + file;
  LogCommand(line);
}

}  // namespace

// The patterns of the player's extensions. The dialog is given no default extension: the pattern list is not one,
// and a name typed without an extension is looked for as typed.
void TMainPlayerFm::RebuildOpenFilter() {
  openDlg_.Filter = ResourceString(IDS_OPEN_ALL_SUPPORTED) + L"|" + ToWide(player_.GetFileFilter()) + L"|" +
                    ResourceString(IDS_OPEN_ALL_FILES) + L"|*.*";
  openDlg_.DefaultExt.clear();
  openDlg_.MultiSelect = true;
  openDlg_.FileMustExist = true;
  openDlg_.PathMustExist = true;
  openDlg_.AllowUrl = true;
  openDlg_.FolderCheckBox = ResourceString(IDS_OPEN_FOLDER_BOX);
  openDlg_.FolderTest = [this](const std::wstring& folder) {
    return player_.PlayList().FolderHasMedia(WideToMarked(folder));
  };
  saveDlg_.Filter = ResourceString(IDS_SAVE_PLAYLIST_FILTER);
  saveDlg_.DefaultExt = L"m3u";
  saveDlg_.DefaultExtFollowsFilter = true;
  saveDlg_.OverwritePrompt = true;
  saveDlg_.PathMustExist = true;
}

void TMainPlayerFm::OpenMedia(bool clear) {
  openDlg_.FileName.clear();
  if (!openDlg_.Execute(App().Handle())) return;
  std::vector<std::string> files;
  for (const ChosenFile& chosen : openDlg_.Files) files.push_back(WideToMarked(chosen.path));
  player_.PlayList().AddFiles(files, clear, true);
}

void TMainPlayerFm::SavePlaylist() {
  TXPlayerPlayList& list = player_.PlayList();
  std::string title;
  if (list.FileName().empty()) {
    std::vector<const TXPlayListItem*> items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(&list.Items(i));
    title = CommonTitle(items);
  }
  if (!saveDlg_.InitialDir.empty()) CreateFolders(saveDlg_.InitialDir);
  saveDlg_.FileName =
      MarkedToWide(ProposedPlaylistName(list.FileName(), title, WideToMarked(saveDlg_.InitialDir)));
  if (!saveDlg_.Execute(App().Handle())) return;
  const std::string fileName = WideToMarked(saveDlg_.FileName);
  // A name of another kind than the playlist types ("list.txt") is written as M3U.
  if (list.SaveToFile(fileName, false, TXPlayListFormat::pfAuto) == TPlayListFileResult::pfrUnknownFormat)
    list.SaveToFile(fileName, false, TXPlayListFormat::pfM3U);
  SHChangeNotify(SHCNE_CREATE, SHCNF_PATHW | SHCNF_FLUSH, saveDlg_.FileName.c_str(), nullptr);
}

// Another instance's files. Any process may send this: it is read within cbData only, and an empty text changes
// nothing. Files that replace the list are played.
void TMainPlayerFm::HandOver(const COPYDATASTRUCT* data) {
  if (data == nullptr || data->cbData == 0 || data->lpData == nullptr) return;
  const std::vector<std::string> files =
      HandOverLines(std::string_view(static_cast<const char*>(data->lpData), data->cbData));
  if (files.empty()) return;
  const bool clear = data->dwData == kHandOverReplace;
  LogFiles("files", clear, files);
  player_.PlayList().AddFiles(files, clear, false);
  if (clear) PostMessageW(Handle(), WM_PLAYERCOMMAND, kCommandPlay, 0);
}

// Dropped files replace the list and play; with Shift held they are added to it. The key is read as it is now:
// the drag came from another program, which had the keyboard.
void TMainPlayerFm::DropFiles(const DroppedFiles& files) { FilesDropped(files.names); }

void TMainPlayerFm::FilesDropped(const std::vector<std::wstring>& files) {
  const bool clear = GetAsyncKeyState(VK_SHIFT) >= 0;
  const std::vector<std::string> names = HeldTexts(files);
  LogFiles("drop", clear, names);
  player_.PlayList().AddDropFiles(names, clear, true);
}

}  // namespace nv
