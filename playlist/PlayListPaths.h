#pragma once
// Where a playlist file's entries point. An entry read from a file is taken relative to the file's folder, or to its
// drive when it starts with a delimiter; a path written into a file is made relative to the file where it can be,
// so that a folder of music and its playlists can move together. On UTF-16 text.
#include <string>
#include <string_view>

namespace nv {

// The folder of a playlist file (normalised, with its trailing delimiter) and its drive: "C:", or the server and
// share of a network path; empty for a path without either.
struct TPlayListFolder {
  std::u16string Folder;
  std::u16string Drive;
};
TPlayListFolder PlayListFolderOf(std::u16string_view playListFile);

// At least one character, then "://".
bool IsUrl(std::u16string_view entry);

// An entry as read. One with a drive or a URL scheme stays as it is; one that starts with a delimiter gets the
// playlist's drive in front of it, any other the playlist's folder. Nothing else is done to it: "..\" parts stay.
std::u16string ResolveEntryPath(const TPlayListFolder& playList, std::u16string_view entry);

// A path as written. A URL or a CD track path stays as it is. Any other is normalised; then, when it lies in the
// playlist's folder (compared in the user's locale without regard to case), the part after the folder is written;
// else, on the playlist's drive, the path without its drive; else the whole path.
std::u16string RelativeEntryPath(const TPlayListFolder& playList, std::u16string_view path);

// "/" made "\", "." parts and ".." parts with the folder before them taken out, repeated delimiters made one (the
// two that open a network path stay). ".." never climbs above the drive or the root.
std::u16string NormalisePath(std::u16string_view path);

}  // namespace nv
