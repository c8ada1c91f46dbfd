#pragma once
// Playlist files in memory: a file store beside the memory file system, the real formats over both, installed for
// the scope of a test, and a list described one line per item so that a table of expectations reads plainly.
#include <map>
#include <string>
#include <vector>

#include "playlist/PlayListFileStore.h"
#include "playlist/PlayListFormats.h"
#include "tests/playlist/PlayListFakes.h"

namespace nv::test {

class MemoryFileStore final : public TPlayListFileStore {
public:
  explicit MemoryFileStore(MemoryFileSystem& files) : files_(files) {}
  // Makes the file (and its folders) with this content.
  void Put(const std::string& path, std::string bytes);
  std::string Read(std::string_view path) override;  // raises EWin32Error for a file it does not hold
  void Write(std::string_view path, std::string_view bytes) override;
  std::map<std::string, std::string> contents;
  int reads = 0;
  bool failWrites = false;

private:
  MemoryFileSystem& files_;
};

// One environment with the real formats over files in memory, installed while it lives.
struct FileFormatsEnvironment {
  TestEnvironment env;
  MemoryFileStore store{env.files};
  TPlayListFormats formats{env.files, store};
  InstalledFormats installed{formats};
};

// "path" then, where the item has them, " | title", " | 1000ms", " | 1000-2000" (or "1000-") for a sub-range,
// " | by artist", " | on album" and " | redirected"; the current item is marked "* ".
std::vector<std::string> Describe(TXPlayList& list);

}  // namespace nv::test
