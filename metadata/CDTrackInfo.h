#pragma once
// The audio-CD branch of loading media information: a CD track's number, length and disc serial number from the
// disc, its titles from the CDDB cache. It belongs to the CD work, which installs it here when the program starts;
// until then a CD track loads like any other file (its size and its file name as the title).
#include <string_view>

namespace nv {

class TXMMFileInfo;

class TCDTrackInfoLoader {
public:
  virtual ~TCDTrackInfoLoader() = default;
  // Loads `info` for the CD track at `path`. True when the track was handled (loading ends there); false when
  // its disc could not be read, so that it loads as an ordinary file.
  virtual bool LoadTrackInfo(TXMMFileInfo& info, std::string_view path) = 0;
};

// The loader in use (none until one is installed); pass nullptr to remove it.
void SetCDTrackInfoLoader(TCDTrackInfoLoader* loader);
TCDTrackInfoLoader* CDTrackInfoLoader();

// A path of a CD audio track: the ".cda" files the system shows for a disc's tracks, or the program's own virtual
// track paths ("D:\Track01.<cda>").
bool IsCDTrackPath(std::string_view path);
bool IsCDTrackPath(std::u16string_view path);

}  // namespace nv
