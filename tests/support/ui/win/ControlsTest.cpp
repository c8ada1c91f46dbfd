// Windowless controls on a real form on the Wine desktop, driven with the mouse: which control a click reaches,
// the capture through a drag, the hot state, painting into the form's surface (on screen and through PrintWindow),
// the loading bracket, alignment inside a panel's insets, dropped files and messages to a control.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/ui/win/LoadingScope.h"
#include "support/ui/win/Menus.h"
#include "support/ui/win/WinControl.h"
#include "tests/common/win/DesktopDriver.h"
#include "tests/common/win/Screenshot.h"
#include "tests/support/ui/win/UiTestSupport.h"

namespace nv::test {
namespace {

constexpr DWORD kInputTimeoutMs = 3000;

// A panel: a windowed control that holds others.
class TestPanel final : public WinControl {
public:
  TestPanel(WinControl& parent, Rect bounds) : WinControl(&parent, {L"NorvaleTestPanel"}, {.bounds = bounds}) {}
};

// Paints white where what lies beneath its centre is light, black where it is dark: it can only be right when its
// parent and the controls beneath have painted before it, into the same surface.
class BackdropProbe final : public Control {
public:
  BackdropProbe(WinControl& parent, Rect bounds) : Control(&parent) { SetBounds(bounds); }
  void Paint(HDC dc) override {
    const COLORREF beneath = GetPixel(dc, Width() / 2, Height() / 2);
    const int light = (GetRValue(beneath) + GetGValue(beneath) + GetBValue(beneath)) / 3;
    const HBRUSH brush = static_cast<HBRUSH>(GetStockObject(light >= 150 ? WHITE_BRUSH : BLACK_BRUSH));
    const RECT all{0, 0, Width(), Height()};
    FillRect(dc, &all, brush);
  }
};

// The layout of the portable hit-test table, as real controls on a form (client coordinates).
class HitForm : public ::testing::Test {
protected:
  HitForm()
      : background(form, {0, 0, 200, 100}, RGB(40, 40, 40), "background"),
        a(form, {10, 10, 60, 40}, RGB(220, 0, 0), "A"),
        b(form, {40, 20, 90, 60}, RGB(0, 200, 0), "B"),
        hidden(form, {100, 10, 150, 40}, RGB(0, 0, 220), "hidden"),
        disabled(form, {100, 50, 150, 90}, RGB(120, 120, 0), "disabled"),
        label(form, {110, 60, 140, 80}, RGB(0, 120, 120), "label"),
        slider(form, {160, 10, 190, 90}, RGB(200, 0, 200), "slider") {
    background.SetHitTransparent(true);
    hidden.Hide();
    disabled.SetEnabled(false);
    label.SetHitTransparent(true);
    form.OnMouseDown = [this](Control&, const MouseEvent&) { ++formDowns; };
    form.OnMouseUp = [this](Control&, const MouseEvent&) { ++formUps; };
    form.SetColor(RGB(255, 255, 255));
    form.Show();
    PumpUntil([&] { return background.paints > 0; }, kInputTimeoutMs);
  }
  ~HitForm() override { MoveMouseTo(5, 5); }

  std::vector<ProbeControl*> Probes() { return {&background, &a, &b, &hidden, &disabled, &label, &slider}; }
  Point OnScreen(Point client) const { return form.ClientToScreen(client); }
  int TotalUps() {
    int ups = formUps;
    for (ProbeControl* p : Probes()) ups += p->ups;
    return ups;
  }
  // Clicks at a client point and says who got the press ("form" for the form itself).
  std::string ClickReceiver(Point client) {
    std::vector<int> before;
    for (ProbeControl* p : Probes()) before.push_back(p->downs);
    const int formBefore = formDowns, upsBefore = TotalUps();
    const Point at = OnScreen(client);
    ClickAt(at.x, at.y);
    if (!PumpUntil([&] { return TotalUps() > upsBefore; }, kInputTimeoutMs)) return "nobody (timed out)";
    std::string receivers;
    for (std::size_t i = 0; i < Probes().size(); ++i)
      if (Probes()[i]->downs != before[i]) receivers += (receivers.empty() ? "" : "+") + Probes()[i]->name;
    if (formDowns != formBefore) receivers += (receivers.empty() ? "" : "+") + std::string("form");
    return receivers;
  }

  TestForm form;
  ProbeControl background, a, b, hidden, disabled, label, slider;
  int formDowns = 0, formUps = 0;
};

TEST_F(HitForm, AClickReachesTheTopmostControlThatTakesTheMouse) {
  struct Case {
    const char* what;
    Point at;
    const char* receiver;
  };
  const Case cases[] = {
      {"only A", {20, 15}, "A"},
      {"where A and B overlap, B is on top", {50, 30}, "B"},
      {"only B", {80, 55}, "B"},
      {"the transparent background passes the click to the form", {5, 95}, "form"},
      {"a hidden control takes nothing", {120, 20}, "form"},
      {"a disabled control takes nothing", {105, 55}, "form"},
      {"a transparent label over a disabled control: the form", {120, 70}, "form"},
      {"the slider", {175, 85}, "slider"},
      {"beside every control", {300, 200}, "form"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ClickReceiver(c.at), c.receiver);
  }
  EXPECT_EQ(a.clicks, 1);
  EXPECT_EQ(b.clicks, 2);
  EXPECT_EQ(disabled.clicks + hidden.clicks + label.clicks, 0);
}

// A right click opens the context menu of the control under the pointer, or of the nearest parent that has one;
// the control still hears its press and release.
TEST_F(HitForm, ARightClickOpensTheNearestMenuUpwards) {
  PopupMenu own, forms;
  own.Items().Add(u"Own item");
  forms.Items().Add(u"Form item");
  a.Menu = &own;
  form.Menu = &forms;
  struct Case {
    Point at;
    const wchar_t* item;
  };
  const Case cases[] = {{{20, 15}, L"Own item"}, {{80, 55}, L"Form item"}, {{300, 200}, L"Form item"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.item)));
    const int ups = TotalUps();
    std::wstring shown;
    std::thread hand([&] {
      HWND open = nullptr;
      if (!WaitUntil([&] { return (open = FindOwnWindow(L"#32768")) != nullptr; }, kInputTimeoutMs)) return;
      wchar_t text[64] = {};
      GetMenuStringW(reinterpret_cast<HMENU>(SendMessageW(open, MN_GETHMENU, 0, 0)), 0, text, 64, MF_BYPOSITION);
      shown = text;
      PostMessageW(open, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    const Point at = OnScreen(c.at);
    MoveMouseTo(at.x, at.y);
    MouseButton(MOUSEEVENTF_RIGHTDOWN);
    MouseButton(MOUSEEVENTF_RIGHTUP);
    PumpUntil([&] { return !shown.empty() && !FindOwnWindow(L"#32768"); }, kInputTimeoutMs);
    hand.join();
    EXPECT_EQ(shown, c.item);
    EXPECT_GT(TotalUps(), ups) << "the release reached the control too";
  }
  a.Menu = nullptr;
  form.Menu = nullptr;
}

TEST_F(HitForm, APressHoldsTheMouseThroughADragUntilReleased) {
  const Point start = OnScreen({175, 50});
  ASSERT_TRUE(MovePointerUntil(start, [&] { return slider.moves > 0; }));
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return slider.downs == 1; }, kInputTimeoutMs));
  EXPECT_TRUE(slider.HasCapture());

  // Across A and out of the form: the slider sees every move, in its own coordinates, and nothing else does.
  const int aMoves = a.moves;
  const Point overA = OnScreen({20, 20}), outside = OnScreen({-60, 250});
  ASSERT_TRUE(MovePointerUntil(overA, [&] { return slider.lastMove.x == 20 - 160; }));
  EXPECT_EQ(a.moves, aMoves);
  EXPECT_FALSE(slider.MouseInside()) << "a control holding the mouse is hot only while the pointer is over it";
  ASSERT_TRUE(MovePointerUntil(outside, [&] { return slider.lastMove.x == -60 - 160; }))
      << "last move at " << slider.lastMove.x << "," << slider.lastMove.y << " capture " << slider.HasCapture();
  EXPECT_EQ(slider.lastMove.y, 250 - 10);

  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return slider.ups == 1; }, kInputTimeoutMs));
  EXPECT_EQ(slider.lastUp.x, -60 - 160);
  EXPECT_FALSE(slider.HasCapture());
  EXPECT_EQ(slider.clicks, 0) << "released outside: no click";
  EXPECT_EQ(slider.captureLost, 0);
}

TEST_F(HitForm, CancelModeTakesTheCaptureAwayInTheMiddleOfADrag) {
  const Point start = OnScreen({175, 50});
  MovePointerUntil(start, [&] { return slider.moves > 0; });
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return slider.HasCapture(); }, kInputTimeoutMs));

  SendMessageW(form.Handle(), WM_CANCELMODE, 0, 0);
  EXPECT_EQ(slider.captureLost, 1);
  EXPECT_FALSE(slider.HasCapture());
  EXPECT_EQ(GetCapture(), nullptr);

  // The rest of the drag goes where the pointer is; the release clicks nothing.
  const Point overA = OnScreen({20, 20});
  ASSERT_TRUE(MovePointerUntil(overA, [&] { return a.moves > 0; }));
  EXPECT_NE(slider.lastMove.x, 20 - 160) << "the slider no longer follows the pointer";
  MouseButton(MOUSEEVENTF_LEFTUP);
  PumpUntil([&] { return a.ups > 0; }, kInputTimeoutMs);
  EXPECT_EQ(slider.clicks + a.clicks, 0);
}

// Each entry is paired with a leave. (Wine's leave tracking now and then reports a leave while the pointer rests;
// the next move enters again, so the test looks at the pairs, not at the counts.)
TEST_F(HitForm, TheHotStateFollowsThePointerInAndOut) {
  const auto hot = [](const ProbeControl& c) {
    EXPECT_EQ(c.enters - c.leaves, c.MouseInside() ? 1 : 0) << c.name << ": every entry has its leave";
    return c.MouseInside();
  };
  const Point overA = OnScreen({20, 15}), overB = OnScreen({80, 55}), overDisabled = OnScreen({105, 55}),
              offForm = OnScreen({450, 150});
  ASSERT_TRUE(MovePointerUntil(overA, [&] { return a.MouseInside(); }));
  EXPECT_TRUE(hot(a));

  ASSERT_TRUE(MovePointerUntil(overB, [&] { return b.MouseInside() && !a.MouseInside(); }));
  EXPECT_FALSE(hot(a));
  EXPECT_TRUE(hot(b));
  EXPECT_GE(a.leaves, 1);

  ASSERT_TRUE(MovePointerUntil(overDisabled, [&] { return form.MouseInside(); }));
  EXPECT_FALSE(hot(b));
  EXPECT_EQ(disabled.enters, 0) << "a disabled control is never hot";

  ASSERT_TRUE(MovePointerUntil(overA, [&] { return a.MouseInside(); }));
  EXPECT_FALSE(form.MouseInside()) << "the form itself is hot only where no control is";
  EXPECT_TRUE(MovePointerUntil(offForm, [&] { return !a.MouseInside() && !form.MouseInside(); }))
      << "leaving the form leaves the control";
  EXPECT_FALSE(hot(a));
}

TEST_F(HitForm, ADoubleClickIsTwoPressesTwoClicksAndOneDoubleClick) {
  const Point at = OnScreen({20, 15});
  MoveMouseTo(at.x, at.y);
  Sleep(50);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseButton(MOUSEEVENTF_LEFTUP);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return a.ups == 2; }, kInputTimeoutMs));
  EXPECT_EQ(a.downs, 2);
  EXPECT_EQ(a.doubleClicks, 1);
  EXPECT_EQ(a.clicks, 2);
}

TEST_F(HitForm, ControlsPaintIntoTheFormsSurfaceInZOrder) {
  const Rgb red = ToRgb(a.colour), green = ToRgb(b.colour), dark = ToRgb(background.colour);
  const Rgb white{255, 255, 255}, black{0, 0, 0};
  BackdropProbe overWhite(form, Rect::FromSize(250, 150, 20, 20)), overDark(form, Rect::FromSize(90, 70, 6, 6));
  form.Invalidate();
  PumpFor(300);

  // PrintWindow: the form's own painting of its controls (window and client coordinates agree: no frame).
  const Screenshot printed = CaptureWindow(form.Handle());
  struct Pixel {
    const char* what;
    Point at;
    Rgb expected;
  };
  const Pixel pixels[] = {
      {"A", {15, 15}, red},
      {"B over A", {50, 30}, green},
      {"the background picture", {5, 95}, dark},
      {"a hidden control is not painted", {120, 20}, dark},
      {"the form's own colour", {300, 250}, white},
      {"a control over the white form sees white beneath it", {260, 160}, white},
      {"a control over the dark picture sees dark beneath it", {93, 73}, black},
  };
  for (const Pixel& p : pixels) {
    SCOPED_TRACE(p.what);
    EXPECT_LE(ColourDistance(printed.At(p.at.x, p.at.y), p.expected), 8);
  }

  // And the same on the screen, as a person sees the desktop.
  const Screenshot screen = TakeScreenshot("ui-controls");
  for (const Pixel& p : pixels) {
    SCOPED_TRACE(std::string(p.what) + " (screen, " + screen.PngPath() + ")");
    const Point s = OnScreen(p.at);
    EXPECT_LE(ColourDistance(screen.At(s.x, s.y), p.expected), 8);
  }
}

TEST(Controls, TheLoadingBracketLoadsAndPaintsEachControlOnce) {
  // A control with a size rule: it is always 23 x 18, but not while the form is being built.
  class FixedSize final : public ProbeControl {
  public:
    using ProbeControl::ProbeControl;
    void AdjustBounds(Rect& bounds) override { bounds = Rect::FromSize(bounds.left, bounds.top, 23, 18); }
  };
  std::vector<std::string> loadedOrder;
  TestForm form;
  std::vector<std::unique_ptr<ProbeControl>> controls;
  {
    LoadingScope loading(form);
    for (int i = 0; i < 6; ++i) {
      auto probe = std::make_unique<ProbeControl>(form, Rect::FromSize(10 + 40 * i, 10, 30, 30), RGB(0, 0, 40 * i),
                                                  "probe " + std::to_string(i));
      // Many changes while loading: none of them paints.
      for (int step = 0; step < 5; ++step) probe->SetBounds(Rect::FromSize(10 + 40 * i, 10 + step, 30, 30));
      probe->SetVisible(false);
      probe->SetVisible(true);
      controls.push_back(std::move(probe));
    }
    controls.push_back(std::make_unique<FixedSize>(form, Rect::FromSize(10, 100, 50, 50), RGB(9, 9, 9), "fixed"));
    EXPECT_EQ(controls.back()->Width(), 50) << "the size rule waits for the end of loading";
    for (auto& c : controls) EXPECT_TRUE(c->Loading());
  }
  EXPECT_EQ(controls.back()->Bounds(), Rect::FromSize(10, 100, 23, 18));
  form.Show();
  PumpFor(500);
  for (auto& c : controls) {
    SCOPED_TRACE(c->name);
    EXPECT_FALSE(c->Loading());
    EXPECT_EQ(c->loaded, 1);
    EXPECT_EQ(c->paints, 1);
  }
}

TEST(Controls, AlignedChildrenFollowAPanelsInsetsAndSize) {
  TestForm form;
  TestPanel panel(form, Rect::FromSize(10, 10, 300, 200));
  panel.SetContentInsets({5, 6, 7, 8});
  ProbeControl top(panel, Rect::FromSize(0, 0, 10, 20), RGB(1, 1, 1), "top");
  ProbeControl client(panel, Rect::FromSize(0, 0, 10, 10), RGB(2, 2, 2), "client");
  ProbeControl corner(panel, Rect::FromSize(250, 150, 30, 20), RGB(3, 3, 3), "corner");
  top.SetAlignment(Align::Top);
  client.SetAlignment(Align::Client);
  corner.SetAnchoring({false, false, true, true});
  EXPECT_EQ(top.Bounds(), (Rect{5, 6, 293, 26}));
  EXPECT_EQ(client.Bounds(), (Rect{5, 26, 293, 192}));

  panel.SetBounds(Rect::FromSize(10, 10, 400, 250));  // the panel grows: its window is sized, the layout follows
  EXPECT_EQ(top.Bounds(), (Rect{5, 6, 393, 26}));
  EXPECT_EQ(client.Bounds(), (Rect{5, 26, 393, 242}));
  EXPECT_EQ(corner.Bounds(), Rect::FromSize(350, 200, 30, 20)) << "anchored right and bottom";

  {
    AlignLock lock(panel);
    top.SetBounds(Rect::FromSize(0, 0, 10, 40));
    EXPECT_EQ(client.Bounds().top, 26) << "held back while locked";
  }
  EXPECT_EQ(client.Bounds(), (Rect{5, 46, 393, 242}));
  top.Hide();
  EXPECT_EQ(client.Bounds(), (Rect{5, 6, 393, 242})) << "a hidden child takes no room";
}

// A drop as the shell makes one: a DROPFILES block with the names after it.
HDROP MakeDrop(Point at, const std::vector<std::wstring>& names) {
  std::wstring list;
  for (const std::wstring& name : names) list += name + L'\0';
  list += L'\0';
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = {at.x, at.y};
  drop->fWide = TRUE;
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

TEST(Controls, DroppedFilesGoToTheControlUnderThePointAndUpToWhoeverTakesThem) {
  TestForm form(Rect::FromSize(200, 150, 400, 300), true);
  TestPanel panel(form, Rect::FromSize(100, 50, 200, 150));
  panel.SetAcceptFiles(true);
  ProbeControl passes(panel, Rect::FromSize(10, 10, 50, 50), RGB(1, 1, 1), "passes");
  ProbeControl keeps(panel, Rect::FromSize(100, 10, 50, 50), RGB(2, 2, 2), "keeps");
  keeps.handlesDrops = true;
  std::vector<DroppedFiles> atForm;
  form.OnDropFiles = [&](WinControl&, const DroppedFiles& files) { atForm.push_back(files); };
  form.Show();

  PostMessageW(panel.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({20, 30}, {L"C:\\a.mp3", L"C:\\b c.ogg"})), 0);
  ASSERT_TRUE(PumpUntil([&] { return !atForm.empty(); }, kInputTimeoutMs));
  EXPECT_EQ(passes.drops, 1);
  EXPECT_EQ(passes.lastDrop.at, (Point{10, 20})) << "in the control's own coordinates";
  EXPECT_EQ(atForm[0].names, (std::vector<std::wstring>{L"C:\\a.mp3", L"C:\\b c.ogg"}));
  EXPECT_EQ(atForm[0].at, (Point{120, 80})) << "passed up in the form's coordinates";

  PostMessageW(panel.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({110, 20}, {L"C:\\x.wav"})), 0);
  ASSERT_TRUE(PumpUntil([&] { return keeps.drops == 1; }, kInputTimeoutMs));
  PumpFor(100);
  EXPECT_EQ(atForm.size(), 1u) << "a control that takes the files keeps them";
}

TEST(Controls, AMessageToAControlIsHandledAtOnce) {
  TestForm form;
  ProbeControl probe(form, Rect::FromSize(0, 0, 10, 10), RGB(0, 0, 0));
  EXPECT_EQ(probe.Perform(2025, 3, 4), 7);
  EXPECT_EQ(probe.messages, std::vector<UINT>{2025});
}

}  // namespace
}  // namespace nv::test
