#include "skins/MaskRegions.h"

#include <algorithm>
#include <array>
#include <utility>

namespace nv {

namespace {

// The standard 16-colour palette, 0xRRGGBB.
constexpr std::array<std::uint32_t, 16> kStandardPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

using Runs = std::vector<std::pair<int, int>>;  // [first, past the last) x of each run

// One region being built: the runs of the band that is open, and the rectangles of the bands closed.
struct RegionBuilder {
  std::vector<Rect> rects;
  Runs band;
  int bandTop = 0;

  void Row(int y, Runs&& runs) {
    if (y > 0 && runs == band) return;  // the band grows by this row
    Close(y);
    band = std::move(runs);
    bandTop = y;
  }
  void Close(int y) {
    for (const auto& [left, right] : band) rects.push_back({left, bandTop, right, y});
    band.clear();
  }
};

}  // namespace

int StandardPaletteIndex(std::uint32_t pixel) {
  const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  int best = 0, bestDistance = 1 << 30;
  for (int i = 0; i < static_cast<int>(kStandardPalette.size()); ++i) {
    const std::uint32_t c = kStandardPalette[i];
    const int dr = r - static_cast<int>(c >> 16), dg = g - static_cast<int>((c >> 8) & 0xFF),
              db = b - static_cast<int>(c & 0xFF);
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

std::vector<std::vector<Rect>> MaskRegions(const PixelRows& mask, std::span<const int> colours, std::size_t maximum) {
  const std::size_t count = std::min(colours.size(), maximum);
  std::vector<RegionBuilder> regions(count);
  const bool readable = mask.width > 0 && mask.height > 0 &&
                        mask.pixels.size() >= static_cast<std::size_t>(mask.width) * mask.height;
  if (!readable) return std::vector<std::vector<Rect>>(count);
  std::vector<int> indices(mask.width);
  for (int y = 0; y < mask.height; ++y) {
    // Neighbouring pixels mostly repeat: the nearest colour is looked up once per change.
    std::uint32_t last = 0xFFFFFFFF;  // no pixel (their alpha is masked off)
    int lastIndex = 0;
    for (int x = 0; x < mask.width; ++x) {
      const std::uint32_t pixel = mask.pixels[static_cast<std::size_t>(y) * mask.width + x] & 0xFFFFFF;
      if (pixel != last) {
        last = pixel;
        lastIndex = StandardPaletteIndex(pixel);
      }
      indices[x] = lastIndex;
    }
    for (std::size_t j = 0; j < count; ++j) {
      // Region 0 keeps what is not its colour; the others take what is.
      auto inRegion = [&](int index) { return j == 0 ? index != colours[0] : index == colours[j]; };
      Runs runs;
      for (int x = 0; x < mask.width;) {
        if (!inRegion(indices[x])) {
          ++x;
          continue;
        }
        const int start = x;
        while (x < mask.width && inRegion(indices[x])) ++x;
        runs.emplace_back(start, x);
      }
      regions[j].Row(y, std::move(runs));
    }
  }
  std::vector<std::vector<Rect>> result;
  for (RegionBuilder& region : regions) {
    region.Close(mask.height);
    result.push_back(std::move(region.rects));
  }
  return result;
}

}  // namespace nv
