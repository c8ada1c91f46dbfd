// The arithmetic of skinned windows, as tables: nine-part stretching (with and without a fixed centre), window
// shapes from mask runs, the hit test of a shaped form, fade levels over time, and the marquee of a label.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skins/Fade.h"
#include "skins/MaskRegions.h"
#include "skins/Marquee.h"
#include "skins/NinePart.h"
#include "skins/SkinHitTest.h"

namespace nv {
namespace {

using ::testing::ElementsAre;

long Area(const Rect& r) { return static_cast<long>(r.Width()) * r.Height(); }

// The pieces cover the destination exactly: each inside it, none overlapping, together its whole area.
void ExpectTiles(const ImagePieces& pieces, const Rect& destination, const Rect& source) {
  long area = 0;
  for (std::size_t i = 0; i < pieces.Count(); ++i) {
    const ImagePiece& p = pieces[i];
    EXPECT_EQ(p.destination.Intersect(destination), p.destination) << "piece " << i << " leaves the destination";
    EXPECT_EQ(p.source.Intersect(source), p.source) << "piece " << i << " reads outside the source";
    for (std::size_t j = 0; j < i; ++j)
      EXPECT_TRUE(p.destination.Intersect(pieces[j].destination).IsEmpty()) << "pieces " << j << " and " << i;
    area += Area(p.destination);
  }
  EXPECT_EQ(area, Area(destination));
}

TEST(NinePart, CornersStayUnscaledEdgesStretchOneWayTheCentreBoth) {
  const Rect destination = Rect::FromSize(10, 10, 100, 50), source = Rect::FromSize(0, 0, 30, 20);
  const ImagePieces pieces = StretchedPieces(destination, source, {4, 3, 5, 6});
  ASSERT_EQ(pieces.Count(), 9u);
  ExpectTiles(pieces, destination, source);
  // Row by row: top-left corner, top edge, top-right corner, ...
  EXPECT_EQ(pieces[0], (ImagePiece{Rect::FromSize(10, 10, 4, 3), Rect::FromSize(0, 0, 4, 3)}));
  EXPECT_EQ(pieces[2], (ImagePiece{Rect::FromSize(105, 10, 5, 3), Rect::FromSize(25, 0, 5, 3)}));
  EXPECT_EQ(pieces[1], (ImagePiece{Rect::FromSize(14, 10, 91, 3), Rect::FromSize(4, 0, 21, 3)}));
  EXPECT_EQ(pieces[4], (ImagePiece{Rect::FromSize(14, 13, 91, 41), Rect::FromSize(4, 3, 21, 11)}));
  EXPECT_EQ(pieces[8], (ImagePiece{Rect::FromSize(105, 54, 5, 6), Rect::FromSize(25, 14, 5, 6)}));
}

TEST(NinePart, InsetsOfZeroAreAPlainStretch) {
  const ImagePieces pieces = StretchedPieces(Rect::FromSize(0, 0, 90, 40), Rect::FromSize(5, 5, 10, 10), {});
  ASSERT_EQ(pieces.Count(), 1u);
  EXPECT_EQ(pieces[0], (ImagePiece{Rect::FromSize(0, 0, 90, 40), Rect::FromSize(5, 5, 10, 10)}));
}

TEST(NinePart, InsetsLargerThanEitherRectangleAreFittedToIt) {
  struct Case {
    const char* what;
    Rect destination, source;
    Insets insets;
  } cases[] = {
      {"destination narrower than the insets", Rect::FromSize(0, 0, 6, 40), Rect::FromSize(0, 0, 30, 20), {5, 2, 5, 2}},
      {"source smaller than the insets", Rect::FromSize(0, 0, 60, 40), Rect::FromSize(0, 0, 8, 3), {5, 2, 5, 2}},
      {"negative insets", Rect::FromSize(0, 0, 60, 40), Rect::FromSize(0, 0, 8, 8), {-3, -1, 2, 2}},
      {"an empty destination", Rect::FromSize(0, 0, 0, 0), Rect::FromSize(0, 0, 8, 8), {2, 2, 2, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ImagePieces pieces = StretchedPieces(c.destination, c.source, c.insets);
    for (const ImagePiece& p : pieces) {
      EXPECT_FALSE(p.destination.IsEmpty());
      EXPECT_FALSE(p.source.IsEmpty());
      EXPECT_EQ(p.source.Intersect(c.source), p.source) << "reads outside the source";
      EXPECT_EQ(p.destination.Intersect(c.destination), p.destination);
    }
  }
}

TEST(NinePart, AFixedCentreKeepsItsSizeInTheMiddleAndTheBandAroundItStretches) {
  // A 40 x 20 sub-image with insets 4 and an 8 x 6 centre at (16, 7); drawn into 100 x 30.
  const Rect destination = Rect::FromSize(0, 0, 100, 30), source = Rect::FromSize(40, 20, 40, 20);
  const ImagePieces pieces =
      StretchedPiecesWithCentre(destination, source, {4, 4, 4, 4}, Rect::FromSize(16, 7, 8, 6));
  ASSERT_EQ(pieces.Count(), 17u) << "eight outer pieces, nine inner ones";
  ExpectTiles(pieces, destination, source);
  const ImagePiece centre{Rect::FromSize(46, 12, 8, 6), Rect::FromSize(56, 27, 8, 6)};
  EXPECT_THAT(std::vector<ImagePiece>(pieces.begin(), pieces.end()), ::testing::Contains(centre));
  // The outer corners are still unscaled.
  EXPECT_EQ(pieces[0], (ImagePiece{Rect::FromSize(0, 0, 4, 4), Rect::FromSize(40, 20, 4, 4)}));
}

TEST(NinePart, ACentreWithoutAreaIsPlainNinePartStretching) {
  const Rect destination = Rect::FromSize(0, 0, 100, 30), source = Rect::FromSize(0, 0, 40, 20);
  const ImagePieces with = StretchedPiecesWithCentre(destination, source, {4, 4, 4, 4}, {});
  const ImagePieces plain = StretchedPieces(destination, source, {4, 4, 4, 4});
  EXPECT_TRUE(std::equal(with.begin(), with.end(), plain.begin(), plain.end()));
}

// --- Mask runs ---

// A mask from rows of letters: '.' black, 'R' red, 'B' blue, 'W' white, 'g' a dark grey that is nearest black.
PixelRows Mask(const std::vector<std::string>& rows, std::vector<std::uint32_t>& storage) {
  storage.clear();
  for (const std::string& row : rows)
    for (char c : row)
      storage.push_back(c == '.' ? 0xFF000000 : c == 'R' ? 0xFFFF0000 : c == 'B' ? 0xFF0000FF : c == 'g' ? 0xFF202020 : 0xFFFFFFFF);
  return {static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), storage};
}

TEST(MaskRegions, PixelsTakeTheNearestColourOfTheStandardPalette) {
  EXPECT_EQ(StandardPaletteIndex(0xFF000000), kMaskBlack);
  EXPECT_EQ(StandardPaletteIndex(0x00FF0000), kMaskRed) << "alpha is not looked at";
  EXPECT_EQ(StandardPaletteIndex(0xFFF01010), kMaskRed);
  EXPECT_EQ(StandardPaletteIndex(0xFF0000FF), kMaskBlue);
  EXPECT_EQ(StandardPaletteIndex(0xFFFFFFFF), 15);
  EXPECT_EQ(StandardPaletteIndex(0xFF202020), kMaskBlack);
  EXPECT_EQ(StandardPaletteIndex(0xFF800000), 1) << "dark red is not the sizing red";
}

TEST(MaskRegions, BlackIsCutRedAndBlueAreCollectedInBands) {
  std::vector<std::uint32_t> pixels;
  const PixelRows mask = Mask({".BBBB.",
                               "RBBBBR",
                               "RWWWWR",
                               "RWWWWR",
                               "gRRRR."},
                              pixels);
  const int colours[] = {kMaskBlack, kMaskRed, kMaskBlue};
  const auto regions = MaskRegions(mask, colours);
  ASSERT_EQ(regions.size(), 3u);
  // The shape: everything but the black corners (the dark grey counts as black).
  EXPECT_THAT(regions[0], ElementsAre(Rect{1, 0, 5, 1}, Rect{0, 1, 6, 4}, Rect{1, 4, 5, 5}));
  EXPECT_THAT(regions[1], ElementsAre(Rect{0, 1, 1, 4}, Rect{5, 1, 6, 4}, Rect{1, 4, 5, 5}));
  EXPECT_THAT(regions[2], ElementsAre(Rect{1, 0, 5, 2}));
}

TEST(MaskRegions, AtMostTheMaximumAndNothingFromAnEmptyMask) {
  std::vector<std::uint32_t> pixels;
  const PixelRows mask = Mask({"W.W"}, pixels);
  const int colours[] = {kMaskBlack, kMaskRed, kMaskBlue};
  const auto one = MaskRegions(mask, colours, 1);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_THAT(one[0], ElementsAre(Rect{0, 0, 1, 1}, Rect{2, 0, 3, 1}));
  const auto none = MaskRegions(PixelRows{}, colours);
  ASSERT_EQ(none.size(), 3u);
  EXPECT_TRUE(none[0].empty());
  // A view that claims more pixels than it holds is read as empty, not past its end.
  EXPECT_TRUE(MaskRegions(PixelRows{4, 4, mask.pixels}, colours)[0].empty());
}

// --- Hit test ---

TEST(SkinHitTest, CaptionThenQuadrantThenEdgeBands) {
  // A 100 x 60 sizeable form with borders 10, 8, 12, 6.
  auto hit = [](int x, int y, bool caption, bool sizing, bool sizeable = true) {
    return SkinFormHit({{x, y}, {100, 60}, {10, 8, 12, 6}, sizeable, caption, sizing});
  };
  struct Case {
    const char* what;
    SkinHit got, expected;
  } cases[] = {
      {"outside", hit(100, 10, false, true), SkinHit::Nowhere},
      {"above", hit(10, -1, true, true), SkinHit::Nowhere},
      {"caption wins", hit(5, 5, true, true), SkinHit::Caption},
      {"neither region", hit(5, 5, false, false), SkinHit::Client},
      {"sizing on a fixed form", hit(5, 5, false, true, false), SkinHit::Client},
      {"top-left corner", hit(5, 5, false, true), SkinHit::TopLeft},
      {"top-right corner", hit(95, 5, false, true), SkinHit::TopRight},
      {"bottom-left corner", hit(5, 57, false, true), SkinHit::BottomLeft},
      {"bottom-right corner", hit(95, 57, false, true), SkinHit::BottomRight},
      {"the quadrant takes the middle", hit(50, 30, false, true), SkinHit::TopLeft},
      {"just below the middle", hit(50, 31, false, true), SkinHit::BottomLeft},
      {"left edge between the top and bottom insets", hit(5, 20, false, true), SkinHit::Left},
      {"at the top inset it is the corner", hit(5, 8, false, true), SkinHit::TopLeft},
      {"right edge", hit(89, 40, false, true), SkinHit::Right},
      {"right at its inset is not the edge", hit(88, 40, false, true), SkinHit::BottomRight},
      {"top edge between the left and right insets", hit(40, 3, false, true), SkinHit::Top},
      {"bottom edge", hit(60, 55, false, true), SkinHit::Bottom},
      {"the bottom inset itself", hit(60, 54, false, true), SkinHit::BottomRight},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
}

// --- Fades ---

TEST(Fade, TransparencyAndAlpha) {
  EXPECT_EQ(ClampTransparency(120), 100);
  EXPECT_EQ(ClampTransparency(-5), 0);
  EXPECT_EQ(AlphaOfPercent(50), 127);
  EXPECT_EQ(AlphaOfPercent(100), 255);
  EXPECT_EQ(PercentOfAlpha(127), 49);
  EXPECT_EQ(PercentOfAlpha(255), 100);
}

TEST(Fade, LevelsRiseAndFallWithTheTime) {
  FadeProgress fade;
  EXPECT_EQ(fade.Start(true, 1000, 400, 80), 0);
  struct Step {
    std::uint32_t at;
    int opacity;
    bool done;
  };
  for (const Step& s : {Step{1000, 0, false}, Step{1100, 20, false}, Step{1300, 60, false}, Step{1400, 80, true},
                        Step{1900, 80, true}}) {
    const FadeProgress::Step got = fade.Tick(s.at);
    EXPECT_EQ(got.opacity, s.opacity) << "at " << s.at;
    EXPECT_EQ(got.done, s.done) << "at " << s.at;
  }
  FadeProgress out;
  EXPECT_EQ(out.Start(false, 0, 200, 100), 100);
  EXPECT_EQ(out.Tick(50).opacity, 75);
  EXPECT_EQ(out.Tick(200).opacity, 0);
  EXPECT_TRUE(out.Tick(200).done);
}

TEST(Fade, AFadeThatTurnsMidwayGoesBackFromWhereItStands) {
  FadeProgress fade;
  fade.Start(true, 0, 400, 100);
  EXPECT_EQ(fade.Tick(100).opacity, 25);
  // Fading out from 25 %: no jump, and only a quarter of the duration is left to go.
  EXPECT_EQ(fade.Start(false, 100, 400, 100), 25);
  EXPECT_EQ(fade.RemainingDurationMs(), 100);
  EXPECT_EQ(fade.Tick(150).opacity, 13);
  EXPECT_EQ(fade.Tick(200).opacity, 0);
  EXPECT_TRUE(fade.Tick(200).done);
  // Half faded in, then out: half the duration.
  fade.Start(true, 1000, 400, 100);
  fade.Tick(1200);
  EXPECT_EQ(fade.Start(false, 1200, 400, 100), 50);
  EXPECT_EQ(fade.RemainingDurationMs(), 200);
}

TEST(Fade, ADurationOrATransparencyOfZeroEndsAtOnce) {
  FadeProgress fade;
  fade.Start(true, 5, 0, 100);
  EXPECT_TRUE(fade.Tick(5).done);
  EXPECT_EQ(fade.Tick(5).opacity, 100);
  fade.Stop();
  fade.Start(false, 5, 300, 0);
  EXPECT_TRUE(fade.Tick(5).done);
  EXPECT_EQ(fade.Tick(5).opacity, 0);
}

TEST(Fade, TheTickCountMayWrap) {
  FadeProgress fade;
  fade.Start(true, 0xFFFFFF00u, 512, 100);
  EXPECT_EQ(fade.Tick(0x00000000u).opacity, 50);  // 256 ms later
}

// --- Marquee ---

TEST(Marquee, OnlyTextWiderThanTheLabelScrolls) {
  Marquee marquee;
  EXPECT_FALSE(marquee.Update(60, 60)) << "text that just fits";
  EXPECT_EQ(marquee.Positions().first, 0);
  EXPECT_TRUE(marquee.Update(100, 60));
  EXPECT_EQ(marquee.Offset(), -10) << "a sixth of the width before the text";
  marquee.Advance();
  EXPECT_EQ(marquee.Offset(), -7);
  EXPECT_TRUE(marquee.Update(120, 60));
  EXPECT_EQ(marquee.Offset(), -7) << "a running marquee goes on where it was";
  EXPECT_FALSE(marquee.Update(50, 60));
  EXPECT_FALSE(marquee.Running());
}

TEST(Marquee, TheTextRunsRoundWithASecondCopyAThirdBehind) {
  Marquee marquee;
  marquee.Update(90, 60);
  while (marquee.Offset() < 51) marquee.Advance();  // -10, -7, ... 50, 53
  // The text ends at 90 - 53 = 37, left of two thirds (40): the copy follows 20 later.
  EXPECT_EQ(marquee.Offset(), 53);
  EXPECT_EQ(marquee.Positions().first, -53);
  EXPECT_EQ(marquee.Positions().second, 57);
  for (int last = marquee.Offset(); marquee.Offset() >= last;) {
    last = marquee.Offset();
    marquee.Advance();
  }
  EXPECT_EQ(marquee.Offset(), -20) << "once the text has gone, it starts a third of the width in";
  EXPECT_EQ(marquee.Positions().first, 20);
}

}  // namespace
}  // namespace nv
