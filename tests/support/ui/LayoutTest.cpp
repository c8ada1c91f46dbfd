// Alignment and anchors as pure functions: the media browser's arrangement at its usual and its smallest size, and
// what each anchor keeps when a container grows.
#include <gtest/gtest.h>

#include <vector>

#include "support/ui/Layout.h"

namespace nv {
namespace {

// A browser-like window: a tool bar on top, a status line at the bottom, the tree on the left, a details pane on
// the right and the list in what remains, inside a panel with 2-pixel insets.
std::vector<AlignedChild> BrowserChildren() {
  return {
      {Align::Client, true, Rect::FromSize(0, 0, 10, 10)},   // list
      {Align::Left, true, Rect::FromSize(0, 0, 220, 10)},    // tree
      {Align::Top, true, Rect::FromSize(0, 0, 10, 34)},      // tool bar
      {Align::Right, true, Rect::FromSize(0, 0, 150, 10)},   // details
      {Align::Bottom, true, Rect::FromSize(0, 0, 10, 19)},   // status line
      {Align::None, true, Rect::FromSize(300, 300, 40, 20)}, // a floating button keeps its place
  };
}

struct AlignCase {
  const char* what;
  Rect area;
  std::vector<Rect> expected;  // in child order
};

TEST(Layout, AlignsTheBrowserAtItsUsualAndItsSmallestSize) {
  const Insets insets{2, 2, 2, 2};
  const AlignCase cases[] = {
      {"892 x 603",
       Rect{0, 0, 892, 603}.Deflate(insets),
       {{222, 36, 740, 582}, {2, 36, 222, 582}, {2, 2, 890, 36}, {740, 36, 890, 582}, {2, 582, 890, 601},
        Rect::FromSize(300, 300, 40, 20)}},
      {"560 x 110, the minimum",
       Rect{0, 0, 560, 110}.Deflate(insets),
       {{222, 36, 408, 89}, {2, 36, 222, 89}, {2, 2, 558, 36}, {408, 36, 558, 89}, {2, 89, 558, 108},
        Rect::FromSize(300, 300, 40, 20)}},
      {"too small for every depth: later children get what is left, the client nothing",
       Rect{0, 0, 300, 40},
       {{220, 34, 220, 34}, {0, 34, 220, 34}, {0, 0, 300, 34}, {220, 34, 300, 34}, {0, 34, 300, 40},
        Rect::FromSize(300, 300, 40, 20)}},
  };
  for (const AlignCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<AlignedChild> children = BrowserChildren();
    AlignChildren(c.area, children);
    ASSERT_EQ(children.size(), c.expected.size());
    for (std::size_t i = 0; i < children.size(); ++i) EXPECT_EQ(children[i].bounds, c.expected[i]) << "child " << i;
  }
}

TEST(Layout, EdgeChildrenStackInChildOrderAndHiddenOnesTakeNoRoom) {
  std::vector<AlignedChild> children = {
      {Align::Top, true, Rect::FromSize(0, 0, 1, 20)},
      {Align::Top, false, Rect::FromSize(5, 5, 1, 50)},  // hidden: keeps its bounds, takes nothing
      {Align::Top, true, Rect::FromSize(0, 0, 1, 30)},
      {Align::Left, true, Rect::FromSize(0, 0, 40, 1)},
      {Align::Left, true, Rect::FromSize(0, 0, 25, 1)},
      {Align::Client, true, {}},
  };
  AlignChildren({0, 0, 200, 100}, children);
  EXPECT_EQ(children[0].bounds, (Rect{0, 0, 200, 20}));
  EXPECT_EQ(children[1].bounds, Rect::FromSize(5, 5, 1, 50));
  EXPECT_EQ(children[2].bounds, (Rect{0, 20, 200, 50}));
  EXPECT_EQ(children[3].bounds, (Rect{0, 50, 40, 100}));
  EXPECT_EQ(children[4].bounds, (Rect{40, 50, 65, 100}));
  EXPECT_EQ(children[5].bounds, (Rect{65, 50, 200, 100}));
}

struct AnchorCase {
  const char* what;
  Anchors anchors;
  Rect expected;  // of a 40 x 20 child at (100, 50) when its container grows from 300 x 200 to 400 x 260
};

TEST(Layout, AnchorsKeepTheDistancesTheyName) {
  const Rect child = Rect::FromSize(100, 50, 40, 20);
  const AnchorCase cases[] = {
      {"left and top (the default) stay", {true, true, false, false}, Rect::FromSize(100, 50, 40, 20)},
      {"right only keeps its right edge", {false, true, true, false}, Rect::FromSize(200, 50, 40, 20)},
      {"bottom only keeps its bottom edge", {true, false, false, true}, Rect::FromSize(100, 110, 40, 20)},
      {"left and right stretch", {true, true, true, false}, Rect::FromSize(100, 50, 140, 20)},
      {"top and bottom stretch", {true, true, false, true}, Rect::FromSize(100, 50, 40, 80)},
      {"no anchor keeps its centre's share", {false, false, false, false}, Rect::FromSize(140, 68, 40, 20)},
  };
  for (const AnchorCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(AnchoredBounds(child, c.anchors, {300, 200}, {400, 260}), c.expected);
  }
}

TEST(Layout, AStretchedChildNeverGetsANegativeSize) {
  EXPECT_EQ(AnchoredBounds(Rect::FromSize(10, 10, 280, 20), {true, true, true, false}, {300, 200}, {15, 200}),
            Rect::FromSize(10, 10, 0, 20));
}

}  // namespace
}  // namespace nv
