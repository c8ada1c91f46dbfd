#pragma once
// An audio CD seen as a folder: the root of a CD drive holding a disc lists the disc's audio tracks as virtual track
// paths ("D:\Track01.<cda>") instead of the ".cda" files the system shows. Reading the disc's table of contents
// belongs to the CD work, which installs its reader here; until then a CD root lists like any folder.
#include <string>
#include <string_view>
#include <vector>

#include "support/DriveInfo.h"

namespace nv {

class TAudioCDTracks {
public:
  virtual ~TAudioCDTracks() = default;
  // The numbers of the disc's audio tracks, in track order, for the drive whose root is `root` ("D:\"). False when
  // the disc cannot be read.
  virtual bool ListAudioTracks(std::string_view root, std::vector<int>& tracks) = 0;
};

// The reader in use (none until one is installed); pass nullptr to remove it.
void SetAudioCDTracks(TAudioCDTracks* tracks);
TAudioCDTracks* AudioCDTracks();

// A path of at most three characters on a CD-ROM drive whose volume can be read: a disc is in the drive.
bool IsAudioCDRoot(std::string_view folder, DriveQuery& drives);

// The virtual path of a track: the drive's root, "Track", the number with at least two digits, ".<cda>".
std::string CDTrackPath(std::string_view root, int track);

}  // namespace nv
