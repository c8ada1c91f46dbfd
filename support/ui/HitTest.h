#pragma once
// Which of a container's windowless children a point falls on. Children are listed bottom first (creation order,
// later ones drawn over earlier ones); the topmost child that contains the point and takes the mouse wins. A hidden
// or disabled child takes nothing, and a transparent one (a panel picture, a label over a button) lets the point
// through to what lies beneath it, or to the container itself.
#include <optional>
#include <span>

#include "support/ui/Geometry.h"

namespace nv {

struct HitCandidate {
  Rect bounds;
  bool visible = true;
  bool enabled = true;
  bool transparent = false;
};

// The index of the child that takes the point, or none when the container itself does.
std::optional<std::size_t> TopmostHit(std::span<const HitCandidate> children, Point point);

}  // namespace nv
