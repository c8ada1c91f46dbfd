#pragma once
// What a command line asks of the player: one command switch, or a list of files and addresses to play.
#include <optional>
#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace nv {

// The command line is read for the player's own start (collect), for a command the starting player runs before
// its message loop (send), or for a running player another instance hands it to (post). Only the hand-over
// clears a running player's playlist for "/emptyplaylist".
enum class CommandLineMode { Collect, Send, Post };

struct PlayerCommandLine {
  std::optional<unsigned> command;  // a player command code (AppConstants.h)
  std::vector<std::string> files;   // parameters 1..n that are not switches, trimmed, in order
};

// Nothing when there are no parameters or when one of them is a skin package (installing it owns the command
// line). A command switch in parameter 1 gives its command and no files; otherwise the files are collected.
PlayerCommandLine ParsePlayerCommandLine(const CommandLine& commandLine, CommandLineMode mode);

}  // namespace nv
