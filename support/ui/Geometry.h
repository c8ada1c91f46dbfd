#pragma once
// Points, sizes and rectangles of the user interface, in pixels. A rectangle holds its left and top edges and the
// edges just past its right and bottom, as the system's RECT does, so the two convert member by member.
#include <algorithm>

namespace nv {

struct Point {
  int x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0, height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// Distances kept free inside a container's edges (a panel's border insets).
struct Insets {
  int left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const Insets&, const Insets&) = default;
};

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;

  static constexpr Rect FromSize(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
  }

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr Size Extent() const { return {Width(), Height()}; }
  constexpr Point TopLeft() const { return {left, top}; }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  constexpr Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  constexpr Rect Deflate(const Insets& by) const {
    return {left + by.left, top + by.top, right - by.right, bottom - by.bottom};
  }
  // The common part; an empty rectangle when there is none.
  constexpr Rect Intersect(const Rect& other) const {
    const Rect common{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                      std::min(bottom, other.bottom)};
    return common.IsEmpty() ? Rect{} : common;
  }

  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace nv
