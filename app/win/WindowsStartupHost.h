#pragma once
// The start-up sequence's steps on Windows. The player window is the strip, TPlayerTrayFm, with the main player
// form behind it.
#include <windows.h>

#include <memory>

#include "app/StartupHost.h"
#include "ui/win/PlayerTrayFm.h"

namespace nv {

class WindowsStartupHost final : public StartupHost {
public:
  WindowsStartupHost();
  ~WindowsStartupHost() override;
  WindowsStartupHost(const WindowsStartupHost&) = delete;
  WindowsStartupHost& operator=(const WindowsStartupHost&) = delete;

  void RunInstall() override;
  void RunUninstall() override;
  void RegisterFileTypes() override;
  bool IsElevatedStart() override;
  bool FindTaskbar() override;
  void CheckDefaultSkin() override;
  void AdviseTaskbarAlwaysOnTop() override;
  bool InstallCommandLineSkin(const CommandLine& commandLine) override;
  bool InstanceAtomExists() override;
  void AddInstanceAtom() override;
  void DeleteInstanceAtom() override;
  WindowId FindPlayerWindow() override;
  void Sleep(unsigned milliseconds) override;
  void PostPlayerCommand(WindowId window, unsigned code) override;
  void SendFiles(WindowId window, const std::vector<std::string>& files, bool append) override;
  void InitialiseApplication() override;
  bool ConnectTrayExtension() override;
  void DisconnectTrayExtension() override;
  bool NeedsElevation() override;
  void StartElevatedInstall() override;
  void CreatePlayerWindow(const PlayerStart& start) override;
  void CheckFileTypesOnStart() override;
  void ShowPlayerWindow() override;
  void ShowExpandedPlayer() override;
  void SendPlayerCommand(unsigned code) override;
  std::size_t PlaylistCount() override;
  void Play() override;
  void TrimWorkingSet() override;
  void RunMessageLoop() override;
  void DestroyPlayerWindow() override;
  void ShowError(const std::string& message) override;

private:
  HWND taskbar_ = nullptr;
  ATOM atom_ = 0;
  bool oleInitialised_ = false;
  std::unique_ptr<TPlayerTrayFm> window_;
};

// The program's entry: the command line of this process through the start-up sequence.
int RunPlayerProgram();

}  // namespace nv
