#include "support/Inflate.h"

#include <zlib.h>

#include <limits>

namespace nv {

bool InflateZlib(std::span<const std::uint8_t> compressed, std::size_t limit, std::vector<std::uint8_t>& out) {
  constexpr std::size_t kMost = std::numeric_limits<uInt>::max();
  if (compressed.size() > kMost || limit > kMost) return false;
  out.resize(limit);
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return false;
  stream.next_in = const_cast<Bytef*>(compressed.data());
  stream.avail_in = static_cast<uInt>(compressed.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(limit);
  const int result = inflate(&stream, Z_FINISH);
  const bool complete = result == Z_STREAM_END || (stream.avail_out == 0 && (result == Z_OK || result == Z_BUF_ERROR));
  out.resize(limit - stream.avail_out);
  inflateEnd(&stream);
  return complete;
}

}  // namespace nv
