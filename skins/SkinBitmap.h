#pragma once
// The images of a skin, decoded from BMP files in the portable core: a skin package is untrusted input, and the
// system's own bitmap loader is no place to parse it. Every length is checked against the file before it is used,
// and nothing is allocated that the file merely claims (sides are capped, strides computed in 64 bits).
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace nv {

inline constexpr int kMaxBitmapSide = 4096;

struct SkinBitmap {
  int Width = 0;
  int Height = 0;
  int BitCount = 0;                    // bits per pixel of the file: 1, 4, 8, 16, 24 or 32
  std::vector<std::uint32_t> Palette;  // the file's colour table as 0x00RRGGBB (1, 4 and 8 bits only)
  // Top-down rows of 0xAARRGGBB values (in memory B, G, R, A: a 32-bit top-down DIB's layout). Images of 32 bits
  // carry their alpha premultiplied into the colours; all others are opaque (alpha 255).
  std::vector<std::uint32_t> Pixels;
  bool Alpha = false;  // 32 bits per pixel: drawn blended

  bool Empty() const { return Width <= 0 || Height <= 0; }
  std::uint32_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

// Decodes a BMP file: headers of 12 to 124 bytes (the OS/2 core header, the Windows info headers and their V4 and V5
// extensions, OS/2 2.x headers), 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed, bit fields, RLE8 and RLE4,
// bottom-up and top-down rows. A 32-bit image whose alpha bytes are all zero is taken as opaque: many writers leave
// them zero. Nothing when the file is not one of these or does not hold what its headers describe; `reason` then
// says why.
std::optional<SkinBitmap> DecodeBitmap(std::span<const std::uint8_t> file, std::string_view* reason = nullptr);

}  // namespace nv
