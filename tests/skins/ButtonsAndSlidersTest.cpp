// The arithmetic of skinned buttons and sliders, as tables: which sub-image a button shows in each state with its
// one fallback, how a slider's values snap, where its thumb lies and which value a point means (the exact inverse,
// for every style and with unequal ends), how held buttons and track clicks step, and how the spaces shrink.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "skins/ButtonGlyph.h"
#include "skins/SkinSlicing.h"
#include "skins/SliderMaths.h"

namespace nv {
namespace {

// --- Buttons ---

GlyphIndices AllSeven() {
  GlyphIndices glyph;
  for (int slot = 0; slot < kGlyphSlots; ++slot) glyph.SetIndex(slot, slot);
  return glyph;
}

TEST(ButtonGlyph, EachStateShowsItsSlotOrFallsBackOnce) {
  using S = ButtonState;
  const GlyphIndices seven = AllSeven();
  GlyphIndices sparse;  // up 0, pushed 0, down 1, nothing else
  sparse.SetIndex(gsDown, 1);
  const struct {
    const char* what;
    GlyphIndices glyph;
    S state;
    bool hot, downOrChecked;
    std::set<int> missing;  // sub-images the skin lacks
    int expected;
  } cases[] = {
      {"up", seven, S::bsUp, false, false, {}, 0},
      {"hot, flat", seven, S::bsUp, true, false, {}, 2},
      {"pressed", seven, S::bsDown, false, false, {}, 1},
      {"pressed while checked", seven, S::bsDown, false, true, {}, 4},
      {"checked", seven, S::bsExclusive, false, true, {}, 3},
      {"checked and hot", seven, S::bsExclusive, true, true, {}, 5},
      {"disabled", seven, S::bsDisabled, false, false, {}, 6},
      {"flat with no hot index shows up", sparse, S::bsUp, true, false, {}, 0},
      {"checked, hovered, no hot-down index shows down", sparse, S::bsExclusive, true, true, {}, 1},
      {"pressed while checked, no index: down", sparse, S::bsDown, false, true, {}, 1},
      {"disabled and checked without an index: down", sparse, S::bsDisabled, false, true, {}, 1},
      {"disabled and up without an index: up", sparse, S::bsDisabled, false, false, {}, 0},
      {"hot sub-image missing from the skin: up", seven, S::bsUp, true, false, {2}, 0},
      {"the fallback is taken as it stands", seven, S::bsUp, true, false, {2, 0}, 0},
      {"pressed-down missing: down", seven, S::bsDown, false, true, {4}, 3},
      {"disabled missing while up: up", seven, S::bsDisabled, false, false, {6}, 0},
      {"up missing has no fallback", seven, S::bsUp, false, false, {0}, 0},
      {"pressed missing has no fallback", seven, S::bsDown, false, false, {1}, 1},
  };
  for (const auto& c : cases) {
    const int slot = GlyphSlotFor(c.state, c.hot, c.downOrChecked);
    EXPECT_EQ(GlyphImage(c.glyph, slot, c.downOrChecked, [&](int i) { return c.missing.count(i) > 0; }), c.expected)
        << c.what;
  }
}

TEST(ButtonGlyph, IndicesBelowNoneAreNoneAndTheSlicingTableGivesEachButtonItsCells) {
  GlyphIndices glyph;
  glyph.SetIndex(gsFlatUp, -7);
  EXPECT_EQ(glyph.Index(gsFlatUp), -1);
  EXPECT_EQ(glyph.Index(gsUp), 0);
  EXPECT_EQ(glyph.Index(gsPushUp), 0);
  EXPECT_EQ(glyph.Index(gsDisabled), -1);
  // "up pushed/down/pushedDown hot/hotDown": a drop-down button's three cells.
  const GlyphIndices myMedia(GlyphIndicesOf(*FindSkinSlice("TrayButtons.MyMedia")));
  const int expected[kGlyphSlots] = {0, 1, 2, 1, 1, 2, -1};
  for (int slot = 0; slot < kGlyphSlots; ++slot) EXPECT_EQ(myMedia.Index(slot), expected[slot]) << "slot " << slot;
}

TEST(ButtonGlyph, AHeldButtonIsPressedOverItAndRestsDownOnlyWhenItStaysDown) {
  EXPECT_EQ(StateWhileHeld(true, false), ButtonState::bsDown);
  EXPECT_EQ(StateWhileHeld(true, true), ButtonState::bsDown);
  EXPECT_EQ(StateWhileHeld(false, false), ButtonState::bsUp);
  EXPECT_EQ(StateWhileHeld(false, true), ButtonState::bsExclusive);
  EXPECT_EQ(RestingState(true), ButtonState::bsExclusive);
  EXPECT_EQ(RestingState(false), ButtonState::bsUp);
}

// --- Slider values ---

TEST(SliderValues, EveryValueSnapsToTheStep) {
  SliderValues v;
  v.SetStep(5);
  v.SetMax(12);
  EXPECT_EQ(v.Max(), 10) << "12 / 5 rounds to 2";
  v.SetPosition(7);
  EXPECT_EQ(v.Position(), 5);
  v.SetPosition(13);
  EXPECT_EQ(v.Position(), 10) << "limited to Max";
  v.SetPosition(-4);
  EXPECT_EQ(v.Position(), 0);
  v.SetPosition(10);
  EXPECT_TRUE(v.SetMax(3)) << "a lower Max lowers the position with it";
  EXPECT_EQ(v.Max(), 5);
  EXPECT_EQ(v.Position(), 5);
  v.SetMax(-20);
  EXPECT_EQ(v.Max(), 0);
  EXPECT_EQ(v.Position(), 0);
  // Halves round to even: 25 / 10 = 2.5 gives 20, 35 / 10 = 3.5 gives 40.
  v.SetStep(10);
  v.SetMax(25);
  EXPECT_EQ(v.Max(), 20);
  v.SetMax(35);
  EXPECT_EQ(v.Max(), 40);
}

TEST(SliderValues, AStepBelowOneIsOneAndANewStepSnapsEverythingAgain) {
  SliderValues v;
  v.SetMax(100);
  v.SetPosition(47);
  v.SetPage(23);
  v.SetStep(0);
  EXPECT_EQ(v.Step(), 1);
  EXPECT_EQ(v.Position(), 47);
  EXPECT_TRUE(v.SetStep(10));
  EXPECT_EQ(v.Position(), 50);
  EXPECT_EQ(v.Page(), 20);
  EXPECT_EQ(v.Max(), 100);
  v.SetPage(3);
  EXPECT_EQ(v.Page(), 10) << "below the step: the step";
  v.SetPage(400);
  EXPECT_EQ(v.Page(), 100) << "limited to Max";
}

TEST(SliderValues, SpacesLongerThanTheSliderShrinkInProportion) {
  EXPECT_EQ(FitSpaces(30, 30, 40), std::make_pair(20, 20));
  EXPECT_EQ(FitSpaces(10, 30, 20), std::make_pair(5, 15));
  EXPECT_EQ(FitSpaces(10, 30, 40), std::make_pair(10, 30)) << "they fit exactly";
  EXPECT_EQ(FitSpaces(0, 0, 0), std::make_pair(0, 0));
  EXPECT_EQ(FitSpaces(5, 5, -3), std::make_pair(0, 0));
}

// --- Slider geometry ---

// A slider whose two ends differ: an up button 8 long, a down button 12 long, 3 pixels of space at the start and 7
// at the end, a thumb 10 long.
SliderParts UnequalEnds(SliderOrientation orientation, SliderStyle style, int length) {
  SliderParts p;
  p.orientation = orientation;
  p.style = style;
  const bool horizontal = orientation == SliderOrientation::soHorizontal;
  p.control = horizontal ? Size{length, 14} : Size{14, length};
  p.upGlyph = horizontal ? Size{8, 14} : Size{14, 8};
  p.downGlyph = horizontal ? Size{12, 14} : Size{14, 12};
  p.thumbGlyph = horizontal ? Size{10, 9} : Size{9, 10};
  p.upShown = p.downShown = true;
  p.spaceStart = 3;
  p.spaceEnd = 7;
  return p;
}

struct Style {
  const char* name;
  SliderOrientation orientation;
  SliderStyle style;
};
const Style kStyles[] = {
    {"horizontal slider", SliderOrientation::soHorizontal, SliderStyle::ssSlider},
    {"horizontal scroll bar", SliderOrientation::soHorizontal, SliderStyle::ssScrollBar},
    {"vertical slider", SliderOrientation::soVertical, SliderStyle::ssSlider},
    {"vertical scroll bar", SliderOrientation::soVertical, SliderStyle::ssScrollBar},
};

// The point the thumb's middle is grabbed at.
Point Grab(const Rect& thumb, bool horizontal) {
  return horizontal ? Point{thumb.left + thumb.Width() / 2, 7} : Point{7, thumb.top + thumb.Height() / 2};
}

TEST(SliderGeometry, AValueUnderThePointerReadsBackAsThatValueForEveryStyle) {
  for (const Style& s : kStyles) {
    for (const int max : {1, 7, 40, 100}) {
      // A track at least as long as the range: every value has a pixel of its own.
      const SliderGeometry g(UnequalEnds(s.orientation, s.style, 8 + 3 + 12 + 7 + 10 + max + 13));
      ASSERT_GE(g.TrackLength(), max);
      for (int value = 0; value <= max; ++value)
        EXPECT_EQ(g.ValueAt(Grab(g.Thumb(value, max), g.Horizontal()), max, -1), value)
            << s.name << ", max " << max << ", value " << value;
    }
  }
}

TEST(SliderGeometry, OnAShortTrackEveryPixelReadsBackToItsOwnThumb) {
  for (const Style& s : kStyles) {
    const int max = 1000;
    const SliderGeometry g(UnequalEnds(s.orientation, s.style, 90));
    const int travel = g.TrackLength();
    ASSERT_GT(travel, 0);
    ASSERT_LT(travel, max);
    for (int value = 0; value <= max; value += 7) {
      const Rect thumb = g.Thumb(value, max);
      const Rect again = g.Thumb(g.ValueAt(Grab(thumb, g.Horizontal()), max, -1), max);
      EXPECT_EQ(again, thumb) << s.name << ", value " << value;
    }
  }
}

TEST(SliderGeometry, TheThumbStartsAtTheRightEndForEachStyle) {
  // Length 100: the track is 100 - 8 - 3 - 12 - 7 - 10 = 60 pixels.
  const struct {
    const char* what;
    Style style;
    int position;
    Rect thumb;
  } cases[] = {
      {"horizontal at 0: after the up button and the space", kStyles[0], 0, {11, 3, 21, 12}},
      {"horizontal at Max: before the space and the down button", kStyles[0], 20, {71, 3, 81, 12}},
      {"horizontal halfway", kStyles[0], 10, {41, 3, 51, 12}},
      {"vertical slider at 0: at the bottom", kStyles[2], 0, {3, 71, 12, 81}},
      {"vertical slider at Max: at the top", kStyles[2], 20, {3, 11, 12, 21}},
      {"vertical scroll bar at 0: at the top", kStyles[3], 0, {3, 11, 12, 21}},
      {"vertical scroll bar at Max: at the bottom", kStyles[3], 20, {3, 71, 12, 81}},
  };
  for (const auto& c : cases) {
    const SliderGeometry g(UnequalEnds(c.style.orientation, c.style.style, 100));
    EXPECT_EQ(g.Thumb(c.position, 20), c.thumb) << c.what;
  }
}

TEST(SliderGeometry, ClicksNearTheEndsAndATrackWithNoLength) {
  const SliderGeometry vertical(UnequalEnds(SliderOrientation::soVertical, SliderStyle::ssSlider, 100));
  EXPECT_EQ(vertical.ValueAt({7, 80}, 100, 50), 0) << "near the bottom of a vertical slider: 0";
  EXPECT_EQ(vertical.ValueAt({7, 12}, 100, 50), 100) << "near its top: Max";
  EXPECT_TRUE(vertical.OnTrack({7, 12}));
  EXPECT_FALSE(vertical.OnTrack({7, 11})) << "within the up button and the space at the start";
  EXPECT_TRUE(vertical.OnTrack({7, 80}));
  EXPECT_FALSE(vertical.OnTrack({7, 81})) << "within the space at the end and the down button";

  // The buttons, spaces and thumb are longer than the slider: nothing divides by the track.
  const SliderGeometry full(UnequalEnds(SliderOrientation::soHorizontal, SliderStyle::ssSlider, 30));
  EXPECT_LE(full.TrackLength(), 0);
  EXPECT_EQ(full.ValueAt({15, 7}, 100, 42), 42) << "the value stays";
  EXPECT_FALSE(full.Thumb(42, 100).IsEmpty());
  SliderParts empty = UnequalEnds(SliderOrientation::soVertical, SliderStyle::ssScrollBar, 0);
  EXPECT_EQ(SliderGeometry(empty).ValueAt({0, 0}, 10, 3), 3);
}

TEST(SliderGeometry, EndButtonsAndUpDownControls) {
  SliderParts p = UnequalEnds(SliderOrientation::soHorizontal, SliderStyle::ssSlider, 100);
  p.upGlyph = {8, 10};
  const SliderGeometry g(p);
  EXPECT_EQ(g.UpButton(), Rect::FromSize(0, 2, 8, 10)) << "centred across the axis";
  EXPECT_EQ(g.DownButton(), Rect::FromSize(88, 0, 12, 14));
  p.upShown = false;
  EXPECT_TRUE(SliderGeometry(p).UpButton().IsEmpty());
  EXPECT_EQ(SliderGeometry(p).UpSize(), 0);
  p.style = SliderStyle::ssUpDown;
  EXPECT_EQ(SliderGeometry(p).UpSize(), 8) << "an up-down control shows both buttons";
  EXPECT_TRUE(SliderGeometry(p).Thumb(5, 10).IsEmpty()) << "and has no thumb";
}

TEST(SliderGeometry, HeldButtonsAndPagesStep) {
  using O = SliderOrientation;
  using S = SliderStyle;
  const struct {
    const char* what;
    int position;
    bool up;
    O orientation;
    S style;
    int expected;
  } cases[] = {
      {"down button of a scroll bar raises", 10, false, O::soVertical, S::ssScrollBar, 15},
      {"up button of a scroll bar lowers", 10, true, O::soVertical, S::ssScrollBar, 5},
      {"up arrow of a vertical up-down lowers", 10, true, O::soVertical, S::ssUpDown, 5},
      {"up arrow of a vertical slider raises", 10, true, O::soVertical, S::ssSlider, 15},
      {"left button of a horizontal slider lowers", 10, true, O::soHorizontal, S::ssSlider, 5},
      {"stops at Max", 18, false, O::soHorizontal, S::ssScrollBar, 20},
      {"stops at 0", 3, true, O::soHorizontal, S::ssScrollBar, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ButtonStep(c.position, 5, 20, c.up, c.orientation, c.style), c.expected) << c.what;
  EXPECT_EQ(PageStep(0, 25, 10), 10);
  EXPECT_EQ(PageStep(20, 25, 10), 25) << "never past the target";
  EXPECT_EQ(PageStep(40, 25, 10), 30);
  EXPECT_EQ(PageStep(30, 25, 10), 25);
}

TEST(SliderGeometry, TrackImagesAndSizes) {
  EXPECT_EQ(TrackImageIndex(28, 0, 100), 0);
  EXPECT_EQ(TrackImageIndex(28, 100, 100), 27);
  EXPECT_EQ(TrackImageIndex(28, 50, 100), 14) << "13.5 rounds to even";
  EXPECT_EQ(TrackImageIndex(28, 30, 0), 27) << "a Max of 0 counts as 1";
  EXPECT_EQ(TrackImageIndex(1, 30, 100), 0);
  using O = SliderOrientation;
  EXPECT_EQ(SliderSize({200, 50}, {68, 14}, false, O::soHorizontal, 8, 12), (Size{88, 14}));
  EXPECT_EQ(SliderSize({200, 50}, {68, 14}, true, O::soHorizontal, 8, 12), (Size{200, 14}))
      << "a stretched horizontal track keeps its width";
  EXPECT_EQ(SliderSize({50, 200}, {8, 40}, true, O::soVertical, 10, 10), (Size{8, 200}));
  EXPECT_EQ(SliderSize({50, 200}, {8, 40}, false, O::soVertical, 10, 10), (Size{8, 60}));
  EXPECT_EQ(SliderSize({50, 200}, {0, 0}, false, O::soVertical, 10, 10), (Size{50, 200})) << "no track image";
  EXPECT_EQ(ClampSliderGlyphIndex(-5), -1);
  EXPECT_EQ(ClampSliderGlyphIndex(4), 1);
}

}  // namespace
}  // namespace nv
