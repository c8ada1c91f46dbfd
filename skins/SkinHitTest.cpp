#include "skins/SkinHitTest.h"

namespace nv {

SkinHit SkinFormHit(const SkinHitQuery& q) {
  const int x = q.at.x, y = q.at.y, w = q.window.width, h = q.window.height;
  if (!Rect{0, 0, w, h}.Contains(q.at)) return SkinHit::Nowhere;
  if (q.inCaption) return SkinHit::Caption;
  if (!q.sizeable || !q.inSizing) return SkinHit::Client;
  const bool leftHalf = x <= w / 2, topHalf = y <= h / 2;
  SkinHit hit = topHalf ? (leftHalf ? SkinHit::TopLeft : SkinHit::TopRight)
                        : (leftHalf ? SkinHit::BottomLeft : SkinHit::BottomRight);
  const Insets& b = q.borders;
  if (b.top < y && y < h - b.bottom) {
    if (x < b.left) hit = SkinHit::Left;
    else if (x > w - b.right) hit = SkinHit::Right;
  } else if (b.left < x && x < w - b.right) {
    if (y < b.top) hit = SkinHit::Top;
    else if (y > h - b.bottom) hit = SkinHit::Bottom;
  }
  return hit;
}

}  // namespace nv
