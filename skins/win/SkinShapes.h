#pragma once
// Window shapes from mask elements, as system regions: the mask's regions (MaskRegions.h) for a rectangle of the
// window, each built in one call from its rectangles. A mask that stretches with its window is drawn at the
// rectangle's size first — by whoever owns the shape, which may draw its mask its own way — and read back.
#include <windows.h>

#include <functional>
#include <span>
#include <vector>

#include "skins/SkinElement.h"
#include "support/ui/Geometry.h"
#include "support/ui/win/GdiObjects.h"

namespace nv {

// One region from banded rectangles; an empty region when there are none.
UniqueRegion RegionFromRects(std::span<const Rect> rects);

// Draws a mask into a surface of the given rectangle's size (origin 0, 0).
using MaskPainter = std::function<void(HDC dc, const Rect& area)>;

// The regions of `colours` (MaskRegions) for `rect`, in the window's coordinates: the mask's bitmap as it is, or
// what `paint` draws when given. Empty when the mask has no image.
std::vector<UniqueRegion> ShapeRegions(const TSkinElement& mask, const Rect& rect, std::span<const int> colours,
                                       const MaskPainter& paint = {});

}  // namespace nv
