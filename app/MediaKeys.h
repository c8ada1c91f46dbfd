#pragma once
// Which media keys the player takes: the application commands the shell forwards from other programs, by the two
// "Handle … keys" preferences.
#include <cstdint>
#include <optional>

namespace nv {

// The player command for an application command (the lParam of the shell's HSHELL_APPCOMMAND: the command in the
// high word, with the device bits 0xF000), or none when the player leaves the key to others.
std::optional<unsigned> MediaKeyCommand(std::uint32_t appCommandLParam, bool handlePlaybackKeys,
                                        bool handleVolumeKeys);

}  // namespace nv
