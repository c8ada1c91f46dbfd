#pragma once
// The ID3v1 tag: 128 bytes at the end of a file ("TAG", title, artist, album, year, comment, genre number), and its
// 1.1 form, which keeps a track number in the last byte of the comment.
#include <cstdint>
#include <string>
#include <string_view>

#include "metadata/MetadataConstants.h"
#include "support/ByteSource.h"
#include "support/SourceRegion.h"

namespace nv {

class TID3v1 {
public:
  bool Exists = false;
  std::uint8_t Version = 0;  // 1 = ID3v1.0, 2 = ID3v1.1
  // Text in the system code page (not marked), without trailing blanks and zero bytes.
  std::string Title, Artist, Album, Year, Comment;
  std::uint8_t Track = 0;  // 0 = none
  std::uint8_t GenreID = kID3v1NoGenre;

  void Reset();
  // Reads the last 128 bytes. False when the source is shorter; true with `Exists` false when they are no tag.
  bool Read(ByteSource& source);
  // The same from bytes already read: `tail` holds the end of a source of `sourceSize` bytes.
  bool ReadFrom(const SourceRegion& tail, std::uint64_t sourceSize);

  // The name of the genre number; empty outside the list.
  std::string_view Genre() const;
};

// The ID3v1 genre list with its Winamp extensions; empty for numbers outside 0..147.
std::string_view ID3v1GenreName(int number);

}  // namespace nv
