// The main player form as the program makes it — the strip TPlayerTrayFm in the taskbar, with its player, actions,
// menu and dialogs — made in this test process and driven as a person would: global hot keys pressed through
// SendInput, media keys as the shell forwards them, files dropped on the window with and without Shift, the open
// and save dialogs filled in on the desktop, the About window asked for again and again, the menu opened with the
// mouse, and the player closed while a graph is still being built.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/AppConstants.h"
#include "app/win/AboutFm.h"
#include "app/win/CommandLog.h"
#include "app/win/PlayerSkin.h"
#include "engine/WorkOffline.h"
#include "filters/win/XBCBaseFilter.h"
#include "playlist/PlayListFormats.h"
#include "support/Guid.h"
#include "support/ui/win/Application.h"
#include "support/win/ApplicationRegIni.h"
#include "support/win/SystemInfo.h"
#include "support/win/WideText.h"
#include "tests/common/win/DesktopDriver.h"
#include "tests/common/win/Screenshot.h"
#include "tests/common/win/TestComObject.h"
#include "tests/common/win/WineTestEnv.h"
#include "tests/support/ui/win/UiTestSupport.h"
#include "ui/win/PlayerTrayFm.h"

namespace nv {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using test::PumpFor;
using test::PumpUntil;
using test::WaitUntil;

constexpr DWORD kTimeoutMs = 10000;
constexpr int kUrlChoiceId = 1002;
constexpr int kFolderBoxId = 1001;

// A source filter whose load waits until the test lets it go: a build that reaches it waits on its worker.
// {5E1C4C1A-7D0B-4C47-9A52-0B3F1D6C2E40}
constexpr CLSID CLSID_GatedLoad = {0x5e1c4c1a, 0x7d0b, 0x4c47, {0x9a, 0x52, 0x0b, 0x3f, 0x1d, 0x6c, 0x2e, 0x40}};
constexpr Guid kGatedLoadGuid = "{5E1C4C1A-7D0B-4C47-9A52-0B3F1D6C2E40}"_guid;

struct LoadGate {
  HANDLE open = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<int> loading{0};
  ~LoadGate() { CloseHandle(open); }
};

class GatedLoadSource final : public TXBCRefCounted<TXBCBaseFilter>, public IFileSourceFilter {
public:
  explicit GatedLoadSource(LoadGate& gate) : TXBCRefCounted(L"Gated load", nullptr, CLSID_GatedLoad), gate_(gate) {}

  NV_XBC_IUNKNOWN
  HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IID_IFileSourceFilter) return GetInterface(static_cast<IFileSourceFilter*>(this), object);
    return TXBCBaseFilter::NonDelegatingQueryInterface(iid, object);
  }
  int GetPinCount() override { return 0; }
  TXBCBasePin* GetPin(int) override { return nullptr; }

  HRESULT STDMETHODCALLTYPE Load(LPCOLESTR, const AM_MEDIA_TYPE*) override {
    ++gate_.loading;
    WaitForSingleObject(gate_.open, 30'000);
    return E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR*, AM_MEDIA_TYPE*) override { return E_FAIL; }

private:
  LoadGate& gate_;
};

class GatedLoadFactory final : public test::TestComObject<IClassFactory> {
public:
  explicit GatedLoadFactory(LoadGate& gate) : gate_(gate) {}
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    const Microsoft::WRL::ComPtr<IBaseFilter> filter(new GatedLoadSource(gate_));
    return filter->QueryInterface(iid, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
  LoadGate& gate_;
};

// A drop of files as the shell makes it: a DROPFILES block of wide names, owned by the receiver.
HDROP MakeDrop(const std::vector<std::wstring>& names) {
  std::size_t chars = 1;
  for (const std::wstring& name : names) chars += name.size() + 1;
  const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  auto* text = reinterpret_cast<wchar_t*>(drop + 1);
  for (const std::wstring& name : names) text = std::copy(name.begin(), name.end(), text) + 1;
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

void HoldKey(WORD key, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
}

class MainPlayerFormTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    OleInitialize(nullptr);
    SetPlayListFileFormats(&SystemPlayListFormats());
    App().SetTitle(kApplicationTitle);
  }

  void SetUp() override {
    scratch_ = fs::temp_directory_path() /
               (L"norvale-form-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++runs_));
    fs::create_directories(scratch_);
    log_ = scratch_ / L"commands.log";
    SetEnvironmentVariableW(kCommandLogVariable, log_.c_str());
    // This program's own preferences: the defaults.
    ApplicationRegIni().EraseSection("Preferences");
  }

  void TearDown() override {
    form_.reset();
    PumpFor(100);
    std::error_code ignored;
    fs::remove_all(scratch_, ignored);
  }

  void MakeForm(PlayerStart start = {}) {
    form_ = std::make_unique<TPlayerTrayFm>(FindWindowW(kTaskbarWindowClass, nullptr),
                                            MainPlayerSetup{start, NowPlayingFile()});
    form_->ShowNoActivate();
    PumpFor(100);
  }
  std::wstring NowPlayingFile() const { return (scratch_ / L"Now playing.m3u").wstring(); }

  // Files in the scratch folder that no decoder takes: their builds fail at once and nothing is heard.
  std::vector<std::string> MakeFiles(std::initializer_list<const wchar_t*> names) {
    std::vector<std::string> paths;
    for (const wchar_t* name : names) {
      std::ofstream(scratch_ / name) << "not really sound";
      paths.push_back(WideToMarked((scratch_ / name).wstring()));
    }
    return paths;
  }

  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    TXPlayerPlayList& list = form_->Player().PlayList();
    for (int i = 0; i < list.Count(); ++i)
      names.push_back(WideToMarked(fs::path(MarkedToWide(list.Items(i).FileName())).filename().wstring()));
    return names;
  }

  std::vector<std::string> LogLines() const {
    std::vector<std::string> lines;
    std::ifstream in(log_, std::ios::binary);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  // The log lines of one kind ("action", "command") since the last call, without their kind.
  std::vector<std::string> New(const std::string& kind) {
    const std::vector<std::string> all = LogLines();
    std::vector<std::string> found;
    for (std::size_t i = seen_; i < all.size(); ++i)
      if (all[i].starts_with(kind + "\t")) found.push_back(all[i].substr(kind.size() + 1));
    seen_ = all.size();
    return found;
  }

  Action& ActionNamed(const char* name) { return *form_->MainActions().Find(name); }

  // Runs `run` (which opens a dialog of this process) while `fill` works on the dialog from another thread.
  template <class Run>
  void WithHand(Run run, const std::function<void(HWND)>& fill) {
    std::thread hand([&] {
      const HWND dialog = test::WaitForTopWindow(L"#32770", nullptr, GetCurrentProcessId(), kTimeoutMs);
      if (!dialog) return;
      Sleep(300);  // the dialog fills its list
      fill(dialog);
    });
    run();
    hand.join();
  }

  fs::path scratch_, log_;
  std::unique_ptr<TPlayerTrayFm> form_;
  std::size_t seen_ = 0;
  static inline int runs_ = 0;
};

TEST_F(MainPlayerFormTest, EachHotKeyRunsTheActionOfItsTagUnlessThatActionIsDisabled) {
  MakeForm();
  ASSERT_EQ(form_->RegisteredHotKeys(), kHotKeyCount) << "another program holds some of the keys";
  form_->Player().PlayList().AddFiles(MakeFiles({L"one.wav", L"two.wav"}), true, false);
  form_->Player().SetVolume(50);
  New("action");

  struct Case {
    WORD key;
    std::vector<std::string> ran;
    const char* why;
  };
  // In this order: each row leaves the player as the next one needs it.
  const Case cases[] = {
      {VK_ESCAPE, {}, "stopped: Stop is disabled"},
      {VK_UP, {}, "on the first entry: Previous track is disabled"},
      {VK_DOWN, {"aNextTrack"}, ""},
      {VK_UP, {"aPrevTrack"}, "on the second entry"},
      {VK_ADD, {"aVolumeUp"}, ""},
      {VK_SUBTRACT, {"aVolumeDown"}, ""},
      {VK_MULTIPLY, {"aMute"}, ""},
      {VK_RIGHT, {}, "stopped: Step forward is disabled"},
      {VK_LEFT, {}, "stopped: Step backward is disabled"},
      {VK_SPACE, {"aPlayPause", "aPlay"}, "Play/pause plays"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("Win + key " + std::to_string(c.key) + ": " + c.why);
    test::PressKeys({VK_LWIN, c.key});
    if (c.ran.empty())
      PumpFor(500);
    else
      PumpUntil([&] { return LogLines().size() >= seen_ + c.ran.size(); }, 3000);
    EXPECT_THAT(New("action"), ElementsAreArray(c.ran));
  }
  EXPECT_EQ(form_->Player().Volume(), 50);
  EXPECT_TRUE(form_->Player().Mute());
}

TEST_F(MainPlayerFormTest, HotKeyEightOpensTheOpenDialog) {
  MakeForm();
  New("action");
  bool opened = false;
  std::thread hand([&] {
    const HWND open = test::WaitForTopWindow(L"#32770", nullptr, GetCurrentProcessId(), kTimeoutMs);
    opened = open != nullptr;
    if (open) PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
  });
  test::PressKeys({VK_LWIN, VK_INSERT});
  PumpUntil([&] { return opened && !test::FindOwnWindow(L"#32770"); }, kTimeoutMs);
  hand.join();
  EXPECT_TRUE(opened);
  EXPECT_THAT(New("action"), ElementsAre("aOpen"));
}

// The shell asks whether the player takes a media key pressed elsewhere; the answer must come at once, and the
// command follows.
TEST_F(MainPlayerFormTest, TheKeysPreferencesDecideWhichApplicationCommandsAreTaken) {
  MakeForm();
  form_->Player().PlayList().AddFiles(MakeFiles({L"one.wav", L"two.wav"}), true, false);
  struct Case {
    bool playbackKeys, volumeKeys;
    short command;
    LRESULT answer;
  };
  const Case cases[] = {
      {true, false, APPCOMMAND_MEDIA_NEXTTRACK, 1},  {true, false, APPCOMMAND_MEDIA_PLAY_PAUSE, 1},
      {true, false, APPCOMMAND_VOLUME_UP, 0},        {true, false, APPCOMMAND_VOLUME_MUTE, 0},
      {false, true, APPCOMMAND_VOLUME_UP, 1},        {false, true, APPCOMMAND_VOLUME_MUTE, 1},
      {false, true, APPCOMMAND_MEDIA_STOP, 0},       {false, false, APPCOMMAND_MEDIA_PREVIOUSTRACK, 0},
      {true, true, APPCOMMAND_BROWSER_BACKWARD, 0},  {true, true, APPCOMMAND_MEDIA_PAUSE, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("command " + std::to_string(c.command) + (c.playbackKeys ? " playback keys" : "") +
                 (c.volumeKeys ? " volume keys" : ""));
    TPlayerPreferences preferences = form_->Preferences();
    preferences.handlePlaybackKeys = c.playbackKeys;
    preferences.handleVolumeKeys = c.volumeKeys;
    form_->ApplyPreferences(preferences);
    New("command");
    const LRESULT answer = SendMessageW(form_->Handle(), WM_SHELLHOOK_APPCOMMAND, HSHELL_APPCOMMAND,
                                        MAKELPARAM(0, c.command | FAPPCOMMAND_KEY));
    EXPECT_EQ(answer, c.answer);
    PumpFor(200);
    if (c.answer)
      EXPECT_THAT(New("command"), ElementsAre(std::to_string(c.command)));
    else
      EXPECT_THAT(New("command"), IsEmpty()) << "a key the player leaves alone does nothing";
  }
}

TEST_F(MainPlayerFormTest, DroppedFilesReplaceTheListOrWithShiftAreAddedToIt) {
  MakeForm();
  const std::vector<std::string> files = MakeFiles({L"one.wav", L"two.wav", L"three.wav", L"four.wav"});
  struct Case {
    std::vector<std::size_t> dropped;
    bool shift;
    std::vector<std::string> list;
  };
  const Case cases[] = {
      {{0, 1}, false, {"one.wav", "two.wav"}},
      {{2}, true, {"one.wav", "two.wav", "three.wav"}},
      {{3}, false, {"four.wav"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.list));
    std::vector<std::wstring> names;
    for (std::size_t i : c.dropped) names.push_back(MarkedToWide(files[i]));
    if (c.shift) HoldKey(VK_SHIFT, true);
    PostMessageW(form_->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(names)), 0);
    PumpUntil([&] { return Entries() == c.list; }, 3000);
    if (c.shift) HoldKey(VK_SHIFT, false);
    EXPECT_EQ(Entries(), c.list);
  }
  EXPECT_THAT(New("drop"), ElementsAre("clear\t" + files[0] + "\t" + files[1], "append\t" + files[2],
                                       "clear\t" + files[3]));
}

TEST_F(MainPlayerFormTest, TheOpenDialogTakesAnAddressTypedWithoutItsProtocol) {
  SetWorkingOffline(true);  // the address is only added, never fetched
  MakeForm();
  form_->OpenDialog().InitialDir = scratch_.wstring();
  std::wstring boxCaption;
  WithHand([&] { ActionNamed("aOpen").Execute(); }, [&](HWND open) {
    const HWND extras = FindWindowExW(open, nullptr, L"#32770", nullptr);
    boxCaption = test::WindowText(GetDlgItem(extras, kFolderBoxId));
    const HWND choice = GetDlgItem(open, kUrlChoiceId);
    if (!choice) return PostMessageW(open, WM_COMMAND, IDCANCEL, 0), void();
    SendMessageW(choice, CB_SETCURSEL, 1, 0);
    SendMessageW(open, WM_COMMAND, MAKEWPARAM(kUrlChoiceId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(choice));
    SetWindowTextW(test::FileDialogNameField(open), L"radio.example.com:8000/live");
    test::TakeScreenshot("app-open-dialog-url");
    test::PressDialogOk(open);
  });
  SetWorkingOffline(false);
  EXPECT_EQ(boxCaption, L"Play whole folders containing media");
  ASSERT_EQ(form_->Player().PlayList().Count(), 1);
  EXPECT_EQ(form_->Player().PlayList().Items(0).FileName(), "http://radio.example.com:8000/live");
}

TEST_F(MainPlayerFormTest, TheFolderBoxAddsAWholeFolderThatHoldsMedia) {
  MakeForm();
  fs::create_directories(scratch_ / L"Album");
  std::ofstream(scratch_ / L"Album" / L"song.wav") << "x";
  std::ofstream(scratch_ / L"Album" / L"notes.txt") << "x";
  form_->OpenDialog().InitialDir = scratch_.wstring();
  form_->OpenDialog().FolderChecked = true;
  WithHand([&] { ActionNamed("aAddFiles").Execute(); }, [&](HWND open) {
    if (!test::SelectFileDialogItem(open, L"Album")) return PostMessageW(open, WM_COMMAND, IDCANCEL, 0), void();
    Sleep(200);
    test::PressDialogOk(open);
  });
  EXPECT_EQ(Entries(), std::vector<std::string>{"song.wav"}) << "the folder's media, not its other files";
}

TEST_F(MainPlayerFormTest, SavingAsListWritesListM3u) {
  MakeForm();
  form_->Player().PlayList().AddFiles(MakeFiles({L"one.wav", L"two.wav"}), true, false);
  form_->SaveDialog().InitialDir = scratch_.wstring();
  std::wstring proposed = L"(unread)";
  WithHand([&] { ActionNamed("aSavePlaylist").Execute(); }, [&](HWND save) {
    proposed = test::WindowText(test::FileDialogNameField(save));
    SetWindowTextW(test::FileDialogNameField(save), L"list");
    test::PressDialogOk(save);
  });
  EXPECT_EQ(proposed, L"") << "a list without a name or shared tags proposes nothing";
  ASSERT_TRUE(fs::exists(scratch_ / L"list.m3u")) << "the name gets the playlist's extension";
  for (const fs::directory_entry& entry : fs::directory_iterator(scratch_))
    EXPECT_EQ(entry.path().filename().wstring().find(L"*"), std::wstring::npos) << entry.path();
  std::ifstream saved(scratch_ / L"list.m3u");
  std::vector<std::string> lines;
  for (std::string line; std::getline(saved, line);)
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  EXPECT_EQ(lines.size(), 2u);
  EXPECT_EQ(form_->SaveDialog().InitialDir, scratch_.wstring()) << "the next save starts here";
}

TEST_F(MainPlayerFormTest, OneAboutWindowHoweverOftenItIsAskedFor) {
  MakeForm();
  for (int i = 0; i < 3; ++i) {
    ActionNamed("aAbout").Execute();
    PumpFor(100);
  }
  int windows = 0;
  for (HWND w = FindWindowW(L"TAboutFm", nullptr); w; w = FindWindowExW(nullptr, w, L"TAboutFm", nullptr)) ++windows;
  EXPECT_EQ(windows, 1);
  TAboutFm* about = App().FindForm<TAboutFm>();
  ASSERT_NE(about, nullptr);
  EXPECT_FALSE(about->SkinLabel().Visible()) << "the default skin has no notice";
  test::TakeScreenshot("app-about-window");

  // A click on the logo opens the maker's home page, and the window goes.
  const std::size_t opened = test::BrowserLog().size();
  test::ClickAt(about->ScreenRect().left + 40, about->ScreenRect().top + 40);
  EXPECT_TRUE(PumpUntil([] { return App().FindForm<TAboutFm>() == nullptr; }, kTimeoutMs)) << "freed when closed";
  EXPECT_TRUE(WaitUntil([&] { return test::BrowserLog().size() > opened; }, kTimeoutMs));
  if (test::BrowserLog().size() > opened) {
    EXPECT_EQ(test::BrowserLog().back(), WideToMarked(kHomePageAddress));
  }
}

// A skin that brings a notice has it shown below the rest, in a window as much higher.
TEST_F(MainPlayerFormTest, TheAboutWindowShowsTheNoticeOfASkinThatHasOne) {
  MakeForm();
  auto heightOfAbout = [&] {
    ActionNamed("aAbout").Execute();
    PumpFor(100);
    TAboutFm* about = App().FindForm<TAboutFm>();
    if (!about) return std::make_pair(-1, std::wstring(L"(no window)"));
    const auto seen = std::make_pair(about->Height(), about->SkinLabel().Visible() ? about->SkinLabel().Text() : L"");
    if (!seen.second.empty()) test::TakeScreenshot("app-about-skin-notice");
    PostMessageW(about->Handle(), WM_CLOSE, 0, 0);
    PumpUntil([] { return App().FindForm<TAboutFm>() == nullptr; }, kTimeoutMs);
    return seen;
  };
  const auto plain = heightOfAbout();
  ApplicationRegIni().WriteString("Preferences", "Current skin", test::UnixToWindowsPathA(NV_SKIN_PACKAGES "/complete.nvs"));
  ReloadPlayerSkin();
  const auto noticed = heightOfAbout();
  ApplicationRegIni().DeleteValue("Preferences", "Current skin");
  ReloadPlayerSkin();
  EXPECT_EQ(plain.second, L"") << "the default skin has no notice";
  EXPECT_EQ(noticed.second, L"Skin: Drawn for Norvale");
  EXPECT_GT(noticed.first, plain.first) << "the window grows by the notice's line";
}

TEST_F(MainPlayerFormTest, TheMenuOpensOnARightClickWithItsItemsAndHotKeys) {
  MakeForm();
  form_->ShowExpandedPlayer();
  PumpFor(300);
  const HWND window = FindWindowW(L"NorvaleExpandedPlayerStandIn", nullptr);
  ASSERT_NE(window, nullptr);
  RECT bounds{};
  GetWindowRect(window, &bounds);
  std::vector<std::wstring> items;
  std::thread hand([&] {
    HWND open = nullptr;
    if (!WaitUntil([&] { return (open = test::FindOwnWindow(L"#32768")) != nullptr; }, kTimeoutMs)) return;
    Sleep(200);
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(open, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      wchar_t text[128] = {};
      GetMenuStringW(menu, i, text, 128, MF_BYPOSITION);
      items.push_back(text[0] ? text : L"-");
    }
    test::TakeScreenshot("app-main-menu");
    PostMessageW(open, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  test::MoveMouseTo((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
  test::MouseButton(MOUSEEVENTF_RIGHTDOWN);
  test::MouseButton(MOUSEEVENTF_RIGHTUP);
  PumpUntil([&] { return !items.empty() && !test::FindOwnWindow(L"#32768"); }, kTimeoutMs);
  hand.join();
  EXPECT_THAT(items, ElementsAre(L"Play/pause\tWin + Space", L"Stop\tWin + Esc", L"-", L"Step forward\tWin + Right",
                                 L"Step backward\tWin + Left", L"-", L"Next track\tWin + Down",
                                 L"Previous track\tWin + Up", L"-", L"My media...", L"Open media...\tWin + Ins", L"-",
                                 L"Volume", L"-", L"Shuffle", L"Repeat", L"-", L"Properties...", L"-",
                                 L"Player options...", L"Help", L"-", L"Work offline", L"Close"));
}

// A graph may take long to build (a slow network, a slow source). Closing meanwhile lets go of the build, saves the
// state and "Now playing" with the entry being built as the current one, and leaves the worker to end on its own.
TEST_F(MainPlayerFormTest, ClosingWhileAGraphIsBuiltSavesTheStateAndLetsTheBuildGo) {
  static LoadGate gate;  // the abandoned worker may still look at it after the test
  ResetEvent(gate.open);
  gate.loading = 0;
  DWORD cookie = 0;
  const Microsoft::WRL::ComPtr<IClassFactory> factory(new GatedLoadFactory(gate));
  ASSERT_HRESULT_SUCCEEDED(
      CoRegisterClassObject(CLSID_GatedLoad, factory.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie));
  MakeForm();
  TPlayerPreferences preferences = form_->Preferences();
  TXFileGraphInfo rule;
  rule.Extensions = ".gated";
  rule.Normal.SourceFilter = TXCLSID(kGatedLoadGuid);
  preferences.graphRules.insert(preferences.graphRules.begin(), rule);
  form_->ApplyPreferences(preferences);
  form_->Player().PlayList().AddFiles(MakeFiles({L"first.wav", L"slow.gated"}), true, false);
  form_->Player().PlayList().PlayIndex(1, false, TSetCurrentMode::smNormal);

  // The build waits on its worker while this thread handles messages inside it: the close comes from elsewhere,
  // as another instance's "/quit" would, once the source is loading.
  std::thread closer([&] {
    if (WaitUntil([&] { return gate.loading > 0; }, kTimeoutMs))
      PostMessageW(form_->Handle(), WM_PLAYERCOMMAND, kCommandClose, 0);
  });
  const ULONGLONG started = GetTickCount64();
  PostMessageW(form_->Handle(), WM_PLAYERCOMMAND, kCommandPlay, 0);
  const bool closed = PumpUntil([&] { return !IsWindowVisible(form_->Handle()); }, kTimeoutMs);
  const ULONGLONG took = GetTickCount64() - started;
  closer.join();
  SetEvent(gate.open);  // the abandoned worker may end now
  CoRevokeClassObject(cookie);
  EXPECT_EQ(gate.loading, 1) << "the build reached the source";
  ASSERT_TRUE(closed) << "the form did not close";
  EXPECT_LT(took, 5000u) << "the close did not wait for the source";
  EXPECT_FALSE(form_->Player().IsBuilding()) << "the build was let go of";
  const std::vector<std::string> lines = LogLines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "state saved"), 1) << "saved once";

  std::ifstream saved{fs::path(NowPlayingFile())};
  std::string text((std::istreambuf_iterator<char>(saved)), {});
  EXPECT_NE(text.find("first.wav"), std::string::npos);
  EXPECT_NE(text.find("slow.gated"), std::string::npos);
  // Made again, the form finds the entry that was being built current.
  form_.reset();
  MakeForm({.loadDefaultPlaylist = true});
  EXPECT_EQ(Entries(), (std::vector<std::string>{"first.wav", "slow.gated"}));
  EXPECT_EQ(form_->Player().PlayList().CurrentIndex(), 1);
}

}  // namespace
}  // namespace nv
