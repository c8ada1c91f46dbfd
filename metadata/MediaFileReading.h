#pragma once
// Reading a local media file's own information into media attributes, by its extension: ".mp3", ".mp2" and ".mpa"
// through the MPEG audio reader, ".ogg" through the Ogg Vorbis reader, anything else through the Windows Media
// Format runtime.
#include <cstdint>
#include <optional>
#include <string_view>

#include "metadata/HeaderAttributes.h"
#include "metadata/MPEGaudio.h"
#include "metadata/OggVorbis.h"
#include "support/ByteSource.h"

namespace nv {

enum class TMediaFileFormat : std::uint8_t { mfMPEGaudio, mfOggVorbis, mfWindowsMedia };

// By extension, without regard to case.
TMediaFileFormat MediaFileFormatOf(std::u16string_view path);

// Appends what the file at `path` (held text) says about itself to `read`. The file's size when the program
// opened it itself (MPEG audio and Ogg Vorbis), so that nobody needs to ask again.
std::optional<std::uint64_t> ReadMediaFile(std::string_view path, TXHeaderAttributes& read);

// The same for an opened MPEG audio or Ogg Vorbis file.
void ReadMediaSource(ByteSource& source, TMediaFileFormat format, TXHeaderAttributes& read);

// What the player shows of each reader's findings. Nothing is added for a file the reader could not read; an MPEG
// file without a frame gives a duration and bitrate of 0 and no tags.
void AddMPEGAttributes(const TMPEGaudio& mpeg, TXHeaderAttributes& read);
void AddOggVorbisAttributes(const TOggVorbis& ogg, TXHeaderAttributes& read);

}  // namespace nv
