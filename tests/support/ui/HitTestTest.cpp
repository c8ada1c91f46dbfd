// Which windowless child takes a point: the topmost one that is visible, enabled and not transparent.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "support/ui/HitTest.h"

namespace nv {
namespace {

// Bottom first, as a form holds them:
//   0 background picture 0,0-200,100 (transparent: the form's caption area shows through it)
//   1 button A           10,10-60,40
//   2 button B           40,20-90,60 (over A where they meet)
//   3 hidden button      100,10-150,40
//   4 disabled button    100,50-150,90, over
//   5 a label            110,60-140,80, which lies on the disabled button and is transparent
//   6 slider             160,10-190,90
const std::vector<HitCandidate> kChildren = {
    {{0, 0, 200, 100}, true, true, true},
    {{10, 10, 60, 40}},
    {{40, 20, 90, 60}},
    {{100, 10, 150, 40}, false, true, false},
    {{100, 50, 150, 90}, true, false, false},
    {{110, 60, 140, 80}, true, true, true},
    {{160, 10, 190, 90}},
};

struct HitCase {
  const char* what;
  Point at;
  std::optional<std::size_t> expected;  // none: the container itself
};

TEST(HitTest, TheTopmostChildThatTakesTheMouseWins) {
  const HitCase cases[] = {
      {"only A", {20, 15}, 1},
      {"where A and B overlap, B (made later) is on top", {50, 30}, 2},
      {"only B", {80, 55}, 2},
      {"the right edge is outside", {90, 30}, std::nullopt},
      {"the left edge is inside", {40, 45}, 2},
      {"a transparent background lets the point through to the container", {5, 95}, std::nullopt},
      {"a hidden button takes nothing", {120, 20}, std::nullopt},
      {"a disabled button takes nothing", {105, 55}, std::nullopt},
      {"a transparent label over a disabled button: still nothing", {120, 70}, std::nullopt},
      {"the slider", {175, 89}, 6},
      {"outside everything", {250, 50}, std::nullopt},
  };
  for (const HitCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(TopmostHit(kChildren, c.at), c.expected);
  }
}

TEST(HitTest, AnOpaqueControlBeneathATransparentOneTakesThePoint) {
  const std::vector<HitCandidate> children = {{{0, 0, 50, 50}}, {{0, 0, 50, 50}, true, true, true}};
  EXPECT_EQ(TopmostHit(children, {25, 25}), 0u);
}

}  // namespace
}  // namespace nv
