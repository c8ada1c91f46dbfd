#pragma once
// Where readers get their bytes: an opened file, or memory in tests and fuzzers. Readers ask for whole regions at
// once (SourceRegion.h), so for a file every ReadAt is one call to the operating system.
#include <cstddef>
#include <cstdint>
#include <span>

namespace nv {

class ByteSource {
public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t Size() const = 0;
  // Copies up to `count` bytes from `offset`; returns how many arrived (fewer at the end, 0 on failure).
  virtual std::size_t ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count) = 0;
};

// Bytes already in memory; they must outlive the source.
class MemoryByteSource final : public ByteSource {
public:
  explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint64_t Size() const override { return bytes_.size(); }
  std::size_t ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count) override;

private:
  std::span<const std::uint8_t> bytes_;
};

// Another source, counting the reads made of it and the bytes they fetched: how tests and benchmarks see what a
// reader costs.
class CountingByteSource final : public ByteSource {
public:
  explicit CountingByteSource(ByteSource& inner) : inner_(inner) {}
  std::uint64_t Size() const override { return inner_.Size(); }
  std::size_t ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count) override;
  int Reads() const { return reads_; }
  std::uint64_t BytesRead() const { return bytes_; }
  std::uint64_t LastOffset() const { return lastOffset_; }

private:
  ByteSource& inner_;
  int reads_ = 0;
  std::uint64_t bytes_ = 0;
  std::uint64_t lastOffset_ = 0;
};

}  // namespace nv
