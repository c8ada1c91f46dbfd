// A fuzzed M3U file (an M3U8 when the input starts with a byte-order mark) read into a list, written back in each
// format and read again.
#include "fuzz/playlist/PlayListFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nv::fuzz::FuzzPlayListFile(data, size, ".m3u");
  return 0;
}
