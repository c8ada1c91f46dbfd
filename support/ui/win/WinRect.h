#pragma once
// The layer's rectangles and the system's RECT hold the same four edges.
#include <windows.h>

#include "support/ui/Geometry.h"

namespace nv {

inline RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
inline Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace nv
