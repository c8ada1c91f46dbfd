#include "app/MediaKeys.h"

#include "app/AppConstants.h"

namespace nv {

namespace {
constexpr std::uint32_t kDeviceBits = 0xF000;
}  // namespace

std::optional<unsigned> MediaKeyCommand(std::uint32_t appCommandLParam, bool handlePlaybackKeys,
                                        bool handleVolumeKeys) {
  const unsigned command = (appCommandLParam >> 16) & ~kDeviceBits & 0xFFFF;
  switch (command) {
    case kCommandNextTrack:
    case kCommandPreviousTrack:
    case kCommandStop:
    case kCommandPlayPause:
    case kCommandPlay:
    case kCommandPause:
      if (handlePlaybackKeys) return command;
      return std::nullopt;
    case kCommandMute:
    case kCommandVolumeDown:
    case kCommandVolumeUp:
      if (handleVolumeKeys) return command;
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace nv
