// Skinned buttons and sliders on the Wine desktop, driven by the real mouse: a button's look through hover, press,
// drag-off and release with its action's checked and enabled state (and the pixels it puts on the screen); a held
// scroll-bar button's cadence; a drop-down whose menu a second click closes without opening it again; sliders
// clicked and dragged; image arrays.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "skins/SkinSlicing.h"
#include "skins/win/SkinButton.h"
#include "skins/win/SkinSlider.h"
#include "support/ui/win/LoadingScope.h"
#include "support/ui/win/Menus.h"
#include "tests/common/win/DesktopDriver.h"
#include "tests/common/win/Screenshot.h"
#include "tests/skins/win/SkinTestSupport.h"
#include "tests/support/ui/win/UiTestSupport.h"

namespace nv {
namespace {

using test::Rgb;

constexpr Rgb kBackdrop{20, 24, 30};

// A plain backdrop of one colour (dark), shown without taking the activation.
class ControlsForm final : public test::TestSkinForm {
public:
  ControlsForm() : TestSkinForm({300, 200}, {360, 220}) {
    SetColor(RGB(kBackdrop.r, kBackdrop.g, kBackdrop.b));
    ShowNoActivate();
  }
};

// A pixel of a sub-image as it shows over the backdrop (images with alpha are premultiplied and blended).
Rgb PixelOf(const TSkinElement& element, int index, int x, int y) {
  const Rect r = element.GetImageRect(index, false);
  const std::uint32_t argb = element.Bitmap().At(r.left + x, r.top + y);
  const int alpha = element.Bitmap().Alpha ? int(argb >> 24) : 255;
  auto over = [&](int source, int backdrop) { return std::uint8_t(source + backdrop * (255 - alpha) / 255); };
  return {over(argb >> 16 & 0xFF, kBackdrop.r), over(argb >> 8 & 0xFF, kBackdrop.g), over(argb & 0xFF, kBackdrop.b)};
}

class SkinControls : public ::testing::Test {
protected:
  SkinControls() { test::MoveMouseTo(5, 5); }
  ~SkinControls() override { test::MoveMouseTo(5, 5); }

  static void Skinned(TSkinButton& button, const char* slice) {
    button.Glyph.SetSkinSlice(*FindSkinSlice(slice));
    button.Glyph.SetSkin(&test::DefaultPlayerSkin());
  }
  static void Skinned(TCustomSkinSlider& slider, const char* track, const char* thumb) {
    slider.Image.SetSlice(*FindSkinSlice(track));
    slider.ThumbGlyph.SetSkinSlice(*FindSkinSlice(thumb));
    slider.Image.SetSkin(&test::DefaultPlayerSkin());
    slider.ThumbGlyph.SetSkin(&test::DefaultPlayerSkin());
  }
  static void SettleShown(Form& form) {
    UpdateWindow(form.Handle());
    test::PumpFor(300);
  }

  ControlsForm form;
};

TEST_F(SkinControls, AButtonShowsEachLookUnderTheMouseAndFollowsItsAction) {
  ActionList actions;
  Action& play = actions.Add(u"Play", u"Play");
  int ran = 0;
  play.OnExecute = [&](Action&) { ++ran; };
  TSkinButton button(form, Rect::FromSize(40, 40, 1, 1));
  Skinned(button, "CButtons.Play");  // up, pushed, hot, down, pushed down, hot down
  button.SetFlat(true);
  button.SetAction(&play);
  EXPECT_EQ(button.Bounds(), Rect::FromSize(40, 40, 23, 18)) << "the glyph gives the size";
  SettleShown(form);
  EXPECT_EQ(button.ShownImage(), 0);

  const Point centre = test::ScreenCentre(button);
  ASSERT_TRUE(test::MovePointerUntil(centre, [&] { return button.ShownImage() == 2; })) << "hot under the mouse";
  test::MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(test::PumpUntil([&] { return button.State() == ButtonState::bsDown; }, 2000));
  EXPECT_EQ(button.ShownImage(), 1) << "pressed";
  ASSERT_TRUE(test::MovePointerUntil({centre.x + 60, centre.y}, [&] { return button.State() == ButtonState::bsUp; }))
      << "dragged off: up again";
  ASSERT_TRUE(test::MovePointerUntil(centre, [&] { return button.State() == ButtonState::bsDown; }));
  test::MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(test::PumpUntil([&] { return ran == 1; }, 2000)) << "released over it: the action ran";
  EXPECT_EQ(button.State(), ButtonState::bsUp);

  play.SetChecked(true);
  EXPECT_TRUE(button.Checked()) << "the action's checked state";
  EXPECT_EQ(button.ShownImage(), 5) << "checked and hot";
  test::MoveMouseTo(5, 5);
  ASSERT_TRUE(test::PumpUntil([&] { return button.ShownImage() == 3; }, 2000)) << "checked";
  SettleShown(form);
  const test::Screenshot shot = test::TakeScreenshot("skin-button-checked");
  const Rect screen = button.ScreenRect();
  EXPECT_LE(test::ColourDistance(shot.At(screen.left + 11, screen.top + 9), PixelOf(button.Glyph, 3, 11, 9)), 3)
      << "the down sub-image is on the screen; see " << shot.PngPath();

  play.SetEnabled(false);
  EXPECT_EQ(button.State(), ButtonState::bsDisabled);
  EXPECT_EQ(button.ShownImage(), 3) << "no disabled sub-image: a checked button shows down";
  play.SetChecked(false);
  EXPECT_EQ(button.ShownImage(), 0) << "and an unchecked one up";
  play.SetEnabled(true);
  EXPECT_EQ(button.State(), ButtonState::bsUp);
}

TEST_F(SkinControls, AHeldScrollBarButtonStepsAtOnceThenAfterHalfASecondThenEvery50ms) {
  TSkinSlider bar(form, Rect::FromSize(200, 20, 8, 150));
  bar.SetStyle(SliderStyle::ssScrollBar);
  bar.SetOrientation(SliderOrientation::soVertical);
  bar.SetButtons(true, true);
  bar.SetSizeable(true);
  Skinned(bar, "scroll.Track", "scroll.Thumb");
  bar.UpButtonGlyph.SetSkinSlice(*FindSkinSlice("scroll.Up"));
  bar.DownButtonGlyph.SetSkinSlice(*FindSkinSlice("scroll.Down"));
  bar.UpButtonGlyph.SetSkin(&test::DefaultPlayerSkin());
  bar.DownButtonGlyph.SetSkin(&test::DefaultPlayerSkin());
  bar.SetMax(1000);
  std::vector<ULONGLONG> changes;
  bar.OnChange = [&](TCustomSkinSlider&) { changes.push_back(GetTickCount64()); };
  SettleShown(form);

  const Rect down = bar.Geometry().DownButton().Offset(bar.ScreenRect().left, bar.ScreenRect().top);
  ASSERT_TRUE(test::MovePointerTo({(down.left + down.right) / 2, (down.top + down.bottom) / 2}));
  const ULONGLONG pressed = GetTickCount64();
  test::MouseButton(MOUSEEVENTF_LEFTDOWN);
  test::PumpFor(1600);
  test::MouseButton(MOUSEEVENTF_LEFTUP);
  test::PumpFor(200);
  const std::size_t held = changes.size();
  test::PumpFor(300);
  EXPECT_EQ(changes.size(), held) << "nothing after the release";
  ASSERT_GE(changes.size(), 8u) << "a step at once, then after 500 ms, then every 50 ms";
  EXPECT_LT(changes[0] - pressed, 400u) << "the first step comes with the press";
  const ULONGLONG second = changes[1] - changes[0];
  EXPECT_GE(second, 400u);
  EXPECT_LE(second, 900u);
  std::vector<ULONGLONG> gaps;
  for (std::size_t i = 2; i < changes.size(); ++i) gaps.push_back(changes[i] - changes[i - 1]);
  std::sort(gaps.begin(), gaps.end());
  const ULONGLONG median = gaps[gaps.size() / 2];
  EXPECT_GE(median, 35u);
  EXPECT_LE(median, 130u) << "then every 50 ms";
  EXPECT_EQ(bar.Position(), static_cast<int>(changes.size())) << "one step each";
  EXPECT_EQ(bar.TimerInterval(), 0u);

  // Held to the end: it stops at Max, and so does its timer.
  bar.SetMax(3);
  bar.SetPosition(0);
  changes.clear();
  test::MouseButton(MOUSEEVENTF_LEFTDOWN);
  test::PumpUntil([&] { return bar.Position() == 3 && bar.TimerInterval() == 0; }, 3000);
  EXPECT_EQ(bar.Position(), 3);
  EXPECT_EQ(bar.TimerInterval(), 0u) << "at Max the repeat stops while the button is still held";
  test::MouseButton(MOUSEEVENTF_LEFTUP);
  test::PumpFor(100);
}

TEST_F(SkinControls, AClickWhileTheMenuIsOpenClosesItWithoutOpeningItAgain) {
  PopupMenu menu;
  menu.Items().Add(u"First");
  menu.Items().Add(u"Second");
  int opened = 0;
  menu.OnPopup = [&](PopupMenuModel&) { ++opened; };
  TSkinButton button(form, Rect::FromSize(100, 40, 1, 1));
  Skinned(button, "AudioSettings.Button");
  button.SetDropdownMenu(&menu);
  SettleShown(form);
  const Point centre = test::ScreenCentre(button);

  // The menu's loop runs inside the press on this thread: the second click comes from another one.
  std::atomic<bool> sawMenu{false}, clickedAgain{false}, done{false};
  std::thread hand([&] {
    if (test::WaitUntil([] { return test::FindOwnWindow(L"#32768") != nullptr; }, 5000)) {
      sawMenu = true;
      Sleep(300);
      test::ClickAt(centre.x, centre.y);
      clickedAgain = true;
    }
    done = true;
  });
  test::ClickAt(centre.x, centre.y);
  test::PumpUntil([&] { return done.load(); }, 8000);
  hand.join();
  ASSERT_TRUE(sawMenu) << "the first click opened the menu";
  ASSERT_TRUE(clickedAgain);
  test::PumpUntil([&] { return test::FindOwnWindow(L"#32768") == nullptr && !button.DroppedDown(); }, 3000);
  test::PumpFor(700);
  EXPECT_EQ(test::FindOwnWindow(L"#32768"), nullptr) << "the click that closed the menu did not open it again";
  EXPECT_EQ(opened, 1);
  EXPECT_FALSE(button.DroppedDown());
  EXPECT_EQ(button.State(), ButtonState::bsUp);

  // A later click opens it again.
  std::thread escape([&] {
    if (test::WaitUntil([] { return test::FindOwnWindow(L"#32768") != nullptr; }, 5000)) test::PressKeys({VK_ESCAPE});
  });
  test::ClickAt(centre.x, centre.y);
  test::PumpUntil([&] { return opened == 2 && test::FindOwnWindow(L"#32768") == nullptr; }, 8000);
  escape.join();
  EXPECT_EQ(opened, 2);
}

TEST_F(SkinControls, SlidersJumpToAClickAndFollowADraggedThumb) {
  // The equaliser's upright bar: 0 at the bottom.
  TSkinSlider bar(form, Rect::FromSize(260, 40, 1, 1));
  bar.SetOrientation(SliderOrientation::soVertical);
  Skinned(bar, "EqSlider.Track", "EqSlider.Thumb");
  bar.SetMax(200);
  bar.SetPosition(100);
  EXPECT_EQ(bar.Bounds().Extent(), (Size{14, 65})) << "the track image gives the size";
  std::vector<std::string> events;
  bar.OnChangeStart = [&](TCustomSkinSlider&) { events.push_back("start"); };
  bar.OnChange = [&](TCustomSkinSlider& s) { events.push_back("change " + std::to_string(s.Position())); };
  bar.OnChangeEnd = [&](TCustomSkinSlider&) { events.push_back("end"); };
  SettleShown(form);
  const Rect screen = bar.ScreenRect();

  test::ClickAt(screen.left + 7, screen.bottom - 9);
  ASSERT_TRUE(test::PumpUntil([&] { return !events.empty(); }, 2000));
  EXPECT_LT(bar.Position(), 20) << "a click near the bottom reads near 0";
  test::ClickAt(screen.left + 7, screen.top + 8);
  ASSERT_TRUE(test::PumpUntil([&] { return events.size() == 2; }, 2000));
  EXPECT_GT(bar.Position(), 180) << "near the top, near Max";

  events.clear();
  const Rect thumb = bar.Geometry().Thumb(bar.Position(), bar.Max()).Offset(screen.left, screen.top);
  ASSERT_TRUE(test::MovePointerTo({thumb.left + 7, thumb.top + 7}));
  test::MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(test::PumpUntil([&] { return bar.Dragging(); }, 2000));
  test::MoveMouseTo(thumb.left + 7, thumb.top + 30);
  ASSERT_TRUE(test::PumpUntil([&] { return bar.Position() < 150; }, 2000)) << "the thumb follows the pointer";
  test::MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(test::PumpUntil([&] { return !bar.Dragging(); }, 2000));
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events.front(), "start");
  EXPECT_EQ(events[events.size() - 2], "end") << "the end, then the change, when the thumb is let go";
  EXPECT_EQ(events.back(), "change " + std::to_string(bar.Position()));
  EXPECT_EQ(std::count(events.begin(), events.end(), "end"), 1);
}

TEST_F(SkinControls, ImageArraysShowTheirIndexAndSizeableButtonsStretch) {
  TSkinImageArray mono(form, Rect::FromSize(20, 100, 1, 1));
  mono.Image.SetSlice(*FindSkinSlice("MonoSter.Mono"));
  mono.Image.SetSkin(&test::DefaultPlayerSkin());
  EXPECT_EQ(mono.Bounds().Extent(), (Size{24, 12}));
  mono.SetImageIndex(7);
  EXPECT_EQ(mono.ImageIndex(), 1) << "at most the last sub-image";
  // An image that sizes itself: anchored right only, the array keeps its right edge when the image changes size.
  TSkinImageArray lamp(form, Rect::FromSize(200, 150, 1, 1));
  lamp.SetAnchoring({.left = false, .top = false, .right = true, .bottom = true});
  lamp.Image.SetAutoSize(true);
  lamp.Image.SetImageCount(2);
  lamp.Image.SetRowLayout(SliceLayout::Vertical);
  lamp.Image.SetName("MonoSter");  // 58 x 24: two sub-images of 58 x 12
  lamp.Image.SetSkin(&test::DefaultPlayerSkin());
  const Rect before = lamp.Bounds();
  EXPECT_EQ(before.Extent(), (Size{58, 12}));
  lamp.Image.SetName("Playpaus");  // 42 x 18: two of 42 x 9
  EXPECT_EQ(lamp.Bounds().Extent(), (Size{42, 9}));
  EXPECT_EQ(lamp.Bounds().right, before.right) << "the right edge stays";
  EXPECT_EQ(lamp.Bounds().bottom, before.bottom) << "and the bottom edge";
  TSizeableSkinButton grip(form, Rect::FromSize(60, 100, 10, 60));
  grip.Glyph.SetSkinSlice(*FindSkinSlice("Minimize.Grip"));
  grip.Glyph.SetSkin(&test::DefaultPlayerSkin());
  const SkinStretch& stretch = *FindSkinStretch("Minimize.Grip");
  grip.Borders = {stretch.Left, stretch.Top, stretch.Right, stretch.Bottom};
  grip.Centre = Rect::FromSize(stretch.CentreLeft, stretch.CentreTop, stretch.CentreWidth, stretch.CentreHeight);
  EXPECT_EQ(grip.Bounds().Extent(), (Size{10, 60})) << "any size";
  SettleShown(form);
  const test::Screenshot shot = test::TakeScreenshot("skin-image-array-and-grip");
  const Rect at = mono.ScreenRect();
  EXPECT_LE(test::ColourDistance(shot.At(at.left + 12, at.top + 6), PixelOf(mono.Image, 1, 12, 6)), 3)
      << "see " << shot.PngPath();
}

}  // namespace
}  // namespace nv
