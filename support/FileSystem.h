#pragma once
// The file system as lists of media see it: what a path names, and the entries of a folder in the order the system
// enumerates them. SystemFileSystem() is the real one (FindFirstFileW on Windows); tests and benchmarks stand in
// their own. Paths are held text (ANSI or marked).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nv {

enum class PathKind : std::uint8_t { None, File, Folder };

struct FolderEntry {
  std::string Name;  // held text, without the folder
  bool Folder = false;
  bool System = false;        // the system attribute
  bool ReparsePoint = false;  // a junction, a symbolic link or another reparse point
};

class FileSystem {
public:
  virtual ~FileSystem() = default;
  virtual PathKind KindOf(std::string_view path) = 0;
  // Appends every entry of `folder` but "." and ".."; false when the folder cannot be listed.
  virtual bool ListFolder(std::string_view folder, std::vector<FolderEntry>& entries) = 0;
};

FileSystem& SystemFileSystem();

}  // namespace nv
