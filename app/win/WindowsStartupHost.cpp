#include "app/win/WindowsStartupHost.h"

#include <ole2.h>
#include <shellapi.h>

#include "app/AppConstants.h"
#include "app/CommandLineSkin.h"
#include "app/HandOverText.h"
#include "app/PlayerStartup.h"
#include "app/QuestionAnswers.h"
#include "app/win/CommandLog.h"
#include "app/win/InstallRun.h"
#include "app/win/ProgramPaths.h"
#include "app/win/QuestionDialog.h"
#include "app/win/SkinFiles.h"
#include "app/win/TrayExtClient.h"
#include "playlist/PlayListFormats.h"
#include "skins/win/DefaultSkin.h"
#include "support/ui/win/Application.h"
#include "support/win/ApplicationRegIni.h"
#include "support/win/SystemInfo.h"
#include "support/win/WideText.h"

namespace nv {

WindowsStartupHost::WindowsStartupHost() = default;

WindowsStartupHost::~WindowsStartupHost() {
  DestroyPlayerWindow();
  if (oleInitialised_) OleUninitialize();
}

void WindowsStartupHost::RunInstall() {
  if (NeedsElevation()) return;
  nv::RunInstall();
}

void WindowsStartupHost::RunUninstall() {
  if (NeedsElevation()) return;
  nv::RunUninstall();
}

void WindowsStartupHost::RegisterFileTypes() {
  // Re-registering the media file types belongs to the file-type module, which joins here when it exists.
}

bool WindowsStartupHost::IsElevatedStart() {
  // Wine reports every token as fully elevated, and people do run players under Wine: there it is no reason to
  // stop.
  return CurrentWindowsVersion() >= kWindowsVista && !IsWineHost() && IsProcessFullyElevated();
}

bool WindowsStartupHost::FindTaskbar() {
  taskbar_ = FindWindowW(kTaskbarWindowClass, nullptr);
  return taskbar_ != nullptr;
}

void WindowsStartupHost::CheckDefaultSkin() { nv::CheckDefaultSkin(); }

void WindowsStartupHost::AdviseTaskbarAlwaysOnTop() {
  if (CurrentWindowsVersion() >= kWindows7 || (GetTaskbarState(taskbar_) & ABS_ALWAYSONTOP)) return;
  MessageDlgRemembered(ApplicationRegIni(), taskbar_, kTaskbarNotOnTopMessage, mtInformation, mbOK,
                       kTaskbarNotOnTopHelpContext, kQuestionsSection, kTaskbarNotOnTopQuestion, false, 0);
}

bool WindowsStartupHost::InstallCommandLineSkin(const CommandLine& commandLine) {
  if (!commandLine.SkinPackageParam()) return false;
  WindowsSkinFiles files;
  return nv::InstallCommandLineSkin(commandLine, ApplicationRegIni(), WideToMarked(DataFolder()), files);
}

bool WindowsStartupHost::InstanceAtomExists() {
  atom_ = GlobalFindAtomW(kInstanceAtomName);
  return atom_ != 0;
}

void WindowsStartupHost::AddInstanceAtom() { atom_ = GlobalAddAtomW(kInstanceAtomName); }

void WindowsStartupHost::DeleteInstanceAtom() {
  if (atom_ != 0) GlobalDeleteAtom(atom_);
  atom_ = 0;
}

WindowId WindowsStartupHost::FindPlayerWindow() {
  return reinterpret_cast<WindowId>(FindWindowExW(taskbar_, nullptr, kPlayerWindowClass, nullptr));
}

void WindowsStartupHost::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

void WindowsStartupHost::PostPlayerCommand(WindowId window, unsigned code) {
  PostMessageW(reinterpret_cast<HWND>(window), WM_PLAYERCOMMAND, code, 0);
}

void WindowsStartupHost::SendFiles(WindowId window, const std::vector<std::string>& files, bool append) {
  std::string block = HandOverBlock(files);
  COPYDATASTRUCT data{};
  data.dwData = append ? kHandOverAppend : kHandOverReplace;
  data.cbData = static_cast<DWORD>(block.size());
  data.lpData = block.data();
  SendMessageW(reinterpret_cast<HWND>(window), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

void WindowsStartupHost::InitialiseApplication() {
  SetErrorMode(SEM_FAILCRITICALERRORS);
  oleInitialised_ = SUCCEEDED(OleInitialize(nullptr));
  App().SetTitle(kApplicationTitle);
  SetPlayListFileFormats(&SystemPlayListFormats());
}

bool WindowsStartupHost::ConnectTrayExtension() { return ConnectTrayExt(true); }
void WindowsStartupHost::DisconnectTrayExtension() { ConnectTrayExt(false); }

bool WindowsStartupHost::NeedsElevation() {
  return CurrentWindowsVersion() >= kWindowsVista && !IsProcessElevated();
}

void WindowsStartupHost::StartElevatedInstall() {
  RunElevatedAndWait(ProgramPath(), L"/install", kElevatedInstallWaitMs);
}

void WindowsStartupHost::CreatePlayerWindow(const PlayerStart& start) {
  window_ = std::make_unique<TPlayerTrayFm>(taskbar_, MainPlayerSetup{start, DefaultPlaylistFile()});
  App().SetMainForm(window_.get());
}

void WindowsStartupHost::CheckFileTypesOnStart() {
  // The file-type module checks its registrations here when "Check types on start" is set.
}

void WindowsStartupHost::ShowPlayerWindow() {
  window_->ShowNoActivate();
  LogCommand("show");
  App().ProcessMessages();
}

void WindowsStartupHost::ShowExpandedPlayer() {
  LogCommand("show expanded");
  window_->ShowExpandedPlayer();
}

void WindowsStartupHost::SendPlayerCommand(unsigned code) {
  SendMessageW(window_->Handle(), WM_PLAYERCOMMAND, code, 0);
}

std::size_t WindowsStartupHost::PlaylistCount() { return window_->Player().PlayList().Count(); }

void WindowsStartupHost::Play() {
  LogCommand("play");
  window_->MainActions().Find("aPlay")->Execute();
}

void WindowsStartupHost::TrimWorkingSet() {
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

void WindowsStartupHost::RunMessageLoop() {
  LogCommand("ready");
  App().Run();
}

void WindowsStartupHost::DestroyPlayerWindow() {
  App().SetMainForm(nullptr);
  window_.reset();
}

void WindowsStartupHost::ShowError(const std::string& message) { App().ShowError(message); }

int RunPlayerProgram() {
  WindowsStartupHost host;
  return RunPlayerProgram(CommandLine::FromWide(ToUtf16(GetCommandLineW()), ToUtf16(ProgramPath())), host);
}

}  // namespace nv
