#pragma once
// The fuzzer's input as the file a reader is given, and a way to make sure every byte of a result is looked at
// (so that the sanitizers see a read of anything the reader left uninitialised).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "support/ByteSource.h"

namespace nv::fuzz {

inline MemoryByteSource Source(const std::uint8_t* data, std::size_t size) {
  return MemoryByteSource(std::span<const std::uint8_t>(data, size));
}

template <class Text>
std::size_t Touch(const Text& text) {
  std::size_t sum = 0;
  for (auto c : text) sum += static_cast<std::size_t>(c);
  return sum;
}

}  // namespace nv::fuzz
