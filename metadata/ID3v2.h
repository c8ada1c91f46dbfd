#pragma once
// The ID3v2 tag at the start of a file, versions 2.2, 2.3 and 2.4: its size (which tells where the audio starts)
// and the text of the frames the player shows.
#include <cstdint>
#include <string>

#include "support/ByteSource.h"
#include "support/SourceRegion.h"

namespace nv {

class TID3v2 {
public:
  bool Exists = false;
  std::uint8_t VersionID = 0;  // the major version byte: 2, 3 or 4 for the versions read
  // The whole tag in bytes: the 10-byte header, the frames and padding, and a 10-byte footer when flagged.
  // 0 when the stated size exceeds the file.
  std::uint32_t Size = 0;
  std::u16string Title, Artist, Album;
  int Track = 0;  // the number before "/" of the track text, 0 when none
  std::u16string TrackString;
  std::u16string Year, Genre, Comment, Composer, Encoder, Copyright, Language, Link;

  void Reset();
  // False when the source has fewer than 10 bytes; true with `Exists` false when it does not start with a tag.
  bool Read(ByteSource& source);
  // The same from `head`, a region that holds the source's first bytes. Where the frames reach past it, the region
  // is read anew (it ends up holding the last part of the tag that was read): the rest of the tag at once when it is
  // small, with `following` more bytes so that a caller that wants what comes after the tag gets it in the same
  // call; otherwise windows that skip the large frames the player does not keep.
  bool ReadFrom(ByteSource& source, SourceRegion& head, std::size_t following = 0);
};

}  // namespace nv
