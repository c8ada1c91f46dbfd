#pragma once
// Ogg Vorbis: the identification header (channels, sample rate, nominal bitrate), the comment header (title,
// artist, ...), and the length, from the granule position of the last page.
#include <cstdint>
#include <string>
#include <string_view>

#include "support/ByteSource.h"

namespace nv {

class TOggVorbis {
public:
  std::uint64_t FileSize = 0;     // set only for a file recognised as Vorbis
  std::uint8_t ChannelModeID = 0;  // 0 unknown, 1 mono, 2 stereo
  std::uint16_t SampleRate = 0;   // 0 when outside 8000..48000 Hz
  int BitRateNominal = 0;         // kbit/s
  std::uint32_t Samples = 0;      // the granule position of the last page (its low 32 bits)
  // Marked text (support/MarkedText.h).
  std::string Title, Artist, Album, Date, Genre, Comment, Vendor;
  int TrackNumber = 0;

  void Reset();
  // False when the identification packet cannot be read; true with nothing set when it is not Vorbis.
  // Raises EConvertError("Invalid UTF8 string.") when a comment the player keeps is not UTF-8.
  bool Read(ByteSource& source);

  bool IsVorbis() const { return FileSize > 0; }
  std::string_view ChannelMode() const;  // "Unknown", "Mono", "Stereo"
  double Duration() const;               // seconds
  int BitRate() const;                   // kbit/s, over the whole file
};

}  // namespace nv
