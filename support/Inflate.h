#pragma once
// Data compressed in zlib's format (deflate in a zlib stream), as ID3v2 frames carry it.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace nv {

// Inflates `compressed` into `out`, at most `limit` bytes of it: a stream that holds more is cut there, without
// reading further. False (and `out` unspecified) when the stream is damaged or ends before `limit` bytes and
// before its own end.
bool InflateZlib(std::span<const std::uint8_t> compressed, std::size_t limit, std::vector<std::uint8_t>& out);

}  // namespace nv
