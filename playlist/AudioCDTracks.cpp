#include "playlist/AudioCDTracks.h"

#include <atomic>
#include <cstdio>

#include "support/MarkedText.h"

namespace nv {

namespace {
std::atomic<TAudioCDTracks*> gTracks{nullptr};
}  // namespace

void SetAudioCDTracks(TAudioCDTracks* tracks) { gTracks.store(tracks); }
TAudioCDTracks* AudioCDTracks() { return gTracks.load(); }

bool IsAudioCDRoot(std::string_view folder, DriveQuery& drives) {
  if (folder.empty() || MarkedToUtf16(folder).size() > 3) return false;
  const std::string root = DriveRootOf(folder);
  return !root.empty() && drives.TypeOf(root) == DriveType::CDROM && drives.VolumeSerialNumberOf(root).has_value();
}

std::string CDTrackPath(std::string_view root, int track) {
  char number[16];
  std::snprintf(number, sizeof number, "%02d", track);
  return DriveRootOf(root) + "Track" + number + ".<cda>";
}

}  // namespace nv
