#pragma once
// Where the player window routes what reaches it from outside: command codes (WM_PLAYERCOMMAND, the command line)
// and files handed over by another instance. The main player form implements it.
#include <string>
#include <vector>

namespace nv {

class PlayerCommandSink {
public:
  virtual ~PlayerCommandSink() = default;
  // A player command code (AppConstants.h); codes it does not know are ignored.
  virtual void ExecuteCommand(unsigned code) = 0;
  // Files and addresses to play, held text: replacing the playlist (`clear`) or appended to it.
  virtual void AddFiles(const std::vector<std::string>& files, bool clear) = 0;
};

}  // namespace nv
