#pragma once
// How a container places its children, as pure functions over rectangles so that every layout can be checked in a
// table without a window.
//
// Alignment: children aligned to an edge take the whole length of that edge and keep their own depth (a top child
// keeps its height); they are stacked from the edge inwards in child order, first all top, then bottom, left and
// right children, and a client child fills what remains. Unaligned children keep their bounds.
//
// Anchors: an unaligned child keeps its distance to each edge it is anchored to when the container changes size;
// anchored to both edges of an axis it stretches, anchored to neither it keeps its share of the centre.
#include <cstdint>
#include <span>

#include "support/ui/Geometry.h"

namespace nv {

enum class Align : std::uint8_t { None, Top, Bottom, Left, Right, Client };

struct Anchors {
  bool left = true, top = true, right = false, bottom = false;
  friend bool operator==(const Anchors&, const Anchors&) = default;
};

struct AlignedChild {
  Align align = Align::None;
  bool visible = true;  // hidden children take no room
  Rect bounds;          // in: the current bounds; out: the aligned bounds
};

// Aligns the children inside `area` (the container's client rectangle less its insets).
void AlignChildren(const Rect& area, std::span<AlignedChild> children);

// Where an unaligned child with these anchors goes when its container's client size changes from `before` to
// `after`.
Rect AnchoredBounds(const Rect& bounds, const Anchors& anchors, Size before, Size after);

}  // namespace nv
