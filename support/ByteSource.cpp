#include "support/ByteSource.h"

#include <algorithm>
#include <cstring>

namespace nv {

std::size_t MemoryByteSource::ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count) {
  if (offset >= bytes_.size()) return 0;
  const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(count, bytes_.size() - offset));
  if (n > 0) std::memcpy(buffer, bytes_.data() + offset, n);
  return n;
}

std::size_t CountingByteSource::ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count) {
  ++reads_;
  lastOffset_ = offset;
  const std::size_t read = inner_.ReadAt(offset, buffer, count);
  bytes_ += read;
  return read;
}

}  // namespace nv
