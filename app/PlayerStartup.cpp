#include "app/PlayerStartup.h"

#include "app/AppConstants.h"
#include "app/PlayerCommandLine.h"
#include "support/Errors.h"

namespace nv {

bool HandOverToRunningInstance(const CommandLine& commandLine, bool skinChanged, StartupHost& host) {
  WindowId window = 0;
  for (int attempt = 1; attempt <= kPlayerWindowSearchTries; ++attempt) {
    window = host.FindPlayerWindow();
    if (window != 0) break;
    if (attempt < kPlayerWindowSearchTries) host.Sleep(kPlayerWindowSearchIntervalMs);
  }
  if (window == 0) return false;

  if (skinChanged) {
    host.PostPlayerCommand(window, kCommandReloadSkin);
    return true;
  }
  const PlayerCommandLine parsed = ParsePlayerCommandLine(commandLine, CommandLineMode::Post);
  if (parsed.command) host.PostPlayerCommand(window, *parsed.command);
  if (!parsed.files.empty()) host.SendFiles(window, parsed.files, commandLine.SwitchIs("/enqueue"));
  return true;
}

namespace {

// The primary instance from the tray extension's connection to the end of the message loop. `connected` and
// `windowCreated` tell the caller what has to be undone.
void RunPrimaryInstance(const CommandLine& commandLine, StartupHost& host, bool& connected, bool& windowCreated) {
  host.InitialiseApplication();
  if (!host.ConnectTrayExtension()) {
    if (host.NeedsElevation()) {
      host.StartElevatedInstall();
    } else {
      host.RunInstall();
    }
    if (!host.ConnectTrayExtension()) return;  // silently: nothing can be docked
  }
  connected = true;

  const PlayerCommandLine collected = ParsePlayerCommandLine(commandLine, CommandLineMode::Collect);
  PlayerStart start;
  start.files = collected.files;
  start.clear = !commandLine.SwitchIs("/enqueue");
  start.loadDefaultPlaylist = collected.files.empty() && !commandLine.SwitchIs("/emptyplaylist");
  windowCreated = true;
  host.CreatePlayerWindow(start);

  host.CheckFileTypesOnStart();
  host.ShowPlayerWindow();
  if (!commandLine.SwitchIs("/preferences") && !commandLine.SwitchIs("/showminimized")) host.ShowExpandedPlayer();
  // A command switch runs before the message loop.
  const PlayerCommandLine sent = ParsePlayerCommandLine(commandLine, CommandLineMode::Send);
  if (sent.command) host.SendPlayerCommand(*sent.command);
  if (!collected.files.empty() && host.PlaylistCount() > 0) host.Play();
  host.TrimWorkingSet();

  host.RunMessageLoop();
}

}  // namespace

int RunPlayerProgram(const CommandLine& commandLine, StartupHost& host) {
  bool ownsAtom = false, connected = false, windowCreated = false;
  // Undone in this order at the end, and before a failure is shown.
  auto shutDown = [&] {
    if (connected) host.DisconnectTrayExtension();
    if (windowCreated) host.DestroyPlayerWindow();
    connected = windowCreated = false;
  };

  try {
    if (commandLine.SwitchIs("/install")) {
      host.RunInstall();
      return 0;
    }
    if (commandLine.SwitchIs("/uninstall")) {
      host.RunUninstall();
      return 0;
    }
    if (commandLine.SwitchIs("/registerfiletypes")) {
      host.RegisterFileTypes();
      return 0;
    }
    // An elevated copy is only ever started for a maintenance run.
    if (host.IsElevatedStart()) return 0;
    if (!host.FindTaskbar()) throw Exception(kTaskbarNotFoundMessage);
    host.CheckDefaultSkin();
    host.AdviseTaskbarAlwaysOnTop();
    const bool skinChanged = host.InstallCommandLineSkin(commandLine);

    if (host.InstanceAtomExists()) {
      if (HandOverToRunningInstance(commandLine, skinChanged, host)) return 0;
      // The atom outlived its player: this process takes it over without adding it again.
    } else {
      host.AddInstanceAtom();
    }
    ownsAtom = true;

    RunPrimaryInstance(commandLine, host, connected, windowCreated);
    shutDown();
  } catch (const EAbort&) {
    shutDown();
  } catch (const std::exception& e) {
    shutDown();
    host.ShowError(e.what());
  }
  if (ownsAtom) host.DeleteInstanceAtom();
  return 0;
}

}  // namespace nv
