// Skinned windows on the Wine desktop, checked as a person sees them (screenshots read at chosen points) and as the
// system sees them (hit tests, window regions, layered attributes): a form shaped by its mask shows what lies
// behind it through the cut-out; its mask's red and blue areas size and drag it; the light variant of an element is
// chosen over a light backdrop only; alpha images blend exactly; fades rise and fall on time (their alpha read back
// from the window, since Xvfb draws layered windows opaque); a new skin repaints every control once.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "skins/MaskRegions.h"
#include "skins/win/LayeredWindows.h"
#include "skins/win/SkinDrawing.h"
#include "skins/win/SkinMessages.h"
#include "support/ui/win/LoadingScope.h"
#include "support/ui/win/GdiObjects.h"
#include "tests/common/win/DesktopDriver.h"
#include "tests/common/win/Screenshot.h"
#include "tests/skins/BmpBytes.h"
#include "tests/skins/win/SkinTestSupport.h"
#include "tests/support/ui/win/UiTestSupport.h"

namespace nv {
namespace {

using test::Rgb;

constexpr DWORD kPaintTimeoutMs = 3000;

std::string Solid(int width, int height, std::uint32_t rgb) {
  return test::Bmp24(width, height, [&](int, int) { return rgb; });
}

// A plain form of one colour, behind the skinned ones.
class Backdrop final : public Form {
public:
  Backdrop(Rect bounds, COLORREF colour)
      : Form({.className = L"NorvaleTestBackdrop", .border = FormBorder::None, .topmost = true, .bounds = bounds}) {
    SetColor(colour);
    ShowNoActivate();
  }
};

bool Near(Rgb got, Rgb expected, int tolerance) { return test::ColourDistance(got, expected) <= tolerance; }

std::string Describe(Rgb c) {
  return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
}

class SkinForms : public ::testing::Test {
protected:
  SkinForms() { test::MoveMouseTo(5, 5); }

  // The default skin with the strip's items, loaded once for the whole run.
  static TSkin& DefaultSkin() {
    static TSkin& skin = *[] {
      auto* made = new TSkin(test::TestSkins());
      DeclareStripSkin(*made);
      made->SetActive(true);
      return made;
    }();
    return skin;
  }

  // A skin of our own, read from a folder: every item it declares is there, so nothing comes from the default.
  TSkin& FolderSkin(const std::vector<std::pair<std::string, std::string>>& images) {
    for (const auto& [item, bmp] : images) {
      folder_.Write(item, bmp);
      folderSkin_.Images().Add(item);
    }
    folderSkin_.SetPath(folder_.Path());
    folderSkin_.SetActive(true);
    return folderSkin_;
  }

  static void Show(test::TestSkinForm& form) {
    form.ShowNoActivate();
    ASSERT_TRUE(test::PumpUntil([&] { return form.paints > 0; }, kPaintTimeoutMs));
    test::PumpFor(200);  // what the paint put on the screen settles
  }

  test::SkinFolder folder_;
  TSkin folderSkin_{test::TestSkins()};
};

// --- Shape ---

TEST_F(SkinForms, AShapedFormFromTheDefaultSkinShowsTheDesktopThroughItsCutOut) {
  const Backdrop backdrop(Rect::FromSize(80, 80, 400, 200), RGB(255, 0, 255));
  test::TestSkinForm form({120, 120});
  {
    LoadingScope loading(form);
    form.UseImages(DefaultSkin(), "InfoMain", "InfoMain.mask");
  }
  EXPECT_EQ(form.Bounds(), Rect::FromSize(120, 120, 190, 44)) << "the form takes its image's size";
  Show(form);
  const test::Screenshot shot = test::TakeScreenshot("skin-form-shaped");
  // The rounded corners are cut: the backdrop shows there. Inside, the image.
  const Rgb magenta{255, 0, 255};
  for (const Point corner : {Point{0, 0}, Point{189, 0}, Point{0, 43}, Point{189, 43}})
    EXPECT_TRUE(Near(shot.At(120 + corner.x, 120 + corner.y), magenta, 8))
        << "corner " << corner.x << "," << corner.y << " is " << Describe(shot.At(120 + corner.x, 120 + corner.y))
        << "; see " << shot.PngPath();
  const SkinBitmap& image = form.Image.Bitmap();
  for (const Point inside : {Point{95, 22}, Point{10, 10}, Point{180, 35}}) {
    const std::uint32_t pixel = image.At(inside.x, inside.y);
    const Rgb expected{std::uint8_t(pixel >> 16), std::uint8_t(pixel >> 8), std::uint8_t(pixel)};
    EXPECT_TRUE(Near(shot.At(120 + inside.x, 120 + inside.y), expected, 2))
        << inside.x << "," << inside.y << ": " << Describe(shot.At(120 + inside.x, 120 + inside.y)) << " not "
        << Describe(expected);
  }
  EXPECT_EQ(WindowFromPoint({120, 120}), backdrop.Handle()) << "the cut-out is not the form's";
  EXPECT_EQ(WindowFromPoint({215, 142}), form.Handle());
}

// A 40 x 40 mask: a red ring 4 pixels wide (black at its very corner), a blue caption band inside its top, white
// within. Stretched by insets of 8, the ring stays 4 pixels wide along the edges of any size.
std::string RingMask() {
  return test::Bmp24(40, 40, [](int x, int y) -> std::uint32_t {
    if (x == 0 && y == 0) return 0x000000;
    if (x < 4 || y < 4 || x >= 36 || y >= 36) return 0xFF0000;
    if (y < 12) return 0x0000FF;
    return 0xFFFFFF;
  });
}

TEST_F(SkinForms, TheMasksRedAreaSizesItsBlueAreaDragsAndPanelsLetThemThrough) {
  TSkin& skin = FolderSkin({{"Face", Solid(40, 40, 0x808080)}, {"Face.mask", RingMask()}});
  test::TestSkinForm form({300, 200}, {200, 120});
  std::unique_ptr<test::CountingPanel> throughPanel, plainPanel;
  std::unique_ptr<test::SkinPicture> picture;
  {
    LoadingScope loading(form);
    form.SetSizeable(true);
    form.SetBorders({8, 8, 8, 8});
    form.UseImages(skin, "Face", "Face.mask");
    throughPanel = std::make_unique<test::CountingPanel>(form, Rect::FromSize(60, 0, 30, 60));
    throughPanel->ParentHitTest = true;
    plainPanel = std::make_unique<test::CountingPanel>(form, Rect::FromSize(140, 0, 30, 60));
    picture = std::make_unique<test::SkinPicture>(form, Point{110, 2});
    picture->Picture.SetName("Face");
    picture->Picture.SetImageSize(10, 10);
    picture->Picture.SetSkin(&skin);
  }
  Show(form);
  auto hit = [](HWND window, int x, int y) {
    return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(300 + x, 200 + y));
  };
  struct Case {
    const char* what;
    int x, y;
    LRESULT expected;
  } cases[] = {
      {"red, left edge between the top and bottom insets", 2, 60, HTLEFT},
      {"red, top-left corner", 2, 2, HTTOPLEFT},
      {"red, top edge", 30, 2, HTTOP},
      {"red, right edge", 197, 60, HTRIGHT},
      {"red, bottom-right corner", 197, 117, HTBOTTOMRIGHT},
      {"red, bottom edge", 100, 118, HTBOTTOM},
      {"blue: the caption", 40, 6, HTCAPTION},
      {"white: the client area", 40, 60, HTCLIENT},
      {"a control over the caption answers for itself", 113, 5, HTCLIENT},
      {"outside the window", 200, 60, HTNOWHERE},
  };
  for (const Case& c : cases) EXPECT_EQ(hit(form.Handle(), c.x, c.y), c.expected) << c.what;
  EXPECT_EQ(hit(throughPanel->Handle(), 70, 6), HTTRANSPARENT) << "the caption reaches through the panel";
  EXPECT_EQ(hit(throughPanel->Handle(), 70, 50), HTCLIENT) << "the client area does not";
  EXPECT_EQ(hit(plainPanel->Handle(), 150, 6), HTCLIENT) << "a panel without ParentHitTest is the panel";
  EXPECT_NE(WindowFromPoint({300, 200}), form.Handle()) << "the black pixel is cut away";

  // Dragging by the caption moves the window, as a person would. The system's move loop runs inside this thread's
  // message handling, so the hand that drags is another thread.
  std::atomic<bool> released{false};
  std::thread hand([&] {
    test::MoveMouseTo(300 + 40, 200 + 6);
    Sleep(150);
    test::MouseButton(MOUSEEVENTF_LEFTDOWN);
    Sleep(150);
    for (int step = 1; step <= 5; ++step) {
      test::MoveMouseTo(340 + step * 8, 206 + step * 6);
      Sleep(60);
    }
    test::MouseButton(MOUSEEVENTF_LEFTUP);
    released = true;
  });
  const bool moved = test::PumpUntil([&] { return released && form.Bounds().left == 340; }, 5000);
  hand.join();
  EXPECT_TRUE(moved) << "the form is at " << form.Bounds().left << "," << form.Bounds().top;
  EXPECT_EQ(form.Bounds().top, 230);
}

TEST_F(SkinForms, AFormThatDoesNotSizeHasNoSizingEdgesButKeepsItsCaption) {
  TSkin& skin = FolderSkin({{"Face", Solid(40, 40, 0x808080)}, {"Face.mask", RingMask()}});
  test::TestSkinForm form({300, 200});
  {
    LoadingScope loading(form);
    form.UseImages(skin, "Face", "Face.mask");
  }
  Show(form);
  EXPECT_EQ(form.Bounds(), Rect::FromSize(300, 200, 40, 40));
  EXPECT_EQ(SendMessageW(form.Handle(), WM_NCHITTEST, 0, MAKELPARAM(302, 220)), HTCLIENT) << "red";
  EXPECT_EQ(SendMessageW(form.Handle(), WM_NCHITTEST, 0, MAKELPARAM(320, 206)), HTCAPTION) << "blue";
  // Asked to grow, it keeps its image's size.
  SetWindowPos(form.Handle(), nullptr, 0, 0, 300, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(form.Bounds(), Rect::FromSize(300, 200, 40, 40));
}

TEST_F(SkinForms, AShapeKeptForTheFormsOwnPaintingIsNoWindowRegion) {
  TSkin& skin = FolderSkin({{"Face", Solid(40, 40, 0x808080)}, {"Face.mask", RingMask()}});
  test::TestSkinForm form({300, 200}, {200, 120});
  {
    LoadingScope loading(form);
    form.SetSizeable(true);
    form.SetBorders({8, 8, 8, 8});
    form.UseImages(skin, "Face", "Face.mask");
  }
  Show(form);
  // Shaped for a part of itself and kept: the window has no region, the form holds the shape there.
  form.UpdateShape(true, Rect::FromSize(50, 20, 100, 80));
  const UniqueRegion windowRegion(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(form.Handle(), windowRegion.Get()), ERROR) << "no window region";
  ASSERT_NE(form.KeptShape(), nullptr);
  EXPECT_FALSE(PtInRegion(form.KeptShape(), 50, 20)) << "the mask's black corner, moved to the part";
  EXPECT_TRUE(PtInRegion(form.KeptShape(), 100, 60));
  EXPECT_FALSE(PtInRegion(form.KeptShape(), 20, 60)) << "outside the part";
  // The sizing area moved with it: the part's red left edge sizes (by the window's quadrant, since the edge bands
  // are the window's), where the window's own edge no longer does.
  EXPECT_EQ(SendMessageW(form.Handle(), WM_NCHITTEST, 0, MAKELPARAM(300 + 52, 200 + 60)), HTTOPLEFT);
  EXPECT_EQ(SendMessageW(form.Handle(), WM_NCHITTEST, 0, MAKELPARAM(300 + 2, 200 + 60)), HTCLIENT);
  // Made the window region again.
  form.UpdateShape(false);
  EXPECT_NE(GetWindowRgn(form.Handle(), windowRegion.Get()), ERROR);
  EXPECT_EQ(form.KeptShape(), nullptr);
}

TEST_F(SkinForms, APanelWithAMaskIsCutToItsShape) {
  TSkin& skin = FolderSkin({{"Face", Solid(40, 40, 0x808080)}, {"Face.mask", RingMask()}});
  test::TestSkinForm form({300, 200}, {120, 80});
  form.SetColor(RGB(255, 0, 255));
  TSkinPanelWR panel(form, Rect::FromSize(20, 20, 40, 40));
  panel.Image.SetName("Face");
  panel.Mask.SetName("Face.mask");
  panel.Image.SetSkin(&skin);
  panel.Mask.SetSkin(&skin);
  Show(form);
  test::PumpFor(100);
  EXPECT_EQ(WindowFromPoint({320, 220}), form.Handle()) << "the panel's black corner is cut away";
  EXPECT_EQ(WindowFromPoint({321, 221}), panel.Handle());
  const test::Screenshot shot = test::TakeScreenshot("skin-panel-shape");
  EXPECT_TRUE(Near(shot.At(320, 220), {255, 0, 255}, 2)) << Describe(shot.At(320, 220));
  EXPECT_TRUE(Near(shot.At(340, 240), {128, 128, 128}, 2)) << Describe(shot.At(340, 240));
}

// --- Drawing ---

TEST_F(SkinForms, TheLightVariantIsChosenOverALightBackdropOnly) {
  // "Lamp": red on top (for dark backdrops), blue below it (the light variant, 10 pixels down).
  TSkin& skin = FolderSkin({{"Lamp", test::Bmp24(20, 20, [](int, int y) { return y < 10 ? 0xC80000u : 0x0000C8u; })}});
  struct Place {
    COLORREF backdrop;
    int lightOffset;
    Rgb expected;
    const char* what;
  } places[] = {
      {RGB(255, 255, 255), 10, {0, 0, 200}, "white backdrop: the light variant"},
      {RGB(20, 20, 20), 10, {200, 0, 0}, "dark backdrop: the dark one"},
      {RGB(255, 255, 255), 20, {200, 0, 0}, "white backdrop, the light variant outside the image: the dark one"},
  };
  std::vector<std::unique_ptr<test::TestSkinForm>> forms;
  std::vector<std::unique_ptr<test::SkinPicture>> pictures;
  for (std::size_t i = 0; i < std::size(places); ++i) {
    auto& form = *forms.emplace_back(
        std::make_unique<test::TestSkinForm>(Point{100 + 150 * static_cast<int>(i), 450}, Size{60, 40}));
    form.SetColor(places[i].backdrop);
    auto& picture = *pictures.emplace_back(std::make_unique<test::SkinPicture>(form, Point{20, 15}));
    picture.Picture.SetName("Lamp");
    picture.Picture.SetImageSize(20, 10);
    picture.Picture.SetLightOffset(0, static_cast<std::int16_t>(places[i].lightOffset));
    picture.Picture.SetSkin(&skin);
    Show(form);
  }
  const test::Screenshot shot = test::TakeScreenshot("skin-light-variant");
  for (std::size_t i = 0; i < std::size(places); ++i) {
    const Rgb got = shot.At(100 + 150 * static_cast<int>(i) + 30, 450 + 20);
    EXPECT_TRUE(Near(got, places[i].expected, 2)) << places[i].what << ": " << Describe(got);
  }
}

TEST_F(SkinForms, AlphaImagesBlendOverWhatIsBeneathWithinOne) {
  // 200, 100, 50 at alpha 128 over pure blue: 100, 50, 25 premultiplied, plus blue x 127 / 255.
  TSkin& skin = FolderSkin({{"Glass", test::Bmp32(20, 20, [](int, int) { return 0x80C86432u; })}});
  test::TestSkinForm form({100, 560}, {60, 40});
  form.SetColor(RGB(0, 0, 255));
  test::SkinPicture picture(form, {20, 10});
  picture.Picture.SetName("Glass");
  picture.Picture.SetSkin(&skin);
  Show(form);
  const test::Screenshot shot = test::TakeScreenshot("skin-alpha");
  const Rgb got = shot.At(130, 580);
  EXPECT_TRUE(Near(got, {100, 50, 152}, 1)) << Describe(got);
  EXPECT_TRUE(Near(shot.At(105, 565), {0, 0, 255}, 1)) << "beside it the form's colour";
}

// --- Transparency and fades ---

class Fades : public SkinForms {
protected:
  Fades() : form_({600, 300}, {80, 60}) {
    form_.SetColor(RGB(90, 90, 90));
  }

  // Samples the opacity the window has, every 20 ms, until `untilMs` after the start.
  struct Sample {
    int atMs, percent;
    bool visible;
  };
  std::vector<Sample> Watch(ULONGLONG start, int untilMs) {
    std::vector<Sample> samples;
    for (;;) {
      test::PumpFor(20);
      const int at = static_cast<int>(GetTickCount64() - start);
      samples.push_back({at, GetWindowTransparency(form_.Handle()), IsWindowVisible(form_.Handle()) != FALSE});
      if (at >= untilMs) return samples;
    }
  }

  test::TestSkinForm form_;
};

// Timer ticks come late on a busy machine: a reading may lag its time by up to 150 ms, and is never early.
constexpr int kLagMs = 150;

TEST_F(Fades, AFadeInRisesOnTimeAndEndsAsAnOrdinaryWindow) {
  const ULONGLONG start = GetTickCount64();
  form_.FadeIn(1000);
  EXPECT_TRUE(form_.Visible());
  EXPECT_EQ(form_.FadeState(), FadeDirection::In);
  for (const Sample& s : Watch(start, 1400)) {
    if (s.atMs > 1000 + kLagMs) {
      EXPECT_EQ(s.percent, 100) << "at " << s.atMs;
      continue;
    }
    EXPECT_TRUE(s.visible);
    EXPECT_LE(s.percent, s.atMs / 10 + 1) << "at " << s.atMs;
    EXPECT_GE(s.percent, (s.atMs - kLagMs) / 10 - 1) << "at " << s.atMs;
  }
  EXPECT_EQ(form_.FadeState(), FadeDirection::None);
  EXPECT_FALSE(GetWindowLongW(form_.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED) << "opaque again";
}

TEST_F(Fades, AFadeOutFallsOnTimeAndHidesTheForm) {
  form_.Show();
  test::PumpFor(100);
  const ULONGLONG start = GetTickCount64();
  form_.FadeOut(1000);
  EXPECT_FALSE(form_.IsShowing());
  for (const Sample& s : Watch(start, 1400)) {
    if (s.atMs > 1000 + kLagMs) {
      EXPECT_FALSE(s.visible) << "at " << s.atMs;
      continue;
    }
    if (!s.visible) continue;
    EXPECT_GE(s.percent, 100 - s.atMs / 10 - 1) << "at " << s.atMs;
    EXPECT_LE(s.percent, 100 - (s.atMs - kLagMs) / 10 + 1) << "at " << s.atMs;
  }
  EXPECT_EQ(GetWindowTransparency(form_.Handle()), 100) << "its transparency is back for the next show";
}

TEST_F(Fades, AFadeThatTurnsMidwayGoesBackFromWhereItStands) {
  form_.FadeIn(1000);
  test::PumpFor(500);
  const int reached = GetWindowTransparency(form_.Handle());
  ASSERT_GT(reached, 20);
  ASSERT_LT(reached, 90);
  const ULONGLONG turned = GetTickCount64();
  form_.FadeOut(1000);
  EXPECT_LE(std::abs(GetWindowTransparency(form_.Handle()) - reached), 2) << "no jump";
  // The way back takes the share of the second it needs: about `reached` x 10 ms.
  const auto samples = Watch(turned, reached * 10 + 600);
  for (const Sample& s : samples) {
    if (s.visible) {
      EXPECT_LE(s.percent, reached + 1) << "at " << s.atMs << " after the turn";
    }
    if (s.atMs < reached * 10 - kLagMs) {
      EXPECT_TRUE(s.visible) << "hidden early, at " << s.atMs;
    }
  }
  EXPECT_FALSE(samples.back().visible);
}

TEST_F(Fades, WithoutADurationOrAnOpacityOrAFadeMethodItShowsAndHidesAtOnce) {
  struct Case {
    const char* what;
    int duration, transparency;
    FadeMode method;
  } cases[] = {
      {"a duration of 0", 0, 100, FadeMode::Async},
      {"a transparency of 0", 500, 0, FadeMode::Async},
      {"no fades", 500, 100, FadeMode::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    form_.SetTransparency(c.transparency);
    form_.SetFadeMethod(c.method);
    form_.FadeIn(c.duration);
    EXPECT_TRUE(IsWindowVisible(form_.Handle()));
    EXPECT_EQ(form_.FadeState(), FadeDirection::None);
    EXPECT_EQ(GetWindowTransparency(form_.Handle()), c.transparency);
    form_.FadeOut(c.duration);
    EXPECT_FALSE(IsWindowVisible(form_.Handle()));
  }
}

TEST_F(Fades, ShowingOrHidingFromElsewhereStopsAFade) {
  form_.FadeIn(1000);
  test::PumpFor(200);
  form_.Hide();
  EXPECT_EQ(form_.FadeState(), FadeDirection::None);
  EXPECT_EQ(GetWindowTransparency(form_.Handle()), 100);
  test::PumpFor(300);
  EXPECT_FALSE(IsWindowVisible(form_.Handle())) << "the stopped fade shows nothing";
}

TEST_F(Fades, TransparencyIsClampedAndAppliedAsAlpha) {
  form_.Show();
  struct Case {
    int set, stored, applied;
  } cases[] = {{50, 50, 49}, {120, 100, 100}, {-5, 0, 0}, {100, 100, 100}};
  for (const Case& c : cases) {
    form_.SetTransparency(c.set);
    EXPECT_EQ(form_.Transparency(), c.stored) << c.set;
    EXPECT_EQ(GetWindowTransparency(form_.Handle()), c.applied) << c.set;
  }
}

// --- Labels ---

TEST_F(SkinForms, ALabelTakesItsColourFromThePaletteAndScrollsOnlyWhenTooWide) {
  test::TestSkinForm form({600, 450}, {200, 60});
  form.SetColor(RGB(0, 0, 0));
  test::CountingLabel wide(form, Rect::FromSize(10, 10, 60, 14)), fits(form, Rect::FromSize(10, 30, 180, 14));
  for (test::CountingLabel* label : {&wide, &fits}) {
    label->SetAutoSize(false);
    label->SetAutoScroll(true);
    label->Color.SetColorIndex(25);  // the play info's caption colour
    label->Color.SetSkin(&DefaultSkin());
  }
  wide.SetCaption("A title far too long for sixty pixels of label");
  fits.SetCaption("Short");
  Show(form);
  EXPECT_EQ(fits.TimerInterval(), 0u) << "a text that fits does not scroll";
  EXPECT_EQ(wide.TimerInterval(), 100u);
  EXPECT_GT(wide.TextWidth(), 60);
  const int before = wide.Scrolling().Offset();
  test::PumpFor(450);
  EXPECT_GE(wide.Scrolling().Offset() - before, 6) << "3 pixels per tick";
  // The text is drawn in the palette's colour.
  const SkinColour colour = DefaultSkin().GetPaletteColor(25);
  const test::Screenshot shot = test::TakeScreenshot("skin-labels");
  int inColour = 0;
  for (int y = 30; y < 44; ++y)
    for (int x = 10; x < 60; ++x)
      inColour += Near(shot.At(600 + x, 450 + y), test::ToRgb(colour), 40);
  EXPECT_GT(inColour, 10) << "see " << shot.PngPath();
}

// A form that puts a colour of its own in place of a label's palette colour, as the expanded player does for some.
class SubstitutingForm final : public test::TestSkinForm {
public:
  using TestSkinForm::TestSkinForm;
  Control* label = nullptr;

protected:
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SKINCOLORRESOLVED && reinterpret_cast<Control*>(lParam) == label)
      *reinterpret_cast<SkinColour*>(wParam) = RGB(0, 255, 0);
    return TestSkinForm::ControlMessage(message, wParam, lParam);
  }
};

TEST_F(SkinForms, TheFormALabelIsOnMaySubstituteItsColour) {
  SubstitutingForm form({600, 520}, {120, 30});
  form.SetColor(RGB(0, 0, 0));
  test::CountingLabel label(form, Rect::FromSize(5, 5, 110, 20));
  form.label = &label;
  label.SetFont(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
  label.SetCaption("WWWWWW");
  label.Color.SetColorIndex(25);
  label.Color.SetSkin(&DefaultSkin());
  Show(form);
  const test::Screenshot shot = test::TakeScreenshot("skin-label-substituted");
  int green = 0;
  for (int y = 5; y < 25; ++y)
    for (int x = 5; x < 115; ++x) green += Near(shot.At(600 + x, 520 + y), {0, 255, 0}, 60);
  EXPECT_GT(green, 10) << "see " << shot.PngPath();
}

// --- A change of skin ---

TEST_F(SkinForms, ANewSkinRepaintsEveryControlOnce) {
  TSkin skin(test::TestSkins());
  DeclareStripSkin(skin);
  skin.SetActive(true);
  // The expanded player's main panel: its image and mask stretched to their own size, a few of its controls.
  test::TestSkinForm form({100, 120}, {275, 116});
  std::vector<std::unique_ptr<test::SkinPicture>> pictures;
  std::unique_ptr<test::CountingLabel> label;
  std::unique_ptr<test::CountingPanel> panel;
  {
    LoadingScope loading(form);
    form.SetSizeable(true);
    form.SetBorders({8, 8, 8, 8});
    form.UseImages(skin, "Main", "Main.mask");
    const std::pair<const char*, const char*> controls[] = {
        {"CButtons.Play", "btPlay"}, {"CButtons.Stop", "btStop"}, {"ShufRep.Shuffle", "btShuffle"}, {"Mute.Mute", "btMute"}};
    for (const auto& [slice, control] : controls) {
      const SkinPlace* place = FindSkinPlace("Main.Panel", control);
      ASSERT_TRUE(place) << control;
      auto& picture = *pictures.emplace_back(std::make_unique<test::SkinPicture>(form, Point{place->Left, place->Top}));
      picture.Picture.SetSlice(*FindSkinSlice(slice));
      picture.Picture.SetSkin(&skin);
    }
    label = std::make_unique<test::CountingLabel>(form, Rect::FromSize(18, 2, 200, 12));
    label->SetCaption("Norvale");
    label->Color.SetColorIndex(23);
    label->Color.SetSkin(&skin);
    panel = std::make_unique<test::CountingPanel>(form, Rect::FromSize(7, 100, 10, 10));
    panel->Image.SetName("PlayList");
    panel->Image.SetSkin(&skin);
  }
  Show(form);
  EXPECT_EQ(form.Bounds().Width(), 275);
  EXPECT_EQ(panel->Bounds().Width(), 51) << "the panel takes its image's size";
  const Rgb before = test::TakeScreenshot("skin-before-change").At(100 + 140, 120 + 100);

  auto counts = [&] {
    std::vector<int> all{form.paints, label->paints, panel->paints};
    for (const auto& picture : pictures) all.push_back(picture->paints);
    return all;
  };
  form.paints = label->paints = panel->paints = 0;
  for (const auto& picture : pictures) picture->paints = 0;
  skin.SetPath(test::TestPackage("inverted-look.nvs"));
  test::PumpFor(500);
  EXPECT_EQ(counts(), std::vector<int>(counts().size(), 1)) << "form, label, panel, then the pictures";
  const test::Screenshot after = test::TakeScreenshot("skin-after-change");
  const Rgb now = after.At(100 + 140, 120 + 100);
  EXPECT_TRUE(Near(now, {std::uint8_t(255 - before.r), std::uint8_t(255 - before.g), std::uint8_t(255 - before.b)}, 2))
      << Describe(before) << " became " << Describe(now) << "; see " << after.PngPath();
}

}  // namespace
}  // namespace nv
