// Hints on the Wine desktop: shown after the pause below the pointer, in a topmost window that is never layered and
// never takes the activation; rewritten or placed over a rectangle by the control; a drag hint follows at once and
// stays until the drag ends.
#include <gtest/gtest.h>

#include <optional>
#include <thread>

#include "support/ui/win/Hints.h"
#include "tests/common/win/DesktopDriver.h"
#include "tests/common/win/Screenshot.h"
#include "tests/support/ui/win/UiTestSupport.h"

namespace nv::test {
namespace {

constexpr DWORD kTimeoutMs = 5000;

class HintsTest : public ::testing::Test {
protected:
  HintsTest()
      : play(form, Rect::FromSize(20, 20, 60, 30), RGB(0, 90, 200), "play"),
        seek(form, Rect::FromSize(120, 20, 200, 30), RGB(0, 150, 0), "seek") {
    play.Hint = L"Play";
    form.Show();
    PumpFor(200);
  }
  ~HintsTest() override {
    hints.Hide();
    MoveMouseTo(5, 5);
  }
  static Rect WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return FromRECT(r);
  }

  TestForm form;
  ProbeControl play, seek;
  HintManager& hints = App().Hints();
};

TEST_F(HintsTest, AHintShowsAfterThePauseBelowThePointerWithoutTakingTheActivation) {
  const HWND active = GetActiveWindow();
  ASSERT_TRUE(MovePointerUntil(ScreenCentre(play), [&] { return play.moves > 0; }));
  const ULONGLONG start = GetTickCount64();
  ASSERT_TRUE(PumpUntil([&] { return hints.Showing(); }, kTimeoutMs));
  const ULONGLONG waited = GetTickCount64() - start;
  EXPECT_GE(waited, 400u) << "the pause comes first";
  EXPECT_LE(waited, 2000u);
  EXPECT_EQ(hints.HintControl(), &play);

  const HWND window = hints.Window().Handle();
  EXPECT_EQ(hints.Window().Text(), L"Play");
  POINT cursor{};
  GetCursorPos(&cursor);
  EXPECT_GT(WindowRect(window).top, cursor.y) << "below the pointer";
  const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_FALSE(exStyle & WS_EX_LAYERED) << "opaque over translucent forms";
  EXPECT_EQ(GetActiveWindow(), active);

  // Moving on to a control without a hint takes the hint away.
  ASSERT_TRUE(MovePointerUntil(ScreenCentre(seek), [&] { return seek.moves > 0; }));
  EXPECT_TRUE(PumpUntil([&] { return !hints.Showing(); }, kTimeoutMs));
}

TEST_F(HintsTest, TheControlMayRewriteThePlaceAndTheTextOrSuppressTheHint) {
  const Rect over = seek.ScreenRect();
  seek.OnShowHint = [&](Control&, HintInfo& info) {
    info.text = L"2:31 of 4:05";
    info.area = over;  // exactly over the control, as a truncated row's full text is shown
  };
  ASSERT_TRUE(MovePointerUntil(ScreenCentre(seek), [&] { return seek.moves > 0; }));
  ASSERT_TRUE(PumpUntil([&] { return hints.Showing(); }, kTimeoutMs)) << "a hint the control made up shows too";
  EXPECT_EQ(hints.Window().Text(), L"2:31 of 4:05");
  EXPECT_EQ(WindowRect(hints.Window().Handle()), over);

  play.OnShowHint = [](Control&, HintInfo& info) { info.text.clear(); };
  ASSERT_TRUE(MovePointerUntil(ScreenCentre(play), [&] { return play.moves > 0 && !hints.Showing(); }));
  PumpFor(1000);
  EXPECT_FALSE(hints.Showing()) << "suppressed";
}

TEST_F(HintsTest, ADragHintFollowsAtOnceAndStaysUntilTheDragEnds) {
  hints.HidePause = 300;
  hints.ShowDragHint(L"Volume 40%", {400, 400});
  EXPECT_TRUE(hints.Showing()) << "no pause";
  EXPECT_EQ(hints.Window().Text(), L"Volume 40%");
  hints.ShowDragHint(L"Volume 45%", {420, 400});
  EXPECT_EQ(hints.Window().Text(), L"Volume 45%");
  EXPECT_EQ(WindowRect(hints.Window().Handle()).left, 420);

  // The pointer moves and the time passes: the drag hint stays.
  ASSERT_TRUE(MovePointerUntil(ScreenCentre(play), [&] { return play.moves > 0; }));
  PumpFor(800);
  EXPECT_TRUE(hints.Showing());
  EXPECT_EQ(hints.Window().Text(), L"Volume 45%");
  hints.HideDragHint();
  EXPECT_FALSE(hints.Showing());
  hints.HidePause = 2500;
}

}  // namespace
}  // namespace nv::test
