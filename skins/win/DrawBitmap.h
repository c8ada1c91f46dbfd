#pragma once
// TDrawBitmap: an 8-bit surface the analyser paints colour indices into and blits once per repaint: a top-down
// device-independent bitmap with up to 256 colours, rows padded to 4 bytes, cleared when its size changes. On a
// screen of 256 colours or fewer it is drawn through a halftone palette.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "skins/SkinElement.h"
#include "skins/SpectrumBands.h"
#include "support/ui/Geometry.h"
#include "support/ui/win/GdiObjects.h"

namespace nv {

class TDrawBitmap {
public:
  TDrawBitmap();
  ~TDrawBitmap();
  TDrawBitmap(const TDrawBitmap&) = delete;
  TDrawBitmap& operator=(const TDrawBitmap&) = delete;

  void SetSize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The colours, at most 256.
  void SetColours(const std::vector<SkinColour>& colours);
  int ColourCount() const { return colourCount_; }
  IndexedPixels Pixels();
  // Stretches the surface over `destination`.
  void Draw(HDC dc, const Rect& destination);

private:
  struct Header {
    BITMAPINFOHEADER info;
    RGBQUAD colours[256];
  } header_{};
  int width_ = 0, height_ = 0, colourCount_ = 0;
  std::vector<std::uint8_t> pixels_;
  HPALETTE halftone_ = nullptr;
};

}  // namespace nv
