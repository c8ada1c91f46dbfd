// The question a user may silence, driven on the Wine desktop with the mouse: find the dialog, clear "Show this
// dialog next time.", press a button, then look at what the store kept. The dialog runs modally on a second
// thread, as it would on the player's.
#include <windows.h>
#include <objbase.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include <gtest/gtest.h>

#include "app/QuestionAnswers.h"
#include "app/RequiredComponents.h"
#include "app/win/QuestionDialog.h"
#include "app/win/RequiredComponentsWin.h"
#include "resources/StringIds.h"
#include "support/ui/win/MessageDialog.h"
#include "support/ui/win/Resources.h"
#include "support/win/RegistryKeyValueStore.h"
#include "tests/common/win/DesktopDriver.h"
#include "tests/common/win/WineTestEnv.h"

namespace nv {
namespace {

using test::ClickWithMouse;
using test::FindControl;
using test::WaitForTopWindow;
using test::WaitUntil;

constexpr DWORD kWindowTimeoutMs = 10000;

std::wstring ShowNextTime() { return ResourceString(IDS_SHOW_NEXT_TIME); }

class QuestionDialogTest : public ::testing::Test {
protected:
  QuestionDialogTest()
      : store_(std::make_unique<RegistryKeyValueStore>(),
               "Software\\NorvaleQuestionsTest-" + std::to_string(GetCurrentProcessId())) {}
  ~QuestionDialogTest() override {
    // A failed test may leave its dialog open: close it, so that the dialog's thread can end.
    if (answer_.valid()) {
      while (const HWND open = WaitForTopWindow(kMessageDialogClass, nullptr, GetCurrentProcessId(), 0))
        SendMessageW(open, WM_CLOSE, 0, 0);
      answer_.wait();
    }
    store_.EraseSection("\\" + store_.ApplicationKey());
  }

  void Start(std::function<int()> ask) {
    answer_ = std::async(std::launch::async, [ask] {
      CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
      const int result = ask();
      CoUninitialize();
      return result;
    });
  }

  // Runs `ask` on its own thread, as the player's user-interface thread would, and waits for the dialog of that
  // caption.
  HWND Open(std::function<int()> ask, const wchar_t* caption) {
    Start(std::move(ask));
    const HWND dialog = WaitForTopWindow(kMessageDialogClass, caption, GetCurrentProcessId(), kWindowTimeoutMs);
    // A person clicks once the dialog is there to click: active, its modal loop running.
    if (dialog) WaitUntil([&] { return GetForegroundWindow() == dialog; }, 3000);
    return dialog;
  }

  int Answer() {
    EXPECT_EQ(answer_.wait_for(std::chrono::seconds(10)), std::future_status::ready) << "the dialog did not close";
    return answer_.get();
  }

  // True when `ask` answers without showing a dialog (a dialog that does appear is closed again).
  bool AnswersWithoutDialog(std::function<int()> ask, const wchar_t* caption, int* result) {
    Start(std::move(ask));
    HWND dialog = nullptr;
    WaitUntil([&] {
      dialog = WaitForTopWindow(kMessageDialogClass, caption, GetCurrentProcessId(), 0);
      return dialog != nullptr || answer_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }, kWindowTimeoutMs);
    if (dialog) PostMessageW(dialog, WM_CLOSE, 0, 0);
    *result = Answer();
    return dialog == nullptr;
  }

  static bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  static RECT ClientRect(HWND dialog, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  // The width of a control's own text in its own font.
  static int TextWidth(HWND control) {
    const std::wstring text = test::WindowText(control);
    const HDC dc = GetDC(control);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return size.cx;
  }

  TXRegIniFile store_;
  std::future<int> answer_;
};

TEST_F(QuestionDialogTest, ClearingTheBoxKeepsTheAnswerGivenAndSilencesTheQuestion) {
  auto ask = [this] {
    return MessageDlgRemembered(store_, nullptr, "Play the whole folder?", mtConfirmation, mbYes | mbNo, 0,
                                kQuestionsSection, "Whole folder", false, 0);
  };
  const HWND dialog = Open(ask, L"Confirm");
  ASSERT_NE(dialog, nullptr) << "no dialog appeared";
  const HWND box = FindControl(dialog, L"Button", ShowNextTime().c_str());
  const HWND no = FindControl(dialog, L"Button", L"&No");
  const HWND label = FindControl(dialog, L"Static", L"Play the whole folder?");
  ASSERT_TRUE(box && no && label);
  EXPECT_TRUE(Checked(box)) << "the box starts checked";

  // The box sits below the message, left-aligned with it; the buttons moved down to make room.
  const RECT boxRect = ClientRect(dialog, box), noRect = ClientRect(dialog, no), labelRect = ClientRect(dialog, label);
  EXPECT_EQ(boxRect.left, labelRect.left);
  EXPECT_GE(boxRect.top, labelRect.bottom);
  EXPECT_EQ(noRect.top, boxRect.bottom + 12);
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(boxRect.right, client.right - 22);
  // A short question once cut the box's text to "Show this dialog ne".
  EXPECT_GE(boxRect.right - boxRect.left, GetSystemMetrics(SM_CXMENUCHECK) + TextWidth(box)) << "the whole text shows";

  ClickWithMouse(box);
  ASSERT_TRUE(WaitUntil([&] { return !Checked(box); }, 3000)) << "the click did not clear the box";
  ClickWithMouse(no);
  EXPECT_EQ(Answer(), mrNo);
  EXPECT_EQ(store_.ReadString(kQuestionsSection, "Whole folder", "(none)"), "7");

  int again = 0;
  EXPECT_TRUE(AnswersWithoutDialog(ask, L"Confirm", &again)) << "silenced";
  EXPECT_EQ(again, mrNo);
}

TEST_F(QuestionDialogTest, AnsweringWithTheBoxCheckedKeepsNothing) {
  auto ask = [this] {
    return MessageDlgRemembered(store_, nullptr, "Define the media folders now?", mtConfirmation, mbYes | mbNo, 0,
                                kQuestionsSection, "Media folders", false, mrNo);
  };
  const HWND dialog = Open(ask, L"Confirm");
  ASSERT_NE(dialog, nullptr);
  ClickWithMouse(FindControl(dialog, L"Button", L"&Yes"));
  EXPECT_EQ(Answer(), mrYes);
  EXPECT_FALSE(store_.ValueExists(kQuestionsSection, "Media folders"));
}

TEST_F(QuestionDialogTest, AStoredValueThatIsNoNumberAsksAgain) {
  store_.WriteString(kQuestionsSection, "Tray StayOnTop", "");
  auto ask = [this] {
    return MessageDlgRemembered(store_, nullptr, "Keep the taskbar on top?", mtInformation, mbOK, 12,
                                kQuestionsSection, "Tray StayOnTop", true, 0);
  };
  const HWND dialog = Open(ask, L"Information");
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(Checked(FindControl(dialog, L"Button", ShowNextTime().c_str()))) << "asked to start cleared";
  ClickWithMouse(FindControl(dialog, L"Button", L"OK"));
  EXPECT_EQ(Answer(), mrOk);
  EXPECT_EQ(store_.ReadString(kQuestionsSection, "Tray StayOnTop", ""), "1");
}

// The required-component check with a profile of its own.
class RequiredComponentDialogTest : public QuestionDialogTest {
protected:
  RequiredComponentDialogTest() {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("norvale-profile-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(folder);
    profile_ = folder / "Norvale.profile";
    std::ofstream(profile_) << "[Filter graph]\n"
                               "Message=The system's filter graph is missing.\n"
                               "CLSID_1={e436ebb3-524f-11ce-9f53-0020af0ba770}\n"
                               "[Decoder]\n"
                               "Message=A decoder is needed to play this file.\\nDownload it now?\n"
                               "URL=http://127.0.0.1:9/norvale-decoder-" +
                                   std::to_string(GetCurrentProcessId()) +
                               "\n"
                               "CLSID_1={00000000-1111-2222-3333-444444444444}\n";
  }
  ~RequiredComponentDialogTest() override { std::filesystem::remove_all(profile_.parent_path()); }

  std::function<int()> Check(RequiredComponentCheck& check, const char* name) {
    return [this, &check, name] {
      WindowsRequiredComponentHost host(nullptr, store_, profile_.wstring());
      return check.Check(name, host) ? 1 : 0;
    };
  }

  std::filesystem::path profile_;
};

TEST_F(RequiredComponentDialogTest, AnInstalledClassPassesWithoutAQuestion) {
  RequiredComponentCheck check;
  int passed = 0;
  EXPECT_TRUE(AnswersWithoutDialog(Check(check, "Filter graph"), L"Information", &passed));
  EXPECT_EQ(passed, 1);
}

TEST_F(RequiredComponentDialogTest, YesOpensTheDownloadPageAndTheComponentIsNotAskedForAgain) {
  RequiredComponentCheck check;
  const HWND dialog = Open(Check(check, "Decoder"), L"Information");
  ASSERT_NE(dialog, nullptr);
  EXPECT_NE(FindControl(dialog, L"Static", L"A decoder is needed to play this file.\r\nDownload it now?"), nullptr);
  ClickWithMouse(FindControl(dialog, L"Button", L"&Yes"));
  EXPECT_EQ(Answer(), 0) << "the component is still missing";

  const std::string url = "http://127.0.0.1:9/norvale-decoder-" + std::to_string(GetCurrentProcessId());
  EXPECT_TRUE(WaitUntil([&] {
    for (const std::string& line : test::BrowserLog())
      if (line.find(url) != std::string::npos) return true;
    return false;
  }, 10000)) << "the download page was not opened";

  int passed = 0;
  EXPECT_TRUE(AnswersWithoutDialog(Check(check, "Decoder"), L"Information", &passed)) << "once per run";
  EXPECT_EQ(passed, 1);
}

TEST_F(RequiredComponentDialogTest, ClosingTheQuestionWithTheBoxClearedSilencesItInLaterRuns) {
  RequiredComponentCheck firstRun;
  const HWND dialog = Open(Check(firstRun, "Decoder"), L"Information");
  ASSERT_NE(dialog, nullptr);
  const HWND box = FindControl(dialog, L"Button", ShowNextTime().c_str());
  ClickWithMouse(box);
  ASSERT_TRUE(WaitUntil([&] { return !Checked(box); }, 3000));
  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);  // the caption's close button: no answer given
  EXPECT_EQ(Answer(), 0);
  EXPECT_EQ(store_.ReadString(kQuestionsSection, "Download Decoder object", "(none)"), "1");

  RequiredComponentCheck laterRun;
  int passed = -1;
  EXPECT_TRUE(AnswersWithoutDialog(Check(laterRun, "Decoder"), L"Information", &passed));
  EXPECT_EQ(passed, 0) << "still missing, but nobody is asked";
}

}  // namespace
}  // namespace nv
