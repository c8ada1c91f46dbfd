#pragma once
// Drawing skin elements onto a device context: one sub-image as it is, part of one, or one stretched in nine parts
// (around a fixed centre when asked). Images that carry alpha are blended over what is already painted (their
// pixels are premultiplied); the others are copied. Each draw decides again whether the backdrop is light enough
// for the element's light variant, by reading what is painted under it, so one skin serves dark and light taskbars.
// Nothing is ever read outside an image: a sub-image that reaches past its bitmap is drawn as far as it goes, and a
// missing image draws nothing.
#include <windows.h>

#include <optional>

#include "skins/SkinElement.h"
#include "support/ui/Geometry.h"

namespace nv {

// Whether the backdrop under `destination` asks for the light variant (only when the element has one).
bool IsLightBackground(HDC dc, const TSkinElement& element, const Rect& destination);

// Sub-image `index` with its top-left corner at (x, y).
void DrawElement(HDC dc, const TSkinElement& element, int x, int y, int index);
// Only `part` of it (in the sub-image's own coordinates), where it lies when the whole is drawn at (x, y).
void DrawElementPart(HDC dc, const TSkinElement& element, int x, int y, const Rect& part, int index);
// Stretched over `destination` in nine parts cut by `insets` (corners unscaled); insets of 0 stretch it whole.
void DrawElementStretched(HDC dc, const TSkinElement& element, const Rect& destination, const Insets& insets,
                          int index);
// The same around a fixed centre: `centre` (in the sub-image's coordinates) keeps its size in the middle of the
// destination. `sourcePart` narrows the sub-image first.
void DrawElementStretchedWithCentre(HDC dc, const TSkinElement& element, const Rect& destination, const Rect& centre,
                                    const Insets& insets, const std::optional<Rect>& sourcePart, int index);

}  // namespace nv
