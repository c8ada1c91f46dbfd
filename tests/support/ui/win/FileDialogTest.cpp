// The system's open and save dialogs as the program runs them, driven from a second thread as a person would fill
// them in: several files at once, a path longer than MAX_PATH, an address through the "URL:" choice, whole folders
// through the check box, a playlist name completed with its extension.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "support/ui/win/FileDialogs.h"
#include "tests/common/win/DesktopDriver.h"
#include "tests/common/win/Screenshot.h"
#include "tests/support/ui/win/UiTestSupport.h"

namespace nv::test {
namespace {

namespace fs = std::filesystem;
constexpr DWORD kTimeoutMs = 10000;
constexpr int kUrlChoiceId = 1002;
constexpr int kFolderBoxId = 1001;

class FileDialogTest : public ::testing::Test {
protected:
  FileDialogTest()
      : folder_(fs::temp_directory_path() /
                ("norvale-dialog-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64()))) {
    fs::create_directories(folder_);
    for (const char* name : {"a.wav", "b.wav", "c.wav"}) std::ofstream(folder_ / name) << "x";
  }
  ~FileDialogTest() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  static HWND NameField(HWND dialog) { return FileDialogNameField(dialog); }
  static HWND Extras(HWND dialog) { return FindWindowExW(dialog, nullptr, L"#32770", nullptr); }
  static void PressOk(HWND dialog) { PressDialogOk(dialog); }

  // Runs `run` (which shows a dialog) on this thread while `fill` works on the dialog from another.
  template <class Run>
  auto WithHand(Run run, const std::function<void(HWND)>& fill) {
    std::thread hand([&] {
      HWND dialog = nullptr;
      if (!WaitUntil([&] { return (dialog = FindOwnWindow(L"#32770")) != nullptr; }, kTimeoutMs)) return;
      Sleep(300);  // the dialog fills its list
      fill(dialog);
    });
    auto result = run();
    hand.join();
    return result;
  }

  fs::path folder_;
};

TEST_F(FileDialogTest, SeveralFilesAtOnceAsFullPaths) {
  OpenFileDialog dialog;
  dialog.Filter = L"Sound files|*.wav|All files|*.*";
  dialog.MultiSelect = true;
  dialog.InitialDir = folder_.wstring();
  const bool chosen = WithHand([&] { return dialog.Execute(nullptr); }, [](HWND open) {
    SetWindowTextW(NameField(open), L"\"a.wav\" \"c.wav\"");
    PressOk(open);
  });
  ASSERT_TRUE(chosen);
  EXPECT_EQ(dialog.Files, (std::vector<ChosenFile>{{(folder_ / "a.wav").wstring(), false},
                                                   {(folder_ / "c.wav").wstring(), false}}));
  EXPECT_FALSE(dialog.IsUrl);
  EXPECT_EQ(dialog.InitialDir, folder_.wstring()) << "the next run starts where this one chose";
}

// The result of choosing many files is longer than MAX_PATH: a buffer of MAX_PATH characters would lose it.
// (A single path longer than MAX_PATH cannot be tried here: Wine's dialog overruns its own buffer on one.)
TEST_F(FileDialogTest, ManyFilesChosenTogetherComeBackWhole) {
  std::vector<ChosenFile> expected;
  for (int i = 0; i < 25; ++i) {
    const std::wstring name = L"track " + std::to_wstring(10 + i) + L" of a rather long album.wav";
    std::ofstream(folder_ / name) << "x";
    expected.push_back({(folder_ / name).wstring(), false});
  }
  OpenFileDialog dialog;
  dialog.Filter = L"Tracks|track*.wav";
  dialog.MultiSelect = true;
  dialog.InitialDir = folder_.wstring();
  const bool chosen = WithHand([&] { return dialog.Execute(nullptr); }, [](HWND open) {
    const HWND view = FindWindowExW(open, nullptr, L"SHELLDLL_DefView", nullptr);
    const HWND list = view ? FindWindowExW(view, nullptr, L"SysListView32", nullptr) : nullptr;
    LVITEMW all{};
    all.stateMask = all.state = LVIS_SELECTED;
    if (list) SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));
    Sleep(200);
    PressOk(open);
  });
  ASSERT_TRUE(chosen);
  std::sort(dialog.Files.begin(), dialog.Files.end(), [](auto& a, auto& b) { return a.path < b.path; });
  EXPECT_EQ(dialog.Files, expected);
}

TEST_F(FileDialogTest, TheUrlChoiceGivesAnAddress) {
  OpenFileDialog dialog;
  dialog.Filter = L"All files|*.*";
  dialog.InitialDir = folder_.wstring();
  dialog.AllowUrl = true;
  dialog.FolderCheckBox = L"Play whole folders containing media";
  dialog.FolderTest = [](const std::wstring&) { return true; };
  bool typesDisabled = false, boxDisabled = false;
  std::wstring nameAfterChoosing = L"(unread)";
  const bool chosen = WithHand([&] { return dialog.Execute(nullptr); }, [&](HWND open) {
    const HWND choice = GetDlgItem(open, kUrlChoiceId);
    if (!choice) return PostMessageW(open, WM_COMMAND, IDCANCEL, 0), void();
    SetWindowTextW(NameField(open), L"a.wav");
    SendMessageW(choice, CB_SETCURSEL, 1, 0);
    SendMessageW(open, WM_COMMAND, MAKEWPARAM(kUrlChoiceId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(choice));
    wchar_t text[64] = {};
    GetWindowTextW(NameField(open), text, 64);
    nameAfterChoosing = text;
    typesDisabled = !IsWindowEnabled(GetDlgItem(open, cmb1));
    boxDisabled = !IsWindowEnabled(GetDlgItem(Extras(open), kFolderBoxId));
    SetWindowTextW(NameField(open), L"  radio.example.com:8000/live  ");
    TakeScreenshot("ui-open-dialog-url");  // to look at: the drop-down in the label's place, the check box below
    PressOk(open);
  });
  ASSERT_TRUE(chosen);
  EXPECT_EQ(nameAfterChoosing, L"") << "choosing URL: clears the name";
  EXPECT_TRUE(typesDisabled);
  EXPECT_TRUE(boxDisabled);
  EXPECT_TRUE(dialog.IsUrl);
  EXPECT_EQ(dialog.Files, (std::vector<ChosenFile>{{L"http://radio.example.com:8000/live", false}}));
  EXPECT_EQ(dialog.InitialDir, folder_.wstring()) << "an address does not move the starting folder";
}

TEST(FileDialogs, AnEnteredAddressIsTrimmedAndGetsAProtocol) {
  struct Case {
    const wchar_t* entered;
    const wchar_t* url;
  };
  const Case cases[] = {
      {L"example.com/x.mp3", L"http://example.com/x.mp3"},
      {L"  mms://media.example.com/live \t", L"mms://media.example.com/live"},
      {L"https://example.com", L"https://example.com"},
      {L"   ", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(UrlFromEnteredText(c.entered), c.url) << "entered: " << testing::PrintToString(std::wstring(c.entered));
}

TEST_F(FileDialogTest, TheFolderBoxTurnsASelectedFolderIntoTheResult) {
  fs::create_directories(folder_ / "Album");
  std::ofstream(folder_ / "Album" / "song.wav") << "x";
  OpenFileDialog dialog;
  dialog.Filter = L"All files|*.*";
  dialog.InitialDir = folder_.wstring();
  dialog.MultiSelect = true;
  dialog.FolderCheckBox = L"Play whole folders containing media";
  dialog.FolderChecked = true;
  std::vector<std::wstring> tested;
  dialog.FolderTest = [&](const std::wstring& path) {
    tested.push_back(path);
    return fs::exists(fs::path(path) / "song.wav");
  };
  bool boxShownChecked = false;
  const bool chosen = WithHand([&] { return dialog.Execute(nullptr); }, [&](HWND open) {
    boxShownChecked = IsDlgButtonChecked(Extras(open), kFolderBoxId) == BST_CHECKED;
    if (!SelectFileDialogItem(open, L"Album")) return PostMessageW(open, WM_COMMAND, IDCANCEL, 0), void();
    Sleep(200);
    PressOk(open);
  });
  EXPECT_TRUE(boxShownChecked);
  ASSERT_TRUE(chosen) << "the folder was not found in the list, or not accepted";
  EXPECT_EQ(dialog.Files, (std::vector<ChosenFile>{{(folder_ / "Album").wstring(), true}}));
  EXPECT_EQ(tested, std::vector<std::wstring>{(folder_ / "Album").wstring()});
  EXPECT_TRUE(dialog.FolderChecked);
}

TEST_F(FileDialogTest, TheSaveDialogCompletesTheNameWithTheExtensionOfTheTypeChosen) {
  struct Case {
    int startIndex;
    int chosenIndex;  // 0: the type is left as it started
    const wchar_t* typed;
    const wchar_t* saved;
  };
  const Case cases[] = {
      {1, 0, L"Evening", L"Evening.m3u"},
      {1, 3, L"Evening", L"Evening.pls"},     // the type picked in the dialog
      {1, 2, L"Evening", L"Evening.m3u8"},
      {3, 0, L"Evening", L"Evening.pls"},     // the type it starts with
      {1, 3, L"Evening.m3u", L"Evening.m3u"},  // a name with an extension keeps it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.saved)) + " from type " + std::to_string(c.chosenIndex));
    SaveFileDialog dialog;
    dialog.Filter = L"M3U Playlist|*.m3u|M3U8 Playlist (Unicode)|*.m3u8|PLS Playlist|*.pls";
    dialog.DefaultExt = L"m3u";
    dialog.DefaultExtFollowsFilter = true;
    dialog.FilterIndex = c.startIndex;
    dialog.InitialDir = folder_.wstring();
    const bool chosen = WithHand([&] { return dialog.Execute(nullptr); }, [&](HWND save) {
      if (c.chosenIndex) {
        const HWND types = GetDlgItem(save, cmb1);
        // As a click on the list would: the selection changes, then it is confirmed.
        SendMessageW(types, CB_SETCURSEL, c.chosenIndex - 1, 0);
        for (const WORD notice : {CBN_SELCHANGE, CBN_SELENDOK})
          SendMessageW(save, WM_COMMAND, MAKEWPARAM(cmb1, notice), reinterpret_cast<LPARAM>(types));
      }
      SetWindowTextW(NameField(save), c.typed);
      PressOk(save);
    });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(dialog.FileName, (folder_ / c.saved).wstring());
    EXPECT_EQ(dialog.FilterIndex, c.chosenIndex ? c.chosenIndex : c.startIndex);
  }
}

TEST(FileDialogs, APatternGivesTheExtensionOfAName) {
  EXPECT_EQ(PatternExtension(L"*.pls"), L"pls");
  EXPECT_EQ(PatternExtension(L"*.m3u8"), L"m3u8");
  EXPECT_EQ(PatternExtension(L"*.*"), L"");
  EXPECT_EQ(PatternExtension(L"*"), L"");
  EXPECT_EQ(PatternExtension(L"*.mp3;*.wav"), L"") << "several: no one extension";
}

}  // namespace
}  // namespace nv::test
