// Docking into a taskbar of another process, as the player meets it: the real server registered and run in the
// COM surrogate, which reaches into the (fake) taskbar's process, subclasses it, and from then on the taskbar
// places docked windows and moves its own bands aside.
#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <cwchar>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/win/TrayExtClient.h"
#include "shell/DockingMode.h"
#include "shell/TrayBandLayout.h"
#include "shell/TrayExtProtocol.h"
#include "support/win/UniqueHandle.h"
#include "tests/common/TestPaths.h"
#include "tests/common/win/Screenshot.h"
#include "tests/common/win/WineTestEnv.h"
#include "tests/shell/win/FakeTaskbarProcess.h"
#include "tests/shell/win/TrayServerSuite.h"

// Rectangles compare by their edges (RECT lives in the global namespace, where the comparison must be found).
static bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

namespace nv {
namespace {

std::string Text(const RECT& r) {
  return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + "}";
}

// Handles what arrives for this thread's windows until `done` holds or the time is up.
template <class Done>
bool PumpUntil(Done done, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!done()) {
    if (GetTickCount64() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  return true;
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

// A docked window of this process: it sizes itself when the taskbar asks and answers its margins, after a delay
// when told to; it counts the queries and the notices of a moved taskbar.
class TestStrip {
public:
  TestStrip(HWND taskbar, int width, int height, DockMargins margins = {}, DWORD delayMs = 0)
      : width_(width), height_(height), margins_(margins), delayMs_(delayMs) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(RGB(230, 200, 40));
    windowClass.lpszClassName = L"NorvaleTestStrip";
    RegisterClassW(&windowClass);
    // A child of the taskbar from the start, as the player's strip is.
    handle_ = CreateWindowExW(0, L"NorvaleTestStrip", L"", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, taskbar, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~TestStrip() {
    if (IsWindow(handle_)) DestroyWindow(handle_);
  }
  HWND Handle() const { return handle_; }
  std::atomic<int> queries{0};
  std::atomic<int> notices{0};

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TestStrip*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == WM_TRAYLAYOUTQUERY) {
      ++self->queries;
      SetWindowPos(window, nullptr, 0, 0, self->width_, self->height_, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      if (self->delayMs_) Sleep(self->delayMs_);
      return AnswerFromMargins(self->margins_);
    }
    if (self && message == WM_TRAYLAYOUTCHANGED) ++self->notices;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  HWND handle_ = nullptr;
  int width_, height_;
  DockMargins margins_;
  DWORD delayMs_;
};

class TaskbarDockingTest : public test::TrayServerSuite {
protected:
  // Starts the fake taskbar and connects: the extension's object reaches into the taskbar's process.
  std::unique_ptr<test::FakeTaskbar> StartTaskbar(const std::wstring& arguments = L"") {
    auto bar = std::make_unique<test::FakeTaskbar>(arguments);
    EXPECT_TRUE(ConnectTrayExt(true));
    EXPECT_TRUE(WaitUntilSubclassed(bar->Window())) << "the taskbar of another process was subclassed";
    return bar;
  }

  // The subclass answers its own message with its reference count; taking one reference and giving it back again
  // shows it is there.
  static bool WaitUntilSubclassed(HWND taskbar) {
    const UINT subclass = RegisterWindowMessageW(L"{412025F8-C930-4F55-AFED-0930BEFB7961}");
    return PumpUntil(
        [&] {
          if (SendMessageW(taskbar, subclass, 1, 1) <= 0) return false;
          SendMessageW(taskbar, subclass, 2, 1);
          return true;
        },
        10000);
  }
};

const DockMargins kStripMargins{2, 3, 0, 0};  // 105 px along the taskbar with a 100-px strip

TEST_F(TaskbarDockingTest, KindFiveMovesTheNotificationAreaLeftAndShrinksTheTaskBandUntilUndocked) {
  const auto bar = StartTaskbar(L"--dynamic-content");
  const RECT notify = *bar->Band(L"TrayNotifyWnd"), dynamic = *bar->Band(L"DynamicContent1"),
             rebar = *bar->Band(L"ReBarWindow32");
  ASSERT_EQ(notify, (RECT{1140, 0, 1280, 40})) << Text(notify);
  ASSERT_EQ(rebar, (RECT{50, 0, 1098, 40})) << Text(rebar);

  TestStrip strip(bar->Window(), 100, 30, kStripMargins);
  ASSERT_TRUE(DockWindow(MakeDockingMode(kDockRightOfNotificationArea), strip.Handle()));
  const RECT placed{1177, 5, 1277, 35};
  EXPECT_TRUE(PumpUntil([&] { return test::RectIn(strip.Handle(), bar->Window()) == placed; }, 3000))
      << Text(test::RectIn(strip.Handle(), bar->Window()));
  EXPECT_EQ(GetAncestor(strip.Handle(), GA_PARENT), bar->Window());
  EXPECT_EQ(*bar->Band(L"TrayNotifyWnd"), (RECT{1035, 0, 1175, 40})) << Text(*bar->Band(L"TrayNotifyWnd"));
  EXPECT_EQ(*bar->Band(L"DynamicContent1"), (RECT{995, 0, 1035, 40})) << Text(*bar->Band(L"DynamicContent1"));
  EXPECT_EQ(*bar->Band(L"ReBarWindow32"), (RECT{50, 0, 993, 40})) << Text(*bar->Band(L"ReBarWindow32"));
  // The task band inside the rebar follows as the shell keeps it.
  RECT band{};
  GetWindowRect(FindWindowExW(FindWindowExW(bar->Window(), nullptr, L"ReBarWindow32", nullptr), nullptr,
                              L"MSTaskSwWClass", nullptr),
                &band);
  EXPECT_EQ(band.right - band.left, 943);

  test::TakeScreenshot("taskbar-docked-kind5");

  ASSERT_TRUE(UndockWindow(strip.Handle()));
  EXPECT_EQ(*bar->Band(L"TrayNotifyWnd"), notify) << "the bands go back to the shell's places";
  EXPECT_EQ(*bar->Band(L"DynamicContent1"), dynamic);
  EXPECT_EQ(*bar->Band(L"ReBarWindow32"), rebar);
  EXPECT_NE(GetAncestor(strip.Handle(), GA_PARENT), bar->Window());
}

TEST_F(TaskbarDockingTest, EachLayoutOfTheTaskbarPlacesTheStripAndMovesItsBands) {
  struct Case {
    const wchar_t* taskbar;
    std::uint32_t mode;
    int width, height;
    RECT strip;                  // in the taskbar's client area
    const wchar_t* band;         // a band that moves
    RECT bandBefore, bandAfter;
  };
  const Case cases[] = {
      // Two rows: under Start; the task band moves right by what the strip needs beyond the room before it.
      {L"--size 60", MakeDockingMode(kDockUnderStartButton), 100, 16, {0, 42, 100, 58}, L"ReBarWindow32",
       {50, 0, 1138, 60}, {102, 0, 1138, 60}},
      // One row: kind 6 sits at the start of the task band.
      {L"", MakeDockingMode(kDockUnderStartButton), 100, 30, {48, 5, 148, 35}, L"ReBarWindow32", {50, 0, 1138, 40},
       {150, 0, 1138, 40}},
      // A vertical taskbar, 60 wide: kind 5 is placed above the notification area like kind 3.
      {L"--edge left --size 60", MakeDockingMode(kDockRightOfNotificationArea), 50, 40, {5, 618, 55, 658},
       L"ReBarWindow32", {0, 32, 60, 658}, {0, 32, 60, 618}},
      // A newer layout without a rebar: the strip follows the Start button, the bridge makes room.
      {L"--composition", MakeDockingMode(kDockStartOfTaskBand), 100, 30, {48, 5, 148, 35},
       L"Windows.UI.Composition.DesktopWindowContentBridge", {50, 0, 1138, 40}, {150, 0, 1138, 40}},
      // No notification area: kind 5 takes the taskbar's right end.
      {L"--no-notify", MakeDockingMode(kDockRightOfNotificationArea, DockAlignment::End), 100, 30,
       {1180, 10, 1280, 40}, L"ReBarWindow32", {50, 0, 1278, 40}, {50, 0, 1178, 40}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.taskbar, c.taskbar + wcslen(c.taskbar)) << " mode " << c.mode);
    const auto bar = StartTaskbar(c.taskbar);
    ASSERT_EQ(*bar->Band(c.band), c.bandBefore) << Text(*bar->Band(c.band));
    TestStrip strip(bar->Window(), c.width, c.height);
    ASSERT_TRUE(DockWindow(c.mode, strip.Handle()));
    EXPECT_TRUE(PumpUntil([&] { return test::RectIn(strip.Handle(), bar->Window()) == c.strip; }, 3000))
        << Text(test::RectIn(strip.Handle(), bar->Window()));
    EXPECT_TRUE(PumpUntil([&] { return *bar->Band(c.band) == c.bandAfter; }, 3000)) << Text(*bar->Band(c.band));
    EXPECT_TRUE(UndockWindow(strip.Handle()));
    EXPECT_EQ(*bar->Band(c.band), c.bandBefore) << Text(*bar->Band(c.band));
    ConnectTrayExt(false);
  }
}

TEST_F(TaskbarDockingTest, AMoveWithoutANewSizeOnlyTellsTheDockedWindows) {
  const auto bar = StartTaskbar();
  TestStrip strip(bar->Window(), 100, 30, kStripMargins);
  ASSERT_TRUE(DockWindow(MakeDockingMode(kDockEndOfTaskBand), strip.Handle()));
  ASSERT_TRUE(PumpUntil([&] { return *bar->Band(L"ReBarWindow32") == RECT{50, 0, 1033, 40}; }, 3000));
  PumpFor(300);
  const int queries = strip.queries;

  bar->Move(0, 0, 1280, 40);  // to the top edge, same size
  PumpFor(300);
  EXPECT_GE(strip.notices, 1);
  EXPECT_EQ(strip.queries, queries) << "nothing is laid out again";
  EXPECT_EQ(*bar->Band(L"ReBarWindow32"), (RECT{50, 0, 1033, 40}));

  bar->Move(0, 0, 1280, 60);  // a new size: laid out again
  EXPECT_TRUE(PumpUntil([&] { return strip.queries > queries; }, 3000));
  EXPECT_TRUE(PumpUntil([&] { return *bar->Band(L"ReBarWindow32") == RECT{50, 0, 1033, 60}; }, 3000))
      << Text(*bar->Band(L"ReBarWindow32"));
  EXPECT_TRUE(UndockWindow(strip.Handle()));
}

TEST_F(TaskbarDockingTest, AStripWhoseProcessWasKilledNoLongerHoldsTheBands) {
  const auto bar = StartTaskbar();
  const UniqueHandle peer = test::StartShellPeer(L"strip 5 100 30");
  ASSERT_TRUE(PumpUntil([&] { return *bar->Band(L"TrayNotifyWnd") == RECT{1040, 0, 1180, 40}; }, 5000))
      << Text(*bar->Band(L"TrayNotifyWnd"));
  TerminateProcess(peer.Get(), 1);
  WaitForSingleObject(peer.Get(), 5000);

  // The next pass drops the dead window and lays out the living one.
  TestStrip strip(bar->Window(), 100, 30, kStripMargins);
  ASSERT_TRUE(DockWindow(MakeDockingMode(kDockEndOfTaskBand), strip.Handle()));
  EXPECT_TRUE(PumpUntil([&] { return *bar->Band(L"TrayNotifyWnd") == RECT{1140, 0, 1280, 40}; }, 3000))
      << Text(*bar->Band(L"TrayNotifyWnd"));
  EXPECT_TRUE(PumpUntil([&] { return *bar->Band(L"ReBarWindow32") == RECT{50, 0, 1033, 40}; }, 3000))
      << Text(*bar->Band(L"ReBarWindow32"));
  EXPECT_TRUE(UndockWindow(strip.Handle()));
}

TEST_F(TaskbarDockingTest, ASlowStripIsPlacedAndAHungOneNeverBlocksTheTaskbarBeyondTheBound) {
  const auto bar = StartTaskbar();
  // A thread that keeps asking the taskbar for an answer, and the longest it waited.
  std::atomic<bool> stop{false};
  std::atomic<ULONGLONG> longest{0};
  std::thread pinger([&] {
    while (!stop) {
      const ULONGLONG start = GetTickCount64();
      DWORD_PTR answer = 0;
      SendMessageTimeoutW(bar->Window(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
      const ULONGLONG waited = GetTickCount64() - start;
      if (waited > longest) longest = waited;
      Sleep(10);
    }
  });

  struct Case {
    DWORD delayMs;
    RECT placed;
  };
  // The slow strip answers the query after 50 ms: too late for the first pass, in time for the one that follows.
  // The hung one answers after 3 s: the taskbar gives up after its bound and places it at the size it has,
  // without the margins it never answered.
  for (const Case& c : {Case{50, {1035, 5, 1135, 35}}, Case{3000, {1038, 5, 1138, 35}}}) {
    SCOPED_TRACE(c.delayMs);
    longest = 0;
    TestStrip strip(bar->Window(), 100, 30, kStripMargins, c.delayMs);
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(DockWindow(MakeDockingMode(kDockEndOfTaskBand), strip.Handle()));
    EXPECT_TRUE(PumpUntil([&] { return test::RectIn(strip.Handle(), bar->Window()) == c.placed; }, 6000))
        << Text(test::RectIn(strip.Handle(), bar->Window()));
    if (c.delayMs < 100) EXPECT_LT(GetTickCount64() - start, 2000u) << "placed within 2 s";
    EXPECT_LT(longest.load(), 2000u) << "the taskbar answered others meanwhile";
    PumpFor(c.delayMs + 200);
    EXPECT_TRUE(UndockWindow(strip.Handle()));
  }
  stop = true;
  pinger.join();
}

TEST_F(TaskbarDockingTest, OnlyALiveWindowOutsideTheTaskbarIsDockedAndTheListIsCapped) {
  const auto bar = StartTaskbar();
  const UINT insert = TrayInsertMessage();
  const HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  for (HWND refused : {bar->Window(), GetDesktopWindow(), gone, static_cast<HWND>(nullptr)}) {
    SCOPED_TRACE(reinterpret_cast<std::uintptr_t>(refused));
    EXPECT_EQ(SendMessageW(bar->Window(), insert, 0, reinterpret_cast<LPARAM>(refused)), 0);
  }
  std::vector<std::unique_ptr<TestStrip>> strips;
  for (std::size_t i = 0; i <= kMaxDockedWindows; ++i) {
    strips.push_back(std::make_unique<TestStrip>(bar->Window(), 10, 10));
    EXPECT_EQ(DockWindow(0, strips.back()->Handle()), i < kMaxDockedWindows) << i;
  }
  // Docking a docked window again changes its mode only.
  EXPECT_TRUE(DockWindow(MakeDockingMode(kDockEndOfTaskBand), strips.front()->Handle()));
  // Windows destroyed without undocking give their places up.
  strips.clear();
  TestStrip late(bar->Window(), 10, 10);
  EXPECT_TRUE(DockWindow(0, late.Handle())) << "the windows that are gone were dropped";
  EXPECT_TRUE(UndockWindow(late.Handle()));
}

}  // namespace
}  // namespace nv
