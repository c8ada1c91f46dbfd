#include "support/ui/Layout.h"

#include <algorithm>

namespace nv {

namespace {

// Places one edge-aligned child against the free area's edge and takes its depth out of the free area. A child
// deeper than what is left gets what is left.
void Dock(AlignedChild& child, Rect& free) {
  const int width = child.bounds.Width(), height = child.bounds.Height();
  switch (child.align) {
    case Align::Top: {
      const int depth = std::clamp(height, 0, std::max(free.Height(), 0));
      child.bounds = {free.left, free.top, free.right, free.top + depth};
      free.top += depth;
      break;
    }
    case Align::Bottom: {
      const int depth = std::clamp(height, 0, std::max(free.Height(), 0));
      child.bounds = {free.left, free.bottom - depth, free.right, free.bottom};
      free.bottom -= depth;
      break;
    }
    case Align::Left: {
      const int depth = std::clamp(width, 0, std::max(free.Width(), 0));
      child.bounds = {free.left, free.top, free.left + depth, free.bottom};
      free.left += depth;
      break;
    }
    case Align::Right: {
      const int depth = std::clamp(width, 0, std::max(free.Width(), 0));
      child.bounds = {free.right - depth, free.top, free.right, free.bottom};
      free.right -= depth;
      break;
    }
    default:
      break;
  }
}

// One axis of an anchored child: its start and length for the container's new length.
void AnchorAxis(int& start, int& length, bool anchoredStart, bool anchoredEnd, int before, int after) {
  const int endGap = before - (start + length);
  if (anchoredStart && anchoredEnd) {
    length = std::max(after - start - endGap, 0);
  } else if (anchoredEnd) {
    start = after - endGap - length;
  } else if (!anchoredStart && before > 0) {
    // Neither edge: the child's centre keeps its share of the container.
    const long long centre2 = 2LL * start + length;  // twice the centre, to stay in integers
    start = static_cast<int>((centre2 * after / before - length) / 2);
  }
}

}  // namespace

void AlignChildren(const Rect& area, std::span<AlignedChild> children) {
  Rect free = area;
  for (const Align pass : {Align::Top, Align::Bottom, Align::Left, Align::Right})
    for (AlignedChild& child : children)
      if (child.visible && child.align == pass) Dock(child, free);
  for (AlignedChild& child : children)
    if (child.visible && child.align == Align::Client)
      child.bounds = {free.left, free.top, std::max(free.right, free.left), std::max(free.bottom, free.top)};
}

Rect AnchoredBounds(const Rect& bounds, const Anchors& anchors, Size before, Size after) {
  int left = bounds.left, width = bounds.Width(), top = bounds.top, height = bounds.Height();
  AnchorAxis(left, width, anchors.left, anchors.right, before.width, after.width);
  AnchorAxis(top, height, anchors.top, anchors.bottom, before.height, after.height);
  return Rect::FromSize(left, top, width, height);
}

}  // namespace nv
