#pragma once
// Where a point of a skinned form lies, for the system's hit test: its caption (the window drags from there), the
// corners and edges of its sizing area, or its client area. Which areas are caption and sizing comes from the form's
// mask (MaskRegions.h); the answer for a point in the sizing area follows the form's border insets.
#include <cstdint>

#include "support/ui/Geometry.h"

namespace nv {

enum class SkinHit : std::uint8_t {
  Nowhere, Client, Caption, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight
};

struct SkinHitQuery {
  Point at;                 // in the window's coordinates
  Size window;              // the window's size
  Insets borders;           // the form's border insets
  bool sizeable = false;
  bool inCaption = false;   // the point lies in the caption region
  bool inSizing = false;    // ... in the sizing region
};

// Outside the window: nowhere. In the caption region: the caption. For a sizeable form in the sizing region: the
// corner of the point's quadrant, replaced by the left or right edge between the top and bottom insets, or else by
// the top or bottom edge between the left and right insets. Anything else is the client area.
SkinHit SkinFormHit(const SkinHitQuery& query);

}  // namespace nv
