#pragma once
// Window shapes from mask images. A mask is read as the system reads it at 4 bits per pixel: every pixel becomes
// the nearest colour of the standard 16-colour palette (black is 0, pure red 9, pure blue 12, white 15). Each row is
// then scanned in runs of one colour: region 0 is the whole image less the runs of the first colour; region j
// (j >= 1) is the runs of colour j. The skinned form uses black (cut away), red (the sizing area) and blue (the
// caption, where the window drags); a skinned panel only black.
//
// A region comes out as rectangles in bands — rows with the same runs merged into one band, bands top-down, the
// rectangles of a band left to right — which is how the system builds a region in one call.
#include <cstdint>
#include <span>
#include <vector>

#include "skins/SkinBitmap.h"
#include "support/ui/Geometry.h"

namespace nv {

inline constexpr int kMaskBlack = 0;
inline constexpr int kMaskRed = 9;
inline constexpr int kMaskBlue = 12;

// The index of the palette colour nearest to a pixel (0xAARRGGBB; alpha is not looked at).
int StandardPaletteIndex(std::uint32_t pixel);

// Top-down rows of 0xAARRGGBB pixels: a decoded skin image, or a 32-bit bitmap a mask was drawn into.
struct PixelRows {
  int width = 0, height = 0;
  std::span<const std::uint32_t> pixels;  // width x height
};
inline PixelRows RowsOf(const SkinBitmap& bitmap) { return {bitmap.Width, bitmap.Height, bitmap.Pixels}; }

// One list of rectangles per colour (at most `maximum`), in the mask's coordinates.
std::vector<std::vector<Rect>> MaskRegions(const PixelRows& mask, std::span<const int> colours, std::size_t maximum = 3);

}  // namespace nv
