#include "skins/win/SkinDrawing.h"

#include <array>
#include <vector>

#include "skins/NinePart.h"
#include "skins/win/SkinBitmaps.h"
#include "support/ui/win/WinRect.h"

namespace nv {

namespace {

// Copies or blends one piece, scaling when the sizes differ.
void Transfer(HDC dc, const Rect& to, const GdiSkinBitmap& image, const Rect& from) {
  if (to.IsEmpty() || from.IsEmpty()) return;
  if (image.Alpha()) {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, to.left, to.top, to.Width(), to.Height(), image.Dc(), from.left, from.top, from.Width(),
               from.Height(), blend);
  } else if (to.Width() == from.Width() && to.Height() == from.Height()) {
    BitBlt(dc, to.left, to.top, to.Width(), to.Height(), image.Dc(), from.left, from.top, SRCCOPY);
  } else {
    StretchBlt(dc, to.left, to.top, to.Width(), to.Height(), image.Dc(), from.left, from.top, from.Width(),
               from.Height(), SRCCOPY);
  }
}

// Stretching picks pixels rather than averaging them, so skin edges stay crisp.
class StretchMode {
public:
  explicit StretchMode(HDC dc) : dc_(dc), previous_(SetStretchBltMode(dc, COLORONCOLOR)) {}
  ~StretchMode() {
    if (previous_) SetStretchBltMode(dc_, previous_);
  }
  StretchMode(const StretchMode&) = delete;
  StretchMode& operator=(const StretchMode&) = delete;

private:
  HDC dc_;
  int previous_;
};

bool Visible(HDC dc, const Rect& area) {
  const RECT r = ToRECT(area);
  return !area.IsEmpty() && RectVisible(dc, &r);
}

Rect BitmapBounds(const TSkinElement& element) { return {0, 0, element.BitmapWidth(), element.BitmapHeight()}; }

// The sub-image to stretch over `destination`, the light variant when the backdrop asks for it.
Rect SourceFor(HDC dc, const TSkinElement& element, const Rect& destination, int index) {
  const bool light = element.HasLightVariant() && IsLightBackground(dc, element, destination);
  return element.GetImageRect(index, light);
}

void DrawPieces(HDC dc, const TSkinElement& element, const ImagePieces& pieces) {
  const GdiSkinBitmap* image = GdiBitmapOf(element.SharedBitmap());
  if (!image) return;
  const StretchMode mode(dc);
  for (const ImagePiece& piece : pieces) Transfer(dc, piece.destination, *image, piece.source);
}

}  // namespace

bool IsLightBackground(HDC dc, const TSkinElement& element, const Rect& destination) {
  if (!element.HasLightVariant()) return false;
  std::array<SkinColour, 4> read{};
  std::size_t count = 0;
  for (const Point& p : LightSamplePoints(destination)) {
    const COLORREF colour = GetPixel(dc, p.x, p.y);
    if (colour != CLR_INVALID) read[count++] = colour;
  }
  return IsLightBackdrop(std::span(read.data(), count));
}

void DrawElementPart(HDC dc, const TSkinElement& element, int x, int y, const Rect& part, int index) {
  if (element.IsEmpty()) return;
  const Rect whole = Rect::FromSize(x, y, element.ImageWidth(), element.ImageHeight());
  const Rect wanted = part.Offset(x, y).Intersect(whole);
  if (!Visible(dc, wanted)) return;
  const Rect source = SourceFor(dc, element, whole, index);
  if (source.IsEmpty()) return;
  // The part in the bitmap, cut to what the bitmap holds; drawn where it lies in the whole.
  const Rect from = wanted.Offset(source.left - x, source.top - y).Intersect(BitmapBounds(element));
  if (from.IsEmpty()) return;
  const GdiSkinBitmap* image = GdiBitmapOf(element.SharedBitmap());
  if (!image) return;
  Transfer(dc, from.Offset(x - source.left, y - source.top), *image, from);
}

void DrawElement(HDC dc, const TSkinElement& element, int x, int y, int index) {
  DrawElementPart(dc, element, x, y, {0, 0, element.ImageWidth(), element.ImageHeight()}, index);
}

void DrawElementStretched(HDC dc, const TSkinElement& element, const Rect& destination, const Insets& insets,
                          int index) {
  if (element.IsEmpty() || !Visible(dc, destination)) return;
  const Rect source = SourceFor(dc, element, destination, index).Intersect(BitmapBounds(element));
  if (source.IsEmpty()) return;
  DrawPieces(dc, element, StretchedPieces(destination, source, insets));
}

void DrawElementStretchedWithCentre(HDC dc, const TSkinElement& element, const Rect& destination, const Rect& centre,
                                    const Insets& insets, const std::optional<Rect>& sourcePart, int index) {
  if (element.IsEmpty() || !Visible(dc, destination)) return;
  Rect source = SourceFor(dc, element, destination, index);
  if (sourcePart) source = sourcePart->Offset(source.left, source.top).Intersect(source);
  // The centre is placed within the sub-image as it was before cutting it to the bitmap.
  const Rect readable = source.Intersect(BitmapBounds(element));
  if (readable.IsEmpty()) return;
  const Rect fixed = centre.Offset(source.left - readable.left, source.top - readable.top);
  DrawPieces(dc, element, StretchedPiecesWithCentre(destination, readable, insets, fixed));
}

}  // namespace nv
