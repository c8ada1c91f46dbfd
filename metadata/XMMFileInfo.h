#pragma once
// The media information of one entry (a playlist item, a file in the media browser): its attributes (title,
// artist, album, track, year, genre, comment, duration, bitrate, file size, and for a track of a larger file its
// sub-range), how each kind of entry fills them, and the field numbers the lists sort and show by.
#include <cstdint>
#include <string_view>

#include "metadata/GraphMediaInfo.h"
#include "metadata/HeaderAttributes.h"
#include "support/DriveInfo.h"

namespace nv {

enum class TMediaKind : std::uint8_t {
  mkLocal = 0,      // a file on a fixed, network or other drive
  mkRemovable = 1,  // a file on a removable drive
  mkCDROM = 2,      // a file on a CD-ROM drive, CD audio tracks included
  mkURL = 3,
  mkUnknown = 255,  // not yet determined
};

class TXMMFileInfo {
public:
  bool Loaded = false;  // the entry's own information has been read, or reading it was attempted
  TMediaKind Kind = TMediaKind::mkUnknown;
  TXHeaderAttributes Attributes;

  void Assign(const TXMMFileInfo& other) { *this = other; }
  // Sets the kind when it is not yet determined, asking the system's drives (or `drives`) about the path's drive.
  void DetectKind(std::string_view path);
  void DetectKind(std::string_view path, DriveQuery& drives);
  void InitFromName(std::string_view path);
  void InitFromName(std::string_view path, DriveQuery& drives);
  // Reads the entry's own information and merges it (see the .cpp); never raises for a missing, unreadable or
  // unrecognised file. Raises EConvertError for an Ogg Vorbis comment that is not UTF-8.
  void LoadInfo(std::string_view path);
  // LoadInfo for a reading nobody can be told about (in the background, or while a graph plays): a reader's failure
  // leaves the record loaded with its title, so that the same file is not read again and again.
  void LoadInfoQuietly(std::string_view path);
  // Refreshes from what a built graph offers (`source` may be null). True when something changed.
  bool ReadFromGraph(std::string_view path, TGraphMediaInfo* source);
  // Back to "not loaded"; a sub-range item keeps its attributes.
  void Clear();

  void SetValue(AttributeName name, AttributeValue value) { nv::SetValue(Attributes, name, std::move(value)); }
  const AttributeValue& GetValue(AttributeName name) const { return nv::GetValue(Attributes, name); }
  // By field number (0..9); null outside the table.
  const AttributeValue& GetField(int number) const;
  int IndexOfName(AttributeName name) const { return nv::IndexOfName(Attributes, name); }
  bool HasValue(AttributeName name) const { return IndexOfName(name) >= 0; }

  // Adds "Title" when there is none: a URL's whole text, else the file name without folder and extension.
  void EnsureTitle(std::string_view path);
  // "NV_FileSize" for anything but a URL: the file's size in bytes, 0 when it cannot be found.
  void AddFileSize(std::string_view path);

private:
  bool IsSubRange() const { return HasValue(kStartTimeAttribute) || HasValue(kEndTimeAttribute); }
  void SetFileSize(std::uint64_t size);
};

}  // namespace nv
