// A fuzzed CUE sheet read into a list, written back in each format and read again.
#include "fuzz/playlist/PlayListFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nv::fuzz::FuzzPlayListFile(data, size, ".cue");
  return 0;
}
