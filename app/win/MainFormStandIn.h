#pragma once
// A stand-in for the main player form until it exists. It plays what it is given through the player component (so
// that the program plays files), keeps the playlist as it arrived as a list of names, and writes every command and
// hand-over it receives, one line each, to the file named by the environment variable NORVALE_COMMAND_LOG (nothing
// is written without it), so that tests can see what reached the player.
// Lines, fields separated by tabs, file names as held text:
//   files <clear|append> <file>...   a hand-over, or the command-line files at start-up
//   default playlist                  start-up would load the saved "Now playing"
//   command <code>                    a player command; 257 adds "skin <current skin>", 259 ends the message loop
//   show | show expanded | play | ready
#include <string>
#include <string_view>
#include <vector>

#include "app/PlayerCommandSink.h"
#include "app/StartupHost.h"
#include "engine/win/XPlayer.h"

namespace nv {

inline constexpr wchar_t kCommandLogVariable[] = L"NORVALE_COMMAND_LOG";

class MainFormStandIn final : public PlayerCommandSink {
public:
  MainFormStandIn();

  void ExecuteCommand(unsigned code) override;
  void AddFiles(const std::vector<std::string>& files, bool clear) override;

  // Start-up: the command-line files, or the saved list.
  void LoadStart(const PlayerStart& start);
  std::size_t PlaylistCount() const { return playlist_.size(); }
  void Play();
  void Log(std::string_view line);

private:
  // The transport commands, onto the player.
  void Control(unsigned code);
  // Plays the current item, or the list from its start.
  void StartPlaying();

  std::wstring logPath_;
  std::vector<std::string> playlist_;
  TXPlayer player_;
};

}  // namespace nv
