// The player controls' arithmetic without a window: the analyser's bands, their fall and their peaks, its picture
// and colours; the play time's digits and layout; what the bars' positions mean; the playlist box's typed search,
// wheel, rows and deletion; and the texts of labels, rows and item descriptions.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numeric>
#include <vector>

#include "metadata/HeaderAttributes.h"
#include "skins/PlayListRows.h"
#include "skins/PlayTimeDigits.h"
#include "skins/PlayerTexts.h"
#include "skins/SpectrumBands.h"
#include "skins/VolumeBarValues.h"
#include "support/MarkedText.h"
#include "tests/playlist/PlayListFakes.h"

namespace nv {
namespace {

// --- Spectrum bands ---

double Weight(int band) { return 7.0710656237 * (1 - (band - 39.0) * (band - 39.0) / 2888.0) / 32767.0; }

TEST(SpectrumBands, AFlatSpectrumGivesEachBandTheWidthOfItsStretchOfTheScale) {
  // Band i ends at c_i = r^(20 + i), r = 512^(1/101). With every bin at V, the bins a band holds whole, its share of
  // the bin its end falls in and what the band before left of its own end bin add up to V x (c_i - c_(i-1) + 1); the
  // first band starts from bin 4 with nothing left to it.
  std::array<std::uint16_t, kSpectrumBins> bins;
  bins.fill(100);
  SpectrumBandLevels levels{};
  ComputeBands(bins, 1.0f, TBandStyle::bsThin, levels);
  const double ratio = std::pow(512.0, 1.0 / 101.0);
  for (int band = 1; band <= kSpectrumBands; ++band) {
    const double end = std::pow(ratio, 20 + band), before = std::pow(ratio, 19 + band);
    const double width = band == 1 ? end - 3 : end - before + 1;
    EXPECT_NEAR(levels[band - 1], 100 * width * Weight(band), 1e-5) << "band " << band;
  }
}

TEST(SpectrumBands, LoudBinsReachTheTopAndThickBandsShowGroupsOfFour) {
  std::array<std::uint16_t, kSpectrumBins> bins{};
  for (int bin = 195; bin <= 205; ++bin) bins[bin - 1] = 1000;  // loud around bin 200
  SpectrumBandLevels thin{}, thick{};
  ComputeBands(bins, 1.0f, TBandStyle::bsThin, thin);
  ComputeBands(bins, 1.0f, TBandStyle::bsThick, thick);
  const auto loudest = std::max_element(thin.begin(), thin.end()) - thin.begin();
  EXPECT_GT(loudest, 55);
  EXPECT_LT(loudest, 70);
  EXPECT_GT(thin[loudest], 0.3f);
  for (int group = 0; group < kSpectrumBands; group += 4) {
    EXPECT_EQ(thick[group], 0.0f) << "the first band of a group is its gap";
    float largest = 0;
    for (int i = group; i < group + 4; ++i) largest = std::max(largest, thin[i] * thin[i]);
    for (int i = group + 1; i < group + 4; ++i) EXPECT_FLOAT_EQ(thick[i], largest) << "band " << i;
  }
  std::array<std::uint16_t, kSpectrumBins> deafening;
  deafening.fill(65535);
  ComputeBands(deafening, 4.0f, TBandStyle::bsThin, thin);
  for (float level : thin) EXPECT_EQ(level, 1.0f) << "levels stop at the top";
}

TEST(SpectrumLevels, BarsFallByTheirSpeedAndPeaksDropFasterEachTick) {
  SpectrumBandLevels full;
  full.fill(1.0f);
  SpectrumLevels levels;
  levels.Merge(&full, &full, TChanels::chBoth, TFalloffSpeed::fsMedium, TFalloffSpeed::fsMedium);
  EXPECT_EQ(levels.Levels()[10], 1.0f);
  EXPECT_EQ(levels.Peaks()[10], 1.0f);
  // Without data: the bar falls 0.136 a tick; the peak by 0.003, then 0.003 x 1.31, ...
  float speed = 0.003f, peak = 1.0f;
  for (int tick = 1; tick <= 5; ++tick) {
    levels.Merge(nullptr, nullptr, TChanels::chBoth, TFalloffSpeed::fsMedium, TFalloffSpeed::fsMedium);
    peak -= speed;
    speed *= 1.31f;
    EXPECT_NEAR(levels.Levels()[10], std::max(1.0f - 0.136f * tick, 0.0f), 1e-5) << "tick " << tick;
    EXPECT_NEAR(levels.Peaks()[10], peak, 1e-5) << "tick " << tick;
  }
  EXPECT_FALSE(levels.AllFallen(16));
  int ticks = 5;
  while (!levels.AllFallen(16) && ticks < 1000) {
    levels.Merge(nullptr, nullptr, TChanels::chBoth, TFalloffSpeed::fsMedium, TFalloffSpeed::fsMedium);
    ++ticks;
  }
  EXPECT_LT(ticks, 40) << "everything has fallen within about a second of ticks";
  const float speeds[] = {0.068f, 0.102f, 0.136f, 0.21f, 0.306f};
  const float factors[] = {1.18f, 1.25f, 1.31f, 1.37f, 1.49f};
  for (int s = 0; s < 5; ++s) {
    EXPECT_FLOAT_EQ(BarFall(static_cast<TFalloffSpeed>(s)), speeds[s]);
    EXPECT_FLOAT_EQ(PeakFallFactor(static_cast<TFalloffSpeed>(s)), factors[s]);
  }
}

TEST(SpectrumLevels, OnlyTheChannelsShownCount) {
  SpectrumBandLevels left{}, right{};
  left.fill(0.25f);
  right.fill(0.75f);
  const struct {
    TChanels channels;
    float expected;
  } cases[] = {{TChanels::chBoth, 0.75f}, {TChanels::chLeft, 0.25f}, {TChanels::chRight, 0.75f}};
  for (const auto& c : cases) {
    SpectrumLevels levels;
    levels.Merge(&left, &right, c.channels, TFalloffSpeed::fsFast, TFalloffSpeed::fsFast);
    EXPECT_EQ(levels.Levels()[0], c.expected) << static_cast<int>(c.channels);
  }
}

struct Picture {
  Picture(int width, int height) : bytes(width * height), pixels{bytes, width, height, width} {}
  std::vector<std::uint8_t> bytes;
  IndexedPixels pixels;
  std::uint8_t At(int x, int y) const { return pixels.At(x, y); }
};

TEST(SpectrumPicture, NoColourIndexGoesPastThePaletteForAnyStyleOrHeight) {
  SpectrumBandLevels full;
  full.fill(1.0f);
  SpectrumLevels levels;
  levels.Merge(&full, &full, TChanels::chBoth, TFalloffSpeed::fsMedium, TFalloffSpeed::fsMedium);
  for (const TAnalizerStyle style : {TAnalizerStyle::asNormal, TAnalizerStyle::asFire, TAnalizerStyle::asVertLines})
    for (const int colours : {4, 5, 23, 256})
      for (const int height : {1, 3, 16, 40}) {
        Picture picture(kSpectrumBands, height);
        PaintSpectrum(picture.pixels, levels, colours, style, true);
        const int top = *std::max_element(picture.bytes.begin(), picture.bytes.end());
        EXPECT_LT(top, colours) << "style " << int(style) << ", " << colours << " colours, height " << height;
      }
}

TEST(SpectrumPicture, ColoursByStylePeaksAndTheGrid) {
  SpectrumBandLevels half{};
  half.fill(0.5f);
  SpectrumLevels levels;
  levels.Merge(&half, nullptr, TChanels::chBoth, TFalloffSpeed::fsMedium, TFalloffSpeed::fsMedium);
  // 16 high, 23 colours (n = 20): every bar is 8 pixels, rows 8..15.
  Picture fire(kSpectrumBands, 16), normal(kSpectrumBands, 16), lines(kSpectrumBands, 16);
  PaintSpectrum(fire.pixels, levels, 23, TAnalizerStyle::asFire, true);
  PaintSpectrum(normal.pixels, levels, 23, TAnalizerStyle::asNormal, false);
  PaintSpectrum(lines.pixels, levels, 23, TAnalizerStyle::asVertLines, false);
  EXPECT_EQ(fire.At(5, 8), 2) << "the peak, on the bar's top";
  EXPECT_EQ(fire.At(5, 9), 4) << "fire: by depth below the bar's top, round(20 x 1 / 16) + 3";
  EXPECT_EQ(fire.At(5, 15), 12) << "and its depth below the top the others: round(20 x 7 / 16) + 3";
  EXPECT_EQ(normal.At(5, 8), 16 - 8 + 3) << "normal: by height above the bottom: 16 - round(8 x 16 / 16) + 3";
  EXPECT_EQ(normal.At(5, 15), 16 - 1 + 3);
  EXPECT_EQ(lines.At(5, 8), 13) << "vertical lines: one colour for the bar, round(20 x 8 / 16) + 3";
  EXPECT_EQ(lines.At(5, 15), 13);
  // The peak stays at row 8 while the bar falls below it.
  levels.Merge(nullptr, nullptr, TChanels::chBoth, TFalloffSpeed::fsFastest, TFalloffSpeed::fsMedium);
  Picture fallen(kSpectrumBands, 16);
  PaintSpectrum(fallen.pixels, levels, 23, TAnalizerStyle::asFire, true);
  EXPECT_EQ(fallen.At(5, 8), 2) << "the peak, above the fallen bar";
  EXPECT_EQ(fallen.At(5, 9), 0) << "nothing between";
  // The dotted grid: even columns of even rows, background elsewhere.
  Picture empty(kSpectrumBands, 16);
  PaintSpectrum(empty.pixels, SpectrumLevels(), 23, TAnalizerStyle::asFire, true);
  EXPECT_EQ(empty.At(0, 0), 1);
  EXPECT_EQ(empty.At(2, 14), 1);
  EXPECT_EQ(empty.At(1, 0), 0);
  EXPECT_EQ(empty.At(0, 1), 0);
}

TEST(SpectrumPicture, TheWaveformCrossesTheMiddleForSilence) {
  std::vector<std::uint8_t> silence(1024, 128);
  Picture picture(76, 16);
  PaintWaveform(picture.pixels, silence, 23);
  for (int x = 0; x < 76; ++x) EXPECT_EQ(picture.At(x, (255 - 128) * 15 / 255), 3) << "column " << x;
  std::vector<std::uint8_t> loud(1024);
  for (std::size_t i = 0; i < loud.size(); ++i) loud[i] = i % 2 ? 255 : 0;
  PaintWaveform(picture.pixels, loud, 23);
  EXPECT_EQ(picture.At(0, 15), 22) << "the lowest sample at the bottom, in the last colour";
}

TEST(SpectrumPicture, ColoursComeFromThePaletteStripOrTheFourDefaults) {
  EXPECT_EQ(AnalyserColours({}, TAnalizerStyle::asFire),
            (std::vector<SkinColour>{0x000000, 0x808080, 0xFFFFFF, 0xFFFFFF}));
  // A strip 6 wide and 2 high: the pixel at (x, y) is 0x00xxyy (red x, blue y).
  SkinBitmap strip;
  strip.Width = 6;
  strip.Height = 2;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 6; ++x) strip.Pixels.push_back(0xFF000000u | x << 16 | y);
  auto colour = [](int x, int y) { return SkinColour(x | y << 16); };
  EXPECT_EQ(AnalyserColours({&strip, 0, 0, 6, 2}, TAnalizerStyle::asFire),
            (std::vector<SkinColour>{colour(0, 0), colour(1, 0), colour(2, 0), colour(3, 0), colour(4, 0),
                                     colour(5, 0)}));
  EXPECT_EQ(AnalyserColours({&strip, 0, 0, 6, 2}, TAnalizerStyle::asNormal)[5], colour(5, 1)) << "the next row";
  EXPECT_EQ(AnalyserColours({&strip, 2, 0, 6, 1}, TAnalizerStyle::asFire),
            (std::vector<SkinColour>{colour(2, 0), colour(3, 0), colour(4, 0), colour(5, 0)}))
      << "from the origin on";
  EXPECT_EQ(AnalyserColours({&strip, 0, 0, 2, 6}, TAnalizerStyle::asNormal),
            (std::vector<SkinColour>{colour(1, 0), colour(1, 1), 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}))
      << "a vertical strip reads down the next column; what lies outside is white";
  EXPECT_EQ(AnalyserColours({&strip, 0, 0, 3, 1}, TAnalizerStyle::asFire).size(), 4u) << "at least four";
}

// --- Play time ---

TEST(PlayTimeDigits, MinutesAndSecondsHoursAndMinutesAndTheMostFourDigitsHold) {
  const struct {
    int seconds;
    std::array<int, 4> digits;
  } cases[] = {
      {0, {0, 0, 0, 0}},        {125, {0, 2, 0, 5}},         {3599, {5, 9, 5, 9}},
      {3600, {0, 1, 0, 0}},     {3725, {0, 1, 0, 2}},        {99 * 3600 + 59 * 60 + 59, {9, 9, 5, 9}},
      {100 * 3600, {9, 9, 5, 9}}, {400 * 3600, {9, 9, 5, 9}}, {-5, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) EXPECT_EQ(PlayTimeDigitsOf(c.seconds), c.digits) << c.seconds << " s";
}

TEST(PlayTimeDigits, WhatShowsAndWhere) {
  EXPECT_EQ(ShownSeconds(TPlayTimeStyle::tsElapsed, 30, 200), 30);
  EXPECT_EQ(ShownSeconds(TPlayTimeStyle::tsRemaining, 30, 200), 170);
  EXPECT_EQ(ShownSeconds(TPlayTimeStyle::tsRemaining, 250, 200), 0);
  EXPECT_EQ(ShownSeconds(TPlayTimeStyle::tsRemaining, 30, 0), 30) << "no duration: the position";
  EXPECT_TRUE(DigitsShow(true, TPlayTimeStyle::tsElapsed, 0, 0));
  EXPECT_FALSE(DigitsShow(true, TPlayTimeStyle::tsRemaining, 0, 0)) << "stopped, remaining, nothing known";
  EXPECT_TRUE(DigitsShow(true, TPlayTimeStyle::tsRemaining, 0, 10));
  EXPECT_FALSE(DigitsShow(false, TPlayTimeStyle::tsElapsed, 5, 10)) << "blinked away";

  // The strip's play time: digits 8 wide, 4 between the pairs, borders 2, 0, 5, 0, in a well 47 wide.
  const PlayTimeMeasures strip{8, {0, 4, 0, 0}, {2, 0, 5, 0}};
  EXPECT_EQ(DigitBlockWidth(strip), 36);
  EXPECT_EQ(DigitLefts(strip, 47), (std::array<int, 4>{6, 14, 26, 34}));
  EXPECT_EQ(WellInsets(strip), (Insets{10, 0, 25, 0}))
      << "the same insets the slicing table gives the well";
  EXPECT_EQ(CentredTop(strip, 18, 13), 2);
  EXPECT_EQ(StateIconLeft(strip), 7);
  EXPECT_EQ(PositionIconLeft(strip), 5);
}

// --- Bars ---

TEST(VolumeBarValues, BalanceAndBandsSnapToTheCentre) {
  using T = TVolumeBarType;
  const struct {
    T type;
    int position, value;
  } cases[] = {
      {T::vbVolume, 37, 37},   {T::vbEqPreamp, 80, 80}, {T::vbPan, 105, 0},  {T::vbPan, 109, 0},
      {T::vbPan, 110, 10},     {T::vbPan, 91, 0},       {T::vbPan, 90, -10}, {T::vbPan, 0, -100},
      {T::vbEqChanel, 102, 0}, {T::vbEqChanel, 103, 3}, {T::vbEqChanel, 98, 0}, {T::vbEqChanel, 97, -3},
  };
  for (const auto& c : cases)
    EXPECT_EQ(VolumeBarValue(c.type, c.position), c.value) << int(c.type) << " at " << c.position;
  EXPECT_EQ(VolumeBarMax(T::vbVolume), 100);
  EXPECT_EQ(VolumeBarMax(T::vbEqPreamp), 100);
  EXPECT_EQ(VolumeBarMax(T::vbPan), 200);
  EXPECT_EQ(VolumeBarMax(T::vbEqChanel), 200);
  EXPECT_EQ(VolumeBarPosition(T::vbPan, -30), 70);
  EXPECT_EQ(VolumeBarPosition(T::vbVolume, 30), 30);
}

// --- Playlist rows ---

TEST(PlayListRows, TypedTextFindsTheFirstRowByItsStartOrAWordInside) {
  const std::vector<std::u16string> names = {u"Alpha", u"the best-of", u"Bell tower (live)", u"zebra BEat",
                                             u"Beach", u"x_bEyond"};
  auto nameOf = [&](int row) { return names[row]; };
  const int count = static_cast<int>(names.size());
  EXPECT_EQ(FindTypedRow(count, nameOf, u"be", true), 1) << "after a blank, before the start of row 2";
  EXPECT_EQ(FindTypedRow(count, nameOf, u"be", false), 2) << "with Shift: only at the start, in any case";
  EXPECT_EQ(FindTypedRow(count, nameOf, u"OF", true), 1) << "after a hyphen";
  EXPECT_EQ(FindTypedRow(count, nameOf, u"live", true), 2) << "after a bracket";
  EXPECT_EQ(FindTypedRow(count, nameOf, u"eyo", true), -1) << "not in the middle of a word";
  EXPECT_EQ(FindTypedRow(count, nameOf, u"bey", true), 5) << "after an underscore";
  EXPECT_EQ(FindTypedRow(count, nameOf, u"bell tower (live) and more", true), -1);
  EXPECT_EQ(FindTypedRow(0, nameOf, u"a", true), -1);

  TypeAheadText typed;
  EXPECT_EQ(typed.Add(u'b', 10000), u"b");
  EXPECT_EQ(typed.Add(u'e', 10900), u"be");
  EXPECT_EQ(typed.Add(u' ', 11800), u"be ") << "a blank is typed text too";
  EXPECT_EQ(typed.Add(u'a', 12900), u"a") << "begun again after a second";
}

TEST(PlayListRows, WheelTurnsBelowAFullNotchAddUp) {
  WheelRows wheel;
  EXPECT_EQ(wheel.Turn(120), 1);
  EXPECT_EQ(wheel.Turn(-360), -3);
  EXPECT_EQ(wheel.Turn(40), 0);
  EXPECT_EQ(wheel.Turn(40), 0);
  EXPECT_EQ(wheel.Turn(40), 1) << "three fine steps make a notch";
  EXPECT_EQ(wheel.Turn(60), 0);
  EXPECT_EQ(wheel.Turn(-90), 0) << "a turn back takes from what was kept";
  EXPECT_EQ(wheel.Turn(-90), -1);
}

TEST(PlayListRows, RowsStayInsideTheListAndTheScrollBarFollows) {
  EXPECT_EQ(ClampRow(25, 20), 19);
  EXPECT_EQ(ClampRow(-3, 20), 0);
  EXPECT_EQ(ClampRow(5, 0), -1) << "an emptied list has no rows";
  EXPECT_EQ(LastTopRow(20, 8), 12);
  EXPECT_EQ(LastTopRow(5, 8), 0);
  EXPECT_EQ(ScrollBarFor(20, 8, 15), (ScrollBarValues{12, 8, 12}));
  EXPECT_EQ(ScrollBarFor(0, 8, 3), (ScrollBarValues{0, 8, 0}));
  EXPECT_EQ(AutoScrollInterval(0), 350u);
  EXPECT_EQ(AutoScrollInterval(10), 300u);
  EXPECT_EQ(AutoScrollInterval(100), 0u);
  const std::vector<int> deleted = {9, 2, 7};
  EXPECT_EQ(RowAfterDeletion(5, deleted, 7), 4);
  EXPECT_EQ(RowAfterDeletion(9, deleted, 7), 6) << "the caret's own row gone: the row now there";
  EXPECT_EQ(RowAfterDeletion(1, deleted, 7), 1);
  EXPECT_EQ(RowAfterDeletion(3, std::vector<int>{0, 1, 2, 3}, 0), -1);
}

// --- Texts ---

class ItemTexts : public ::testing::Test {
protected:
  ItemTexts() : list(player, env.Get()) {
    for (const char* f : {"C:\\Music\\a.mp3", "C:\\Music\\b.mp3", "C:\\Music\\c.mp3"}) list.AddEntry(f);
  }
  TXPlayListItem& Item(int index, const char* title, const char* artist, const char* album, std::int64_t ms) {
    TXPlayListItem& item = list.Items(index);
    item.Info.SetValue(kTitleAttribute, AttributeValue::HeldText(title));
    if (*artist) item.Info.SetValue(kAuthorAttribute, AttributeValue::HeldText(artist));
    if (*album) item.Info.SetValue(kAlbumAttribute, AttributeValue::HeldText(album));
    if (ms) item.Info.SetValue(kDurationAttribute, AttributeValue::Integer(ms));
    return item;
  }
  test::TestEnvironment env;
  test::FakePlayer player;
  TXPlayerPlayList list;
};

TEST_F(ItemTexts, TheLabelComposesTheNameFromTheOptionsLeavingOutEmptyParts) {
  const TXPlayListItem& full = Item(2, "Song", "Band", "Record", 245000);
  const TXPlayListItem& bare = Item(0, "Alone", "", "", 0);
  const struct {
    TXPlayerLabelNameOptions options;
    const TXPlayListItem* item;
    const char* expected;
  } cases[] = {
      {noShowTitle, &full, "Song"},
      {noShowTitle | noShowArtist | noShowAlbum | noShowDuration, &full, "Band - Record - Song (04:05)"},
      {noShowNo | noShowTitle | noShowArtist, &full, "3. Band - Song"},
      {noShowTitle | noShowArtist | noShowAlbum | noShowDuration, &bare, "Alone"},
      {noShowNo | noShowTitle | noShowAlbum, &bare, "1. Alone"},
      {noShowArtist, &bare, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PlayerLabelText(TXPlayerLabelStyle::lsName, c.options, {c.item, {}, 0}), c.expected)
        << int(c.options);
  EXPECT_EQ(PlayerLabelText(TXPlayerLabelStyle::lsName, noShowTitle, {}), "") << "no current item";
}

TEST_F(ItemTexts, TheLabelsNumbersPreferTheStream) {
  TXPlayListItem& item = Item(0, "x", "", "", 0);
  item.Info.SetValue(kBitrateAttribute, AttributeValue::Integer(128000));
  TXAudioInfo stream;
  EXPECT_EQ(PlayerLabelText(TXPlayerLabelStyle::lsBitrate, 0, {&item, stream, 0}), "128");
  stream.BitRate = 192000;
  stream.SampleRate = 44100;
  EXPECT_EQ(PlayerLabelText(TXPlayerLabelStyle::lsBitrate, 0, {&item, stream, 0}), "192");
  EXPECT_EQ(PlayerLabelText(TXPlayerLabelStyle::lsSampleRate, 0, {&item, stream, 0}), "44");
  EXPECT_EQ(PlayerLabelText(TXPlayerLabelStyle::lsSampleRate, 0, {&item, {}, 0}), "");
  EXPECT_EQ(PlayerLabelText(TXPlayerLabelStyle::lsDuration, 0, {&item, stream, 3725000}), "1:02:05");
  EXPECT_EQ(PlayerLabelText(TXPlayerLabelStyle::lsDuration, 0, {&item, stream, 0}), "");
}

TEST_F(ItemTexts, RowNamesAndDescriptions) {
  const TXPlayListItem& full = Item(1, "Song", "Band", "Record", 61000);
  EXPECT_EQ(RowNameText(full, true, true), u"Band - Record - Song");
  EXPECT_EQ(RowNameText(full, false, true), u"Record - Song");
  EXPECT_EQ(RowNameText(full, true, false), u"Band - Song");
  const TXPlayListItem& bare = Item(0, "Alone", "", "", 0);
  EXPECT_EQ(RowNameText(bare, true, true), u"Alone");
  EXPECT_EQ(ItemInfoText(full, [](std::string_view) { return std::string("MP3 audio"); }),
            "Title: Song\r\nArtist: Band\r\nAlbum: Record\r\nDuration: 01:01\r\nType: MP3 audio\r\n"
            "File name: C:\\Music\\b.mp3");
  EXPECT_EQ(ItemInfoText(bare, nullptr), "Title: Alone\r\nFile name: C:\\Music\\a.mp3");
  const std::string marked = Utf16ToMarked(u"\u65e5\u672c");
  Item(2, marked.c_str(), "", "", 0);
  EXPECT_TRUE(IsMarked(ItemInfoText(list.Items(2), nullptr))) << "text the code page cannot hold stays marked";
}

}  // namespace
}  // namespace nv
