#pragma once
// MPEG audio (Layers I to III of MPEG-1, MPEG-2 and MPEG-2.5): the first frame, Xing and VBRI headers, the encoder
// that left its name in the last frames, duration and bitrate; with the file's ID3v1 and ID3v2 tags.
#include <cstdint>
#include <string>
#include <string_view>

#include "metadata/ID3v1.h"
#include "metadata/ID3v2.h"
#include "support/ByteSource.h"

namespace nv {

// A VBR header in the first frame: Xing's, or the Fraunhofer encoder's VBRI.
struct TVBRData {
  bool Found = false;
  std::string ID;  // "Xing" or "VBRI"
  std::uint32_t Frames = 0;
  std::uint32_t Bytes = 0;
  std::uint8_t Scale = 0;
  std::string VendorID;
};

// The first frame found, and the fields of its header. The reset values are ones no real header has.
struct TFrameData {
  bool Found = false;
  std::uint32_t Position = 0;  // within the block searched
  std::uint32_t Size = 0;      // the frame's length in bytes
  bool Empty = false;          // the six bytes after the header are all zero
  std::uint8_t Data[4] = {};
  std::uint8_t VersionID = 1;   // 0 MPEG-2.5, 2 MPEG-2, 3 MPEG-1
  std::uint8_t LayerID = 0;     // 1 Layer III, 2 Layer II, 3 Layer I
  bool ProtectionBit = false;
  std::uint8_t BitRateID = 0;
  std::uint8_t SampleRateID = 3;
  bool PaddingBit = false;
  bool PrivateBit = false;
  std::uint8_t ModeID = 4;  // 3 = mono
  std::uint8_t ModeExtensionID = 4;
  bool CopyrightBit = false;
  bool OriginalBit = false;
  std::uint8_t EmphasisID = 2;
};

class TMPEGaudio {
public:
  std::uint64_t FileLength = 0;
  // Where the audio begins: after the ID3v2 tag, and after any complete tags that follow it.
  std::uint64_t AudioStart = 0;
  std::string Encoder;  // "LAME" and its version, or "GOGO", when found in the last frames
  TVBRData VBR;
  TFrameData Frame;
  TID3v1 ID3v1;
  TID3v2 ID3v2;

  void Reset();
  // False when the tags cannot be read (fewer than 128 bytes). A file without a frame reads as true with every
  // field reset, tags included.
  bool Read(ByteSource& source);

  int BitRate() const;     // kbit/s
  double Duration() const;  // seconds
  int SampleRate() const;  // Hz, 0 without a frame
  int Channels() const;    // 1 or 2, 0 without a frame
};

}  // namespace nv
