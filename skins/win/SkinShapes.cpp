#include "skins/win/SkinShapes.h"

#include <algorithm>

#include "skins/MaskRegions.h"
#include "skins/win/SkinBitmaps.h"
#include "support/ui/win/WinRect.h"

namespace nv {

UniqueRegion RegionFromRects(std::span<const Rect> rects) {
  if (rects.empty()) return UniqueRegion(CreateRectRgn(0, 0, 0, 0));
  std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = static_cast<DWORD>(rects.size());
  header->nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  Rect bounds = rects[0];
  auto* out = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
  for (std::size_t i = 0; i < rects.size(); ++i) {
    const Rect& r = rects[i];
    out[i] = ToRECT(r);
    bounds = {std::min(bounds.left, r.left), std::min(bounds.top, r.top), std::max(bounds.right, r.right),
              std::max(bounds.bottom, r.bottom)};
  }
  header->rcBound = ToRECT(bounds);
  return UniqueRegion(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data())));
}

std::vector<UniqueRegion> ShapeRegions(const TSkinElement& mask, const Rect& rect, std::span<const int> colours,
                                       const MaskPainter& paint) {
  std::vector<UniqueRegion> regions;
  if (mask.IsEmpty() || rect.IsEmpty()) return regions;
  std::vector<std::vector<Rect>> parts;
  if (paint) {
    const PixelSurface surface(rect.Width(), rect.Height());
    paint(surface.Dc(), {0, 0, rect.Width(), rect.Height()});
    const std::uint32_t* pixels = surface.Pixels();
    if (!pixels) return regions;
    const std::size_t count = static_cast<std::size_t>(surface.Width()) * surface.Height();
    parts = MaskRegions({surface.Width(), surface.Height(), {pixels, count}}, colours, colours.size());
  } else {
    parts = MaskRegions(RowsOf(mask.Bitmap()), colours, colours.size());
  }
  for (std::vector<Rect>& part : parts) {
    for (Rect& r : part) r = r.Offset(rect.left, rect.top);
    regions.push_back(RegionFromRects(part));
  }
  return regions;
}

}  // namespace nv
