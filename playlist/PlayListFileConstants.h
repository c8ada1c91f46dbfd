#pragma once
// The fixed texts and numbers of the playlist file formats.
#include <cstdint>

namespace nv {

// How deep playlists that name playlists are followed.
inline constexpr int kMaxPlayListNesting = 8;

// The byte before the UTF-8 form of a PLS value the system code page cannot hold (M3U lines use the marker of held
// text, 0x01).
inline constexpr char kPlsUnicodeMarker = '\xB6';
inline constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

// M3U.
inline constexpr char kM3UHeader[] = "#EXTM3U";
inline constexpr char kM3UInfoTag[] = "#EXTINF:";
inline constexpr char kM3UCurrentTag[] = "#EXTCUR:";
inline constexpr char kM3URedirectedTag[] = "#ASXREDIRECTED";

// PLS: the section and its keys (the numbered ones are followed by the entry's number, from 1).
inline constexpr char kPlsSection[] = "playlist";
inline constexpr char kPlsFileKey[] = "File";
inline constexpr char kPlsTitleKey[] = "Title";
inline constexpr char kPlsLengthKey[] = "Length";
inline constexpr char kPlsRedirectedKey[] = "ASXRedirected";
inline constexpr char kPlsCountKey[] = "NumberOfEntries";
inline constexpr char kPlsVersionKey[] = "Version";
inline constexpr char kPlsCurrentKey[] = "CurrentFile";
inline constexpr int kPlsVersion = 2;

// CUE sheets: 75 frames a second; a track's default title is "Track " and its number with at least two digits.
inline constexpr int kCueFramesPerSecond = 75;
inline constexpr char kCueTrackTitle[] = "Track ";

// The extensions a writer adds to a file name that has none.
inline constexpr char kM3UExtension[] = ".m3u";
inline constexpr char kM3U8Extension[] = ".m3u8";
inline constexpr char kPlsExtension[] = ".pls";

inline constexpr const char* kPlsWriteErrorMessage = "Unable to write to %s";

}  // namespace nv
