#pragma once
// What reached the player, one line each, appended to the file named by the environment variable
// NORVALE_COMMAND_LOG; nothing is written without it. The end-to-end tests read it to see what a running player
// was told and did. Lines, fields separated by tabs, file names as held text:
//   files <clear|append> <file>...   a hand-over, or the command-line files at start-up
//   drop <clear|append> <file>...    files dropped on the window
//   default playlist                  start-up restored the saved "Now playing"
//   command <code>                    a player command (WM_PLAYERCOMMAND)
//   skin <current skin>               the skin to reload (command 257)
//   action <name>                     an action ran ("aPlay")
//   state saved                       the state and "Now playing" were saved (the main form closes)
//   show | show expanded | play | ready            the steps of start-up
//   tray extension reconnected | tray extension lost
#include <string_view>

namespace nv {

inline constexpr wchar_t kCommandLogVariable[] = L"NORVALE_COMMAND_LOG";

void LogCommand(std::string_view line);

}  // namespace nv
