#pragma once
// A stretch of a byte source read in one call and kept for parsing. Parsers address it by file offset, and every
// access is bounded by the bytes that actually arrived, whatever a header claimed.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "support/ByteSource.h"

namespace nv {

class SourceRegion {
public:
  // Reads [offset, offset + length), clamped to the end of the source, in one call; replaces what was held.
  void Read(ByteSource& source, std::uint64_t offset, std::size_t length);
  // Grows the region at its end to `length` bytes (clamped to the source), reading only what is missing, in one
  // call. Does nothing when the region is already that long.
  void Extend(ByteSource& source, std::size_t length);

  std::uint64_t Offset() const { return offset_; }
  std::uint64_t End() const { return offset_ + size_; }
  std::size_t Size() const { return size_; }
  std::span<const std::uint8_t> Bytes() const { return {data_.get(), size_}; }
  bool Holds(std::uint64_t offset, std::size_t length) const {
    return offset >= offset_ && offset - offset_ <= size_ && length <= size_ - (offset - offset_);
  }
  // The bytes from a file offset on, at most `length` of them; empty when the offset lies outside the region.
  std::span<const std::uint8_t> At(std::uint64_t offset, std::size_t length = SIZE_MAX) const;

private:
  std::unique_ptr<std::uint8_t[]> data_;
  std::size_t capacity_ = 0;
  std::size_t size_ = 0;
  std::uint64_t offset_ = 0;
};

}  // namespace nv
