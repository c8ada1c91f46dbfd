#include "support/SourceRegion.h"

#include <algorithm>
#include <cstring>

namespace nv {

void SourceRegion::Read(ByteSource& source, std::uint64_t offset, std::size_t length) {
  offset_ = offset;
  size_ = 0;
  Extend(source, length);
}

void SourceRegion::Extend(ByteSource& source, std::size_t length) {
  const std::uint64_t total = source.Size();
  const std::uint64_t available = offset_ < total ? total - offset_ : 0;
  length = static_cast<std::size_t>(std::min<std::uint64_t>(length, available));
  if (length <= size_) return;
  if (length > capacity_) {
    // Uninitialised on purpose: every byte past size_ is overwritten by the read before anyone looks at it.
    auto grown = std::make_unique_for_overwrite<std::uint8_t[]>(length);
    if (size_ > 0) std::memcpy(grown.get(), data_.get(), size_);
    data_ = std::move(grown);
    capacity_ = length;
  }
  size_ += source.ReadAt(offset_ + size_, data_.get() + size_, length - size_);
}

std::span<const std::uint8_t> SourceRegion::At(std::uint64_t offset, std::size_t length) const {
  if (offset < offset_ || offset - offset_ >= size_) return {};
  const std::size_t start = static_cast<std::size_t>(offset - offset_);
  return Bytes().subspan(start, std::min(length, size_ - start));
}

}  // namespace nv
