#include "skins/win/DrawBitmap.h"

#include <algorithm>
#include <utility>

namespace nv {

TDrawBitmap::TDrawBitmap() {
  header_.info.biSize = sizeof(BITMAPINFOHEADER);
  header_.info.biPlanes = 1;
  header_.info.biBitCount = 8;
  header_.info.biCompression = BI_RGB;
}

TDrawBitmap::~TDrawBitmap() {
  if (halftone_) DeleteObject(halftone_);
}

void TDrawBitmap::SetSize(int width, int height) {
  width = std::max(width, 0), height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  width_ = width, height_ = height;
  header_.info.biWidth = width;
  header_.info.biHeight = -height;  // rows top-down
  pixels_.assign(static_cast<std::size_t>((width + 3) / 4 * 4) * height, 0);
}

void TDrawBitmap::SetColours(const std::vector<SkinColour>& colours) {
  const int count = static_cast<int>(std::min<std::size_t>(colours.size(), 256));
  for (int i = 0; i < count; ++i) {
    const SkinColour c = colours[i];  // 0x00BBGGRR
    header_.colours[i] = {static_cast<BYTE>(c >> 16), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c), 0};
  }
  colourCount_ = count;
  header_.info.biClrUsed = static_cast<DWORD>(count);
  if (halftone_) DeleteObject(std::exchange(halftone_, nullptr));
}

IndexedPixels TDrawBitmap::Pixels() { return {pixels_, width_, height_, (width_ + 3) / 4 * 4}; }

void TDrawBitmap::Draw(HDC dc, const Rect& destination) {
  if (width_ <= 0 || height_ <= 0) return;
  HPALETTE previous = nullptr;
  if (GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) <= 8) {
    if (!halftone_) halftone_ = CreateHalftonePalette(dc);
    previous = SelectPalette(dc, halftone_, FALSE);
    RealizePalette(dc);
  }
  StretchDIBits(dc, destination.left, destination.top, destination.Width(), destination.Height(), 0, 0, width_,
                height_, pixels_.data(), reinterpret_cast<const BITMAPINFO*>(&header_), DIB_RGB_COLORS, SRCCOPY);
  if (previous) SelectPalette(dc, previous, FALSE);
}

}  // namespace nv
