#pragma once
// The system's open and save dialogs as the program uses them, each run as a modal loop of the program
// (RunForeignModal: counted, the other windows disabled, idle processing kept alive).
//
// The open dialog may choose many files, returns paths of any length, and can carry two extras:
//   - AllowUrl: the "File name:" label becomes a drop-down with "File name:" and "URL:". With "URL:" the selection and
//     the name are cleared, the folder box and the file types are disabled, and OK gives the trimmed text of the name
//     field as the result, with "http://" in front when it has no "://".
//   - FolderCheckBox: a check box below the standard controls ("Play whole folders containing media"). When it is
//     checked and OK is pressed with items selected in the list, and a selected folder passes FolderTest, the
//     dialog ends with every selected item (folders marked) as its result.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace nv {

struct ChosenFile {
  std::wstring path;
  bool isFolder = false;
  friend bool operator==(const ChosenFile&, const ChosenFile&) = default;
};

class OpenFileDialog {
public:
  std::wstring Title;
  // Descriptions and patterns in turn, separated by "|": "All supported types|*.mp3;*.wav|All files|*.*".
  std::wstring Filter;
  int FilterIndex = 1;
  std::wstring DefaultExt;
  std::wstring InitialDir;  // after a run that chose files: the folder of the first one
  std::wstring FileName;    // proposed in the name field
  bool MultiSelect = false;
  bool FileMustExist = true;
  bool PathMustExist = true;

  bool AllowUrl = false;
  std::wstring FolderCheckBox;  // the check box's caption; empty: no check box
  bool FolderChecked = false;   // in: how it starts; out: how it was left
  std::function<bool(const std::wstring& folder)> FolderTest;

  // Runs the dialog owned by `owner`; false when it was cancelled.
  bool Execute(HWND owner);

  std::vector<ChosenFile> Files;  // full paths, or the address when IsUrl
  bool IsUrl = false;

private:
  class Session;
};

class SaveFileDialog {
public:
  std::wstring Title;
  std::wstring Filter;
  int FilterIndex = 1;  // in and out: the file type chosen
  std::wstring DefaultExt;  // without a dot ("m3u"): added to a name typed without an extension
  // The default extension becomes that of the file type the user picks ("PLS Playlist|*.pls": "pls"), so that
  // the name gets the extension of the type chosen; a type of many or any extensions keeps the last one.
  bool DefaultExtFollowsFilter = false;
  std::wstring InitialDir;
  std::wstring FileName;  // in: proposed; out: the full path chosen
  bool OverwritePrompt = true;
  bool PathMustExist = true;

  bool Execute(HWND owner);
};

// The extension a filter's pattern gives a file name ("*.pls": "pls"); empty for "*.*", "*" or several patterns.
std::wstring PatternExtension(std::wstring_view pattern);

// The address an entered text stands for: trimmed, with "http://" in front when it names no protocol.
std::wstring UrlFromEnteredText(std::wstring_view text);

}  // namespace nv
