#pragma once
// Telling the system's keyboard support that the player handles the media keys itself: while the player's
// "Handle playback keys" preference is set, it is listed under the user's native media players.
#include <string_view>

#include "support/RegIniFile.h"

namespace nv {

// A path from the root of the user's store, not from the application key.
inline constexpr char kNativeMediaPlayerSection[] = "\\Software\\Microsoft\\Keyboard\\Native Media Players\\Norvale";

// Run each time preferences are applied: lists the program ("ExePath", "AppName") or removes the entry.
void UpdateNativeMediaKeysRegistration(TXRegIniFile& store, bool handlePlaybackKeys, std::string_view programPath);

}  // namespace nv
