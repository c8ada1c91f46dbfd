#pragma once
// What the start-up sequence (PlayerStartup.h) asks of the system, one step at a time. The Windows layer
// implements it; tests implement it to follow the sequence.
#include <cstdint>
#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace nv {

// A window of this or another process, as a number that can cross process boundaries.
using WindowId = std::uintptr_t;

// What the new player window starts with.
struct PlayerStart {
  std::vector<std::string> files;    // from the command line
  bool clear = true;                 // the files replace the playlist, unless "/enqueue"
  bool loadDefaultPlaylist = false;  // no files and no "/emptyplaylist": the saved "Now playing", if the list is empty
  bool operator==(const PlayerStart&) const = default;
};

class StartupHost {
public:
  virtual ~StartupHost() = default;

  // Maintenance runs.
  virtual void RunInstall() = 0;          // does nothing when the process would need elevation for it
  virtual void RunUninstall() = 0;        // likewise
  virtual void RegisterFileTypes() = 0;

  // Checks before anything is shown.
  virtual bool IsElevatedStart() = 0;     // a fully elevated token outside Wine
  virtual bool FindTaskbar() = 0;
  // Raises ESkinError "Default skin corrupted." when the program has no default skin (or the system's error when
  // the program file cannot be read).
  virtual void CheckDefaultSkin() = 0;
  virtual void AdviseTaskbarAlwaysOnTop() = 0;
  virtual bool InstallCommandLineSkin(const CommandLine& commandLine) = 0;  // true when the current skin changed

  // Instance identity and the hand-over to a running player.
  virtual bool InstanceAtomExists() = 0;
  virtual void AddInstanceAtom() = 0;
  virtual void DeleteInstanceAtom() = 0;
  virtual WindowId FindPlayerWindow() = 0;  // 0 when there is none
  virtual void Sleep(unsigned milliseconds) = 0;
  virtual void PostPlayerCommand(WindowId window, unsigned code) = 0;
  virtual void SendFiles(WindowId window, const std::vector<std::string>& files, bool append) = 0;

  // The primary instance.
  virtual void InitialiseApplication() = 0;
  virtual bool ConnectTrayExtension() = 0;
  virtual void DisconnectTrayExtension() = 0;
  virtual bool NeedsElevation() = 0;
  virtual void StartElevatedInstall() = 0;  // "/install" elevated, waited for
  virtual void CreatePlayerWindow(const PlayerStart& start) = 0;
  virtual void CheckFileTypesOnStart() = 0;
  virtual void ShowPlayerWindow() = 0;
  virtual void ShowExpandedPlayer() = 0;
  virtual void SendPlayerCommand(unsigned code) = 0;  // to its own window, before the message loop
  virtual std::size_t PlaylistCount() = 0;
  virtual void Play() = 0;
  virtual void TrimWorkingSet() = 0;
  virtual void RunMessageLoop() = 0;
  virtual void DestroyPlayerWindow() = 0;

  // The application's exception handler: shows the message.
  virtual void ShowError(const std::string& message) = 0;
};

}  // namespace nv
