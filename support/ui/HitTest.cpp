#include "support/ui/HitTest.h"

namespace nv {

std::optional<std::size_t> TopmostHit(std::span<const HitCandidate> children, Point point) {
  for (std::size_t i = children.size(); i-- > 0;) {
    const HitCandidate& child = children[i];
    if (child.visible && child.enabled && !child.transparent && child.bounds.Contains(point)) return i;
  }
  return std::nullopt;
}

}  // namespace nv
