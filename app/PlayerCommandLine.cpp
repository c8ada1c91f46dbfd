#include "app/PlayerCommandLine.h"

#include "app/AppConstants.h"
#include "support/MarkedText.h"

namespace nv {

namespace {

struct CommandSwitch {
  const char* text;
  unsigned command;
};

// Tested in this order.
constexpr CommandSwitch kCommandSwitches[] = {
    {"/preferences", kCommandPreferences}, {"/play", kCommandPlay},       {"/pause", kCommandPause},
    {"/stop", kCommandStop},               {"/nexttrack", kCommandNextTrack}, {"/previostrack", kCommandPreviousTrack},
    {"/quit", kCommandClose},
};

}  // namespace

PlayerCommandLine ParsePlayerCommandLine(const CommandLine& commandLine, CommandLineMode mode) {
  PlayerCommandLine result;
  if (commandLine.Count() == 0 || commandLine.SkinPackageParam()) return result;
  for (const CommandSwitch& s : kCommandSwitches) {
    if (commandLine.SwitchIs(s.text)) {
      result.command = s.command;
      return result;
    }
  }
  if (mode == CommandLineMode::Post && commandLine.SwitchIs("/emptyplaylist")) {
    result.command = kCommandClearPlaylist;
    return result;
  }
  for (std::size_t i = 1; i <= commandLine.Count(); ++i) {
    std::string file = TrimText(commandLine.Param(i));
    if (!file.empty() && file.front() != '/') result.files.push_back(std::move(file));
  }
  return result;
}

}  // namespace nv
