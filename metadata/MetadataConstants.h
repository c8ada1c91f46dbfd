#pragma once
// The fixed numbers of the media metadata subsystem: sizes and offsets of the tag and header formats, the read
// budgets of the readers, and the names of the media attributes.
#include <cstddef>
#include <cstdint>

namespace nv {

// ID3v1: the 128-byte tag at the end of a file.
inline constexpr std::size_t kID3v1TagSize = 128;
inline constexpr int kID3v1GenreCount = 148;  // the ID3v1 list with its Winamp extensions, numbers 0..147
inline constexpr std::uint8_t kID3v1NoGenre = 255;

// ID3v2: the 10-byte header (and optional footer), frames of at most this much content are taken.
inline constexpr std::size_t kID3v2HeaderSize = 10;
inline constexpr std::size_t kID3v2FooterSize = 10;
inline constexpr std::size_t kID3v2FrameContentKept = 500;

// Ogg Vorbis: the identification packet of a first page with one segment, comment strings kept, and the windows in
// which the last page is looked for at the end of the file.
inline constexpr std::size_t kOggIdentificationOffset = 28;
inline constexpr std::size_t kOggIdentificationSize = 30;
inline constexpr std::size_t kOggCommentKept = 250;
inline constexpr std::size_t kOggEndWindowSize = 250;
inline constexpr std::size_t kOggEndWindowStep = 240;
inline constexpr int kOggEndWindows = 50;
inline constexpr std::uint32_t kOggMinSampleRate = 8000;
inline constexpr std::uint32_t kOggMaxSampleRate = 48000;

// MPEG audio: the block searched for the first frame, and the positions searched in it (a position needs 1728
// bytes beyond it). The longest frame (MPEG-2.5 Layer II, 160 kbit/s at 8 kHz, padded) is 2881 bytes.
inline constexpr std::size_t kMpegBlockSize = 3458;
inline constexpr std::size_t kMpegSearchPositions = 1730;
inline constexpr std::size_t kMpegMaxFrameLength = 2881;
inline constexpr std::size_t kMpegHeaderSize = 4;
inline constexpr int kMpegEncoderSearchFrames = 5;

// No tag region is walked beyond this, whatever its header claims.
inline constexpr std::size_t kMaxTagRegion = 4u << 20;

// How much of a file's start the readers fetch in their first read: the tags and headers of most files, and
// little more, since every page read costs (a 4 KB page about as much as opening the file).
inline constexpr std::size_t kHeadReadSize = 8u << 10;
// What lies beyond the first read of a tag is read in windows of this size, placed after the frames the player does
// not keep (pictures), so that a large tag costs a read per such frame rather than its size.
inline constexpr std::size_t kTagWindowSize = 16u << 10;
// Ogg Vorbis: the end of the file is searched for the last page in the last 4 KB first, where it almost always is.
inline constexpr std::size_t kOggTailFirstRead = 4u << 10;

}  // namespace nv
