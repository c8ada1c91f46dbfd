#pragma once
// Where playlist files are read from and written to: the system's files (written through a temporary file and
// renamed over the old one), or memory in tests and fuzzers. Paths are held text.
#include <string>
#include <string_view>

namespace nv {

class TPlayListFileStore {
public:
  virtual ~TPlayListFileStore() = default;
  // The whole file; raises when it cannot be read.
  virtual std::string Read(std::string_view path) = 0;
  // Replaces the whole file, never leaving it half written; raises when it cannot be written.
  virtual void Write(std::string_view path, std::string_view bytes) = 0;
};

// platform::ReadFileBytes and platform::WriteFileReplacing.
TPlayListFileStore& SystemPlayListFileStore();

}  // namespace nv
