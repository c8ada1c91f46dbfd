// The player controls on a skinned form, following a real player that plays a generated tone through Wine's
// DirectSound renderer: the position bar runs and seeks, the play time counts and blinks while paused, the
// analyser shows the tone and falls to nothing once playback stops (its timer stopping), the labels name what
// plays, the balance bar snaps to the centre; and the playlist box over a 20-row list — a row dragged to another
// place, typed text, the wheel, deleting and emptying.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "metadata/HeaderAttributes.h"
#include "playlist/XPlayListItem.h"
#include "support/MarkedText.h"
#include "support/ui/win/Application.h"
#include "support/ui/win/Hints.h"
#include "support/win/WideText.h"
#include "tests/common/ToneWav.h"
#include "tests/common/win/DesktopDriver.h"
#include "tests/common/win/Screenshot.h"
#include "tests/skins/win/PlayerPanelForm.h"
#include "tests/skins/win/SkinTestSupport.h"
#include "tests/support/ui/win/UiTestSupport.h"

namespace nv {
namespace {

constexpr DWORD kStartMs = 8000;

class PlayerControls : public ::testing::Test {
protected:
  PlayerControls() {
    // The player's graphs are COM objects of this thread's apartment.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    test::MoveMouseTo(5, 5);
    folder_ = std::filesystem::temp_directory_path() /
              (L"norvale-player-controls-" + std::to_wstring(GetCurrentProcessId()));
    std::filesystem::create_directories(folder_);
    tone_ = folder_ / L"A tone of three seconds.wav";
    test::WriteToneWav(tone_, {.hz = 1000, .durationMs = 3000, .amplitude = 0.5});
    player_ = std::make_unique<TXPlayer>();
    player_->OnBuildError = [](const std::string& file, TXGraphBuildPhase phase, const TXPlayerGraphInfo&,
                               const std::exception& error) {
      ADD_FAILURE() << "building " << file << " failed in phase " << int(phase) << ": " << error.what();
    };
    player_->Loaded();
    form_ = std::make_unique<test::PlayerPanelForm>(test::DefaultPlayerSkin(), *player_, Point{400, 250});
    form_->ShowNoActivate();
    test::PumpFor(300);
  }
  ~PlayerControls() override {
    player_->Stop();
    form_.reset();
    player_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    test::MoveMouseTo(5, 5);
  }

  std::string TonePath() const { return WideToMarked(tone_.wstring()); }
  void PlayTone() {
    player_->PlayList().AddFile(TonePath(), true, true);
    ASSERT_TRUE(test::PumpUntil(
        [&] { return player_->State() == TXPlayerState::psPlaying && form_->PosBar.Max() > 2500; }, kStartMs))
        << "the tone plays";
  }
  static float Loudest(const SpectrumLevels& levels) {
    return *std::max_element(levels.Levels().begin(), levels.Levels().end());
  }

  std::filesystem::path folder_, tone_;
  std::unique_ptr<TXPlayer> player_;
  std::unique_ptr<test::PlayerPanelForm> form_;
};

TEST_F(PlayerControls, TheyFollowARealToneThroughPlayPauseAndStop) {
  test::PlayerPanelForm& f = *form_;
  EXPECT_FALSE(f.PosBar.Enabled()) << "stopped: nothing to seek";
  EXPECT_EQ(f.PosBar.Max(), 0);
  ASSERT_NO_FATAL_FAILURE(PlayTone());
  EXPECT_NEAR(f.PosBar.Max(), 3000, 100) << "the range is the item's duration";
  EXPECT_TRUE(f.PosBar.Enabled());

  // The position bar and the play time run with the player, the analyser shows the tone.
  const int start = f.PosBar.Position();
  ASSERT_TRUE(test::PumpUntil([&] { return f.PosBar.Position() >= start + 700; }, 3000)) << "the bar moves";
  EXPECT_EQ(f.PosBar.Position(), player_->Position()) << "it shows the player's position itself";
  EXPECT_TRUE(f.PT.DigitsShown());
  EXPECT_EQ(f.PT.ShownDigits()[3], player_->Position() / 1000 % 10);
  ASSERT_TRUE(test::PumpUntil([&] { return f.SA.Active() && Loudest(f.SA.Levels()) > 0.2f; }, 2000))
      << "the analyser shows the tone";
  EXPECT_FALSE(f.SA.Falling());
  EXPECT_TRUE(f.lCaption.Caption().starts_with("A tone of three seconds")) << f.lCaption.Caption();
  EXPECT_EQ(f.lSampleRate.Caption(), "44");
  EXPECT_EQ(f.iaStereo.ImageIndex(), 0) << "two channels";
  UpdateWindow(f.Handle());
  test::PumpFor(100);
  test::TakeScreenshot("player-controls-playing");

  // Paused, the digits blink once a second.
  player_->Pause();
  std::vector<std::pair<ULONGLONG, bool>> looks;
  const ULONGLONG paused = GetTickCount64();
  while (GetTickCount64() - paused < 3300) {
    test::PumpFor(50);
    const bool shown = f.PT.DigitsShown();
    if (looks.empty() || looks.back().second != shown) looks.push_back({GetTickCount64(), shown});
  }
  ASSERT_GE(looks.size(), 3u) << "at least hidden, shown, hidden";
  for (std::size_t i = 2; i < looks.size(); ++i) {
    const ULONGLONG gap = looks[i].first - looks[i - 1].first;
    EXPECT_GE(gap, 800u) << "flip " << i;
    EXPECT_LE(gap, 1300u) << "flip " << i;
  }

  // Stopped, the analyser's bars fall to nothing and its timer stops.
  player_->Play();
  ASSERT_TRUE(test::PumpUntil([&] { return Loudest(f.SA.Levels()) > 0.2f; }, 3000));
  player_->Stop();
  EXPECT_FALSE(f.SA.Active());
  EXPECT_TRUE(f.SA.Falling()) << "the fall timer runs";
  EXPECT_TRUE(f.SA.Visible());
  ASSERT_TRUE(test::PumpUntil([&] { return !f.SA.Falling(); }, 3000)) << "and stops once everything has fallen";
  EXPECT_TRUE(f.SA.Levels().AllFallen(f.SA.Height()));
  EXPECT_EQ(Loudest(f.SA.Levels()), 0.0f);
  EXPECT_FALSE(f.PT.DigitsShown());
  EXPECT_EQ(f.PosBar.Max(), 0);
  EXPECT_FALSE(f.PosBar.Enabled());
  UpdateWindow(f.Handle());
  test::PumpFor(100);
  test::TakeScreenshot("player-controls-stopped");

  // Hidden while inactive: it goes at once.
  f.SA.SetHideOnInactive(true);
  EXPECT_FALSE(f.SA.Visible());
  ASSERT_NO_FATAL_FAILURE(PlayTone());
  EXPECT_TRUE(f.SA.Visible());
  player_->Stop();
  EXPECT_FALSE(f.SA.Visible());
}

TEST_F(PlayerControls, ThePositionBarSeeksAndTheBalanceBarSnapsToTheCentre) {
  test::PlayerPanelForm& f = *form_;
  ASSERT_NO_FATAL_FAILURE(PlayTone());
  player_->Pause();
  test::PumpFor(100);

  // A click three quarters along the track seeks there.
  const Rect track = f.PosBar.ScreenRect();
  test::ClickAt(track.left + 10 + (track.Width() - 20) * 3 / 4, track.top + 5);
  ASSERT_TRUE(test::PumpUntil([&] { return player_->Position() > 1900; }, 2000))
      << "the player sought to " << player_->Position();
  EXPECT_LT(player_->Position(), 2600);

  // Dragging the thumb shows the time under it.
  const Rect thumb = f.PosBar.Geometry().Thumb(f.PosBar.Position(), f.PosBar.Max()).Offset(track.left, track.top);
  ASSERT_TRUE(test::MovePointerTo({thumb.left + 10, thumb.top + 5}));
  test::MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(test::PumpUntil([&] { return f.PosBar.Dragging(); }, 2000));
  test::MoveMouseTo(thumb.left - 60, thumb.top + 5);
  ASSERT_TRUE(test::PumpUntil([&] { return App().Hints().Window().Text().starts_with(L"Position: 00:01"); }, 2000))
      << "the drag hint says \"" << WideToMarked(App().Hints().Window().Text()) << "\"";
  EXPECT_TRUE(IsWindowVisible(App().Hints().Window().Handle()));
  test::MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(test::PumpUntil([&] { return !f.PosBar.Dragging(); }, 2000));
  EXPECT_NEAR(player_->Position(), f.PosBar.Position(), 150) << "let go: the player seeks to the thumb";
  EXPECT_FALSE(IsWindowVisible(App().Hints().Window().Handle())) << "the drag hint goes with the drag";

  // The balance bar let go a little right of its centre shows the centre, and the balance is 0.
  const Rect pan = f.vbPan.ScreenRect();
  const Rect panThumb = f.vbPan.Geometry().Thumb(f.vbPan.Position(), f.vbPan.Max()).Offset(pan.left, pan.top);
  EXPECT_EQ(f.vbPan.Position(), 100);
  ASSERT_TRUE(test::MovePointerTo({panThumb.left + 7, panThumb.top + 7}));
  test::MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(test::PumpUntil([&] { return f.vbPan.Dragging(); }, 2000));
  test::MoveMouseTo(panThumb.left + 8, panThumb.top + 7);
  test::PumpFor(200);
  test::MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(test::PumpUntil([&] { return !f.vbPan.Dragging(); }, 2000));
  EXPECT_EQ(player_->Balance(), 0);
  EXPECT_EQ(f.vbPan.Position(), 100);
  // Farther right it stays where it is let go.
  ASSERT_TRUE(test::MovePointerTo({panThumb.left + 7, panThumb.top + 7}));
  test::MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(test::PumpUntil([&] { return f.vbPan.Dragging(); }, 2000));
  test::MoveMouseTo(panThumb.left + 17, panThumb.top + 7);
  ASSERT_TRUE(test::PumpUntil([&] { return player_->Balance() > 20; }, 2000)) << "the balance follows the drag";
  test::MouseButton(MOUSEEVENTF_LEFTUP);
  test::PumpUntil([&] { return !f.vbPan.Dragging(); }, 2000);
  EXPECT_EQ(f.vbPan.Position(), player_->Balance() + 100);
  player_->SetVolume(40);
  EXPECT_EQ(f.vbVolume.Position(), 40) << "the volume bar follows the player";
}

// The analyser's frames come on the visualiser's thread; a form destroyed meanwhile waits for a frame being
// delivered, so none reaches a control that is gone.
TEST_F(PlayerControls, FormsDestroyedWhileFramesArriveAndMadeAgain) {
  ASSERT_NO_FATAL_FAILURE(PlayTone());
  player_->PlayList().SetOptions(player_->PlayList().Options() | ploRepeat);
  for (int round = 0; round < 6; ++round) {
    ASSERT_TRUE(test::PumpUntil([&] { return form_->SA.Active() && Loudest(form_->SA.Levels()) > 0.1f; }, 3000))
        << "round " << round;
    form_.reset();
    form_ = std::make_unique<test::PlayerPanelForm>(test::DefaultPlayerSkin(), *player_, Point{400, 250});
    form_->ShowNoActivate();
  }
  EXPECT_EQ(player_->State(), TXPlayerState::psPlaying);
}

// --- The playlist box ---

class PlayListBoxTest : public PlayerControls {
protected:
  static constexpr const char* kLongTitle = "Golf, and the whole of a long evening of it, every hole";
  static constexpr const char* kTitles[20] = {
      "Alpha",     "Bravo",        "Charlie",  "Delta",     "Echo",   "Foxtrot", kLongTitle,
      "Hotel",     "India",        "Juliett",  "Cold beer", "Kilo",   "Lima",    "Bebop",
      "Mike",      "November",     "Oscar",    "Papa",      "Quebec", "Romeo"};

  void FillTwentyRows() {
    TXPlayList& list = player_->PlayList();
    for (int i = 0; i < 20; ++i) {
      const std::string path = "C:\\Rows\\" + std::to_string(i) + ".mp3";
      TXPlayListItem* item = list.AddEntry(path, kTitles[i], true, 61000 + i * 1000);
      item->Info.Loaded = true;  // nothing to read in the background
    }
    ASSERT_TRUE(test::PumpUntil([&] { return form_->PlayList.RowCount() == 20; }, 2000)) << "the count follows";
  }
  std::string TitleAt(int index) const {
    return Utf16ToUtf8(player_->PlayList().Items(index).Value(kTitleAttribute).ToUtf16());
  }
  // The middle of a row on the screen.
  Point RowCentre(int row) const {
    const Rect r = form_->PlayList.RowRect(row);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(form_->PlayList.ListHandle(), &p);
    return {p.x, p.y};
  }
};

TEST_F(PlayListBoxTest, ARowDraggedFromThreeToSevenMovesItsItemThereAndStaysSelectedAlone) {
  ASSERT_NO_FATAL_FAILURE(FillTwentyRows());
  TXPlayListBox& box = form_->PlayList;
  box.SetTopRow(0);
  ASSERT_GE(box.VisibleRows(), 5);
  // Row 7 must be in view: start lower if the box shows fewer rows.
  const int from = 3, to = 7;
  box.SetTopRow(to - box.VisibleRows() + 1 > 0 ? to - box.VisibleRows() + 1 : 0);
  ASSERT_GE(from, box.TopRow());
  const Point a = RowCentre(from), b = RowCentre(to);
  ASSERT_TRUE(test::MovePointerTo(a));
  test::MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(test::PumpUntil([&] { return box.DragSource() == from; }, 2000))
      << "the press takes row 3 (at " << a.x << "," << a.y << " lies " << [&] {
           wchar_t name[64] = {};
           const HWND under = WindowFromPoint({a.x, a.y});
           GetClassNameW(under, name, 64);
           test::TakeScreenshot("playlist-box-press");
           return WideToMarked(name) + (under == box.ListHandle() ? " (the list)" : "");
         }() << "; top row " << box.TopRow() << ", caret "
      << box.Caret() << ", box at " << box.ScreenRect().left << "," << box.ScreenRect().top << ")";
  for (int y = a.y; y <= b.y; y += 4) {
    test::MoveMouseTo(a.x, y);
    test::PumpFor(20);
  }
  test::MoveMouseTo(b.x, b.y);
  ASSERT_TRUE(test::PumpUntil([&] { return box.DropTarget() == to; }, 2000)) << "row 7 is where it would go";
  UpdateWindow(box.ListHandle());
  test::TakeScreenshot("playlist-box-dragging");
  test::MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(test::PumpUntil([&] { return box.DragSource() < 0; }, 2000));
  test::PumpFor(100);
  EXPECT_EQ(TitleAt(to), "Delta") << "the item of row 3 is at index 7";
  EXPECT_EQ(TitleAt(from), "Echo");
  EXPECT_EQ(box.SelectedRows(), std::vector<int>{to});
  EXPECT_EQ(box.Caret(), to);
}

TEST_F(PlayListBoxTest, ARowWhoseNameIsCutShortShowsItWholeOverTheRow) {
  ASSERT_NO_FATAL_FAILURE(FillTwentyRows());
  TXPlayListBox& box = form_->PlayList;
  box.SetTopRow(4);
  UpdateWindow(box.ListHandle());
  const Point row = RowCentre(6);
  HintManager& hints = App().Hints();
  ASSERT_TRUE(test::MovePointerTo({row.x - 40, row.y}));
  ASSERT_TRUE(test::PumpUntil([&] { return hints.Showing(); }, 3000)) << "a hint for the cut-short name";
  EXPECT_EQ(WideToMarked(hints.Window().Text()), kLongTitle);
  RECT hint{};
  GetWindowRect(hints.Window().Handle(), &hint);
  const Rect rowOnScreen = box.RowRect(6).Offset(box.ScreenRect().left, box.ScreenRect().top);
  EXPECT_EQ(hint.top, rowOnScreen.top) << "exactly over the row";
  EXPECT_EQ(hint.bottom, rowOnScreen.bottom);
  EXPECT_GT(hint.right - hint.left, box.Width()) << "as wide as the whole name";
  UpdateWindow(hints.Window().Handle());
  test::TakeScreenshot("playlist-box-row-hint");
  // A name that fits has none.
  ASSERT_TRUE(test::MovePointerTo(RowCentre(5)));
  test::PumpFor(900);
  EXPECT_FALSE(hints.Showing());
}

TEST_F(PlayListBoxTest, ADragHeldBelowTheBoxScrollsToTheEndAndDropsOnTheLastRow) {
  ASSERT_NO_FATAL_FAILURE(FillTwentyRows());
  TXPlayListBox& box = form_->PlayList;
  box.SetTopRow(0);
  const Point first = RowCentre(0);
  ASSERT_TRUE(test::MovePointerTo(first));
  test::MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(test::PumpUntil([&] { return box.DragSource() == 0; }, 2000));
  const Rect screen = box.ScreenRect();
  test::MoveMouseTo(first.x, first.y + 10);
  test::PumpFor(50);
  test::MoveMouseTo(first.x, screen.bottom + 40);  // far below: it scrolls a row every few milliseconds
  ASSERT_TRUE(test::PumpUntil([&] { return box.TopRow() == 20 - box.VisibleRows(); }, 5000))
      << "held below the box, the list scrolls to its end (top row " << box.TopRow() << ")";
  ASSERT_TRUE(test::PumpUntil([&] { return box.DropTarget() == 19; }, 2000)) << "the last row is the target";
  EXPECT_EQ(form_->ssPLScrollbar.Position(), box.TopRow()) << "the scroll bar follows";
  test::MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(test::PumpUntil([&] { return box.DragSource() < 0; }, 2000));
  EXPECT_EQ(TitleAt(19), "Alpha") << "the first item is now the last";
  EXPECT_EQ(TitleAt(0), "Bravo");
  EXPECT_EQ(box.SelectedRows(), std::vector<int>{19});
}

TEST_F(PlayListBoxTest, TypingTheWheelDeletingAndEmptying) {
  ASSERT_NO_FATAL_FAILURE(FillTwentyRows());
  TXPlayListBox& box = form_->PlayList;
  test::PlayerPanelForm& f = *form_;

  // Typed "be": the first name with a word that starts so, before the one that starts with it.
  f.Show();
  SetFocus(box.ListHandle());
  test::PumpFor(200);
  test::PressKeys({'B'});
  test::PressKeys({'E'});
  ASSERT_TRUE(test::PumpUntil([&] { return box.SelectedRows() == std::vector<int>{10}; }, 2000))
      << "\"Cold beer\" is row 10";
  EXPECT_EQ(box.FindItem(u"be", false), 13) << "with Shift held, only \"Bebop\"";
  EXPECT_GE(box.TopRow() + box.VisibleRows(), 11) << "the found row is in view";

  // The wheel: a notch is a row; finer turns add up. The skinned scroll bar follows.
  box.SetTopRow(0);
  SendMessageW(box.ListHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  EXPECT_EQ(box.TopRow(), 1);
  for (int i = 0; i < 2; ++i) SendMessageW(box.ListHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-40)), 0);
  EXPECT_EQ(box.TopRow(), 1) << "two thirds of a notch";
  SendMessageW(box.ListHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-40)), 0);
  EXPECT_EQ(box.TopRow(), 2);
  EXPECT_EQ(f.ssPLScrollbar.Position(), 2);
  EXPECT_EQ(f.ssPLScrollbar.Max(), 20 - box.VisibleRows());
  for (int i = 0; i < 30; ++i) SendMessageW(box.ListHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  EXPECT_EQ(box.TopRow(), 20 - box.VisibleRows()) << "no farther than the last row";

  // Deleting the selection: the caret stays on its row's place.
  SendMessageW(box.ListHandle(), LB_SETSEL, FALSE, -1);
  for (int row : {2, 4, 6}) SendMessageW(box.ListHandle(), LB_SETSEL, TRUE, row);
  SendMessageW(box.ListHandle(), LB_SETCARETINDEX, 6, FALSE);
  box.DeleteSelected();
  EXPECT_EQ(player_->PlayList().Count(), 17);
  EXPECT_EQ(box.RowCount(), 17);
  EXPECT_EQ(box.Caret(), 4) << "row 6 less the two deleted before it";
  EXPECT_EQ(box.SelectedRows(), std::vector<int>{4});
  EXPECT_EQ(TitleAt(2), "Delta");
  EXPECT_EQ(TitleAt(4), "Hotel");

  // A change the box has not caught up with yet: rows past the list's end paint as background.
  player_->PlayList().Delete(0);
  RedrawWindow(box.ListHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(box.RowCount(), 17) << "not yet: the count follows after the change";
  test::PumpUntil([&] { return box.RowCount() == 16; }, 2000);
  EXPECT_EQ(box.RowCount(), 16);

  // Emptied: at once.
  player_->PlayList().Clear();
  EXPECT_EQ(box.RowCount(), 0) << "an emptied list leaves no rows behind";
  EXPECT_EQ(box.Caret(), -1);
  RedrawWindow(box.ListHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(f.ssPLScrollbar.Max(), 0);
  SetFocus(box.ListHandle());
  test::PumpFor(200);
  const test::Screenshot shot = test::TakeScreenshot("playlist-box-empty");
  const Point first = RowCentre(0);
  const test::Rgb where = shot.At(first.x, first.y);
  EXPECT_LT(std::max({where.r, where.g, where.b}), 100) << "no blank row is painted for the focus; see "
                                                        << shot.PngPath();
}

}  // namespace
}  // namespace nv
