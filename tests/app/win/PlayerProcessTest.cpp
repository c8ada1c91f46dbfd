// Norvale.exe started for real under Wine, once as the player and again as a second instance: what the second
// instance's command line makes the running player do, as the player's command log tells it (app/win/CommandLog.h),
// what the player plays, as the null sink hears it, and what it keeps between runs.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/AppConstants.h"
#include "app/win/CommandLog.h"
#include "app/win/ProgramPaths.h"
#include "app/win/TrayExtClient.h"
#include "skins/EmbeddedPackage.h"
#include "support/ProductProfile.h"
#include "support/RegIniFile.h"
#include "support/win/ProductProfileFile.h"
#include "support/win/RegistryKeyValueStore.h"
#include "support/win/UniqueHandle.h"
#include "tests/common/win/DesktopDriver.h"
#include "tests/common/AudioAnalysis.h"
#include "tests/common/TestPaths.h"
#include "tests/common/ToneWav.h"
#include "tests/common/win/RegistryDump.h"
#include "tests/common/win/TrayServer.h"
#include "tests/common/win/WineTestEnv.h"

namespace nv {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::Not;
using test::WaitUntil;

constexpr DWORD kStartTimeoutMs = 20000;

const std::wstring& BuiltProgram() {
  static const std::wstring path = test::UnixToWindowsPath(test::BinaryDir() + "/bin/Norvale.exe");
  return path;
}

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

// The lines of the log that say what reached the player and what start-up did; the actions that ran and the save
// at exit are left out.
std::vector<std::string> Noted(std::vector<std::string> lines) {
  std::erase_if(lines, [](const std::string& line) { return line.starts_with("action\t") || line == "state saved"; });
  return lines;
}

HWND PlayerWindow() {
  return FindWindowExW(FindWindowW(kTaskbarWindowClass, nullptr), nullptr, kPlayerWindowClass, nullptr);
}

class PlayerProcessTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(FindWindowW(kTaskbarWindowClass, nullptr), nullptr);
    ASSERT_EQ(PlayerWindow(), nullptr) << "a player from elsewhere is running";
    while (const ATOM stale = GlobalFindAtomW(kInstanceAtomName)) GlobalDeleteAtom(stale);

    scratch_ = std::filesystem::temp_directory_path() /
               (L"norvale-players-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++runs_));
    std::filesystem::create_directories(scratch_);
    log_ = scratch_ / L"commands.log";
    SetEnvironmentVariableW(kCommandLogVariable, log_.c_str());
    // The players reach the tray extension through the surrogate, as the 32-bit player always does.
    SetEnvironmentVariableW(kTrayExtOutOfProcessVariable, L"1");
    server_.emplace();
    // Skins are installed into this test's folder, and no skin is current.
    preferences_.WriteString("Preferences", "Skin path", Utf8((scratch_ / L"Skins").wstring()));
    preferences_.DeleteValue("Preferences", "Current skin");
    ForgetWhatPlayersKept();
    // The players run in this folder: the files named on their command lines are here.
    for (const wchar_t* name : {L"a.mp3", L"b.mp3", L"c.mp3", L"my b.mp3", L"\u041F\u0440\u0438\u0432\u0435\u0442.mp3"})
      std::ofstream(scratch_ / name) << "not really sound";
  }

  // "Now playing" and the state a player saved at exit: each test starts without them.
  void ForgetWhatPlayersKept() {
    std::error_code ignored;
    for (const wchar_t* extra : {L"", L".bak", L".tmp"})
      std::filesystem::remove(NowPlayingFile() + extra, ignored);
    for (const char* value : {"Volume", "Pan", "Shuffle", "Repeat", "Handle volume keys", "Handle playback keys",
                              "Crossfading", "Unbroken play", "Smooth navigation"})
      preferences_.DeleteValue("Preferences", value);
  }
  static std::wstring NowPlayingFile() { return DefaultPlaylistFile(); }

  void TearDown() override {
    if (primary_) {
      if (const HWND window = PlayerWindow()) PostMessageW(window, WM_PLAYERCOMMAND, kCommandClose, 0);
      if (WaitForSingleObject(primary_.Get(), 10000) != WAIT_OBJECT_0) TerminateProcess(primary_.Get(), 1);
    }
    while (const ATOM left = GlobalFindAtomW(kInstanceAtomName)) GlobalDeleteAtom(left);
    server_.reset();
    preferences_.DeleteValue("Preferences", "Skin path");
    preferences_.DeleteValue("Preferences", "Current skin");
    ForgetWhatPlayersKept();
    std::error_code ignored;
    std::filesystem::remove_all(scratch_, ignored);
  }

  UniqueHandle Start(const std::wstring& program, const std::wstring& arguments) const {
    std::wstring line = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    EXPECT_TRUE(CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, scratch_.c_str(),
                               &startup, &process))
        << "cannot start " << Utf8(program);
    CloseHandle(process.hThread);
    return UniqueHandle(process.hProcess);
  }

  // Starts the player and waits until it runs its message loop.
  void StartPlayer(const std::wstring& arguments = L"", const std::wstring& program = BuiltProgram()) {
    const std::size_t before = LogLines().size();
    primary_ = Start(program, arguments);
    ASSERT_TRUE(WaitForLine("ready", kStartTimeoutMs, before)) << "the player did not start: " << Log();
    ASSERT_NE(PlayerWindow(), nullptr);
  }

  // Runs a second instance to its end; its exit code.
  DWORD RunToEnd(const std::wstring& program, const std::wstring& arguments) {
    const UniqueHandle process = Start(program, arguments);
    EXPECT_EQ(WaitForSingleObject(process.Get(), kStartTimeoutMs), WAIT_OBJECT_0) << "it did not end";
    DWORD code = 1;
    GetExitCodeProcess(process.Get(), &code);
    return code;
  }

  std::vector<std::string> LogLines() const {
    std::vector<std::string> lines;
    std::ifstream in(log_, std::ios::binary);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  std::string Log() const { return ::testing::PrintToString(LogLines()); }

  // Waits for a line among those after the first `from`.
  bool WaitForLine(const std::string& line, DWORD timeoutMs, std::size_t from = 0) const {
    return WaitUntil([&] {
      const auto lines = LogLines();
      return lines.size() > from && std::find(lines.begin() + from, lines.end(), line) != lines.end();
    }, timeoutMs);
  }

  // What the player was told since the previous call (Noted). A command posted behind whatever the second instance
  // left in the player's queue marks the end.
  std::vector<std::string> NewLines() { return Noted(NewLogLines()); }
  std::vector<std::string> NewLogLines() {
    const std::string marker = "command\t" + std::to_string(1000 + ++markers_);
    PostMessageW(PlayerWindow(), WM_PLAYERCOMMAND, 1000 + markers_, 0);
    EXPECT_TRUE(WaitForLine(marker, 10000)) << Log();
    std::vector<std::string> lines = LogLines();
    lines.erase(lines.begin(), lines.begin() + seen_);
    seen_ += lines.size();
    lines.pop_back();  // the marker
    return lines;
  }

  // Closes the player with "/quit" from a second instance and waits until it has ended.
  void Quit() {
    EXPECT_EQ(RunToEnd(BuiltProgram(), L"/quit"), 0u);
    ASSERT_EQ(WaitForSingleObject(primary_.Get(), 10000), WAIT_OBJECT_0) << "the player did not close: " << Log();
  }

  // The file names of the entries of the "Now playing" the player saved.
  static std::vector<std::string> SavedEntries() {
    std::vector<std::string> names;
    std::ifstream in(std::filesystem::path(NowPlayingFile()), std::ios::binary);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty() || line[0] == '#') continue;
      const std::size_t slash = line.find_last_of("\\/");
      names.push_back(slash == std::string::npos || line.find("://") != std::string::npos ? line
                                                                                             : line.substr(slash + 1));
    }
    return names;
  }

  // A hand-over as any process may send it.
  static LRESULT SendHandOver(std::uintptr_t kind, std::string_view bytes) {
    COPYDATASTRUCT data{kind, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
    return SendMessageW(PlayerWindow(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  }

  TXRegIniFile preferences_{std::make_unique<RegistryKeyValueStore>(), "Software\\Norvale"};
  std::optional<test::RegisteredTrayServer> server_;
  std::filesystem::path scratch_, log_;
  UniqueHandle primary_;
  std::size_t seen_ = 0;
  int markers_ = 0;
  static inline int runs_ = 0;
};

TEST_F(PlayerProcessTest, ASecondInstanceHandsItsCommandLineToTheRunningPlayer) {
  StartPlayer();
  NewLines();

  const std::filesystem::path skin = scratch_ / L"Downloads" / L"Sunset.nvs";
  std::filesystem::create_directories(skin.parent_path());
  std::ofstream(skin) << "a skin package";
  const std::string installed = Utf8((scratch_ / L"Skins" / L"Sunset.nvs").wstring());

  struct Case {
    std::wstring arguments;
    std::vector<std::string> logged;
  };
  const Case cases[] = {
      {L"/enqueue a.mp3 b.mp3", {"files\tappend\ta.mp3\tb.mp3"}},  // appended, and playback is not started
      {L"a.mp3 \"my b.mp3\"", {"files\tclear\ta.mp3\tmy b.mp3", "command\t46"}},
      {L"a.mp3 /play", {"files\tclear\ta.mp3", "command\t46"}},  // "/play" is not parameter 1
      {L"/play a.mp3", {"command\t46"}},                          // the file is ignored
      {L"/emptyplaylist", {"command\t260"}},
      {L"/PAUSE", {"command\t47"}},
      {L"/stop", {"command\t13"}},
      {L"/nexttrack", {"command\t11"}},
      {L"/previostrack", {"command\t12"}},
      {L"/preferences", {"command\t258"}},
      {L"/showminimized", {}},
      // Outside code page 1252: the line arrives as marked UTF-8.
      {L"\u041F\u0440\u0438\u0432\u0435\u0442.mp3", {"files\tclear\t\x01\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82.mp3",
                                                     "command\t46"}},
      // The skin is installed by the second instance; the player is only told to reload it.
      {L"\"" + skin.wstring() + L"\" a.mp3", {"command\t257", "skin\t" + installed}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.arguments));
    EXPECT_EQ(RunToEnd(BuiltProgram(), c.arguments), 0u);
    EXPECT_THAT(NewLines(), ElementsAreArray(c.logged));
  }
  EXPECT_TRUE(std::filesystem::exists(scratch_ / L"Skins" / L"Sunset.nvs"));
  EXPECT_EQ(preferences_.ReadString("Preferences", "Current skin", ""), installed);
}

// What a hand-over does to the list the player keeps: files replace it or are appended to it, and a hand-over
// without files changes nothing. The block is read within its size: it needs no terminating zero.
TEST_F(PlayerProcessTest, AHandOverReplacesTheListAppendsToItOrChangesNothing) {
  StartPlayer(L"a.mp3 b.mp3");
  NewLines();
  EXPECT_EQ(RunToEnd(BuiltProgram(), L"\"my b.mp3\""), 0u);
  EXPECT_THAT(NewLines(), ElementsAre("files\tclear\tmy b.mp3", "command\t46"));
  EXPECT_EQ(RunToEnd(BuiltProgram(), L"/enqueue a.mp3 b.mp3"), 0u);
  EXPECT_THAT(NewLines(), ElementsAre("files\tappend\ta.mp3\tb.mp3"));

  for (const std::string_view empty : {std::string_view(), std::string_view("\r\n\0", 3), std::string_view("\0", 1)})
    EXPECT_EQ(SendHandOver(kHandOverReplace, empty), TRUE);
  EXPECT_THAT(NewLines(), IsEmpty()) << "no files: the list stays and nothing plays";

  EXPECT_EQ(SendHandOver(kHandOverAppend, "c.mp3"), TRUE);  // no CR LF, no zero
  EXPECT_THAT(NewLines(), ElementsAre("files\tappend\tc.mp3"));

  Quit();
  EXPECT_THAT(SavedEntries(), ElementsAre("my b.mp3", "a.mp3", "b.mp3", "c.mp3"));
}

// The volume, the play modes and "Now playing" are kept when the player closes and found again when it starts.
TEST_F(PlayerProcessTest, TheStateAndNowPlayingSurviveARestart) {
  preferences_.WriteInteger("Preferences", "Shuffle", 1);
  StartPlayer(L"a.mp3 b.mp3");
  for (int i = 0; i < 2; ++i) PostMessageW(PlayerWindow(), WM_PLAYERCOMMAND, kCommandVolumeDown, 0);
  Quit();
  EXPECT_EQ(preferences_.ReadString("Preferences", "Volume", ""), "90");
  EXPECT_EQ(preferences_.ReadString("Preferences", "Shuffle", ""), "1");
  EXPECT_EQ(preferences_.ReadString("Preferences", "Repeat", ""), "0");
  EXPECT_THAT(SavedEntries(), ElementsAre("a.mp3", "b.mp3"));

  const std::size_t before = LogLines().size();
  StartPlayer();
  const std::vector<std::string> lines = LogLines();
  EXPECT_THAT(std::vector(lines.begin() + before, lines.end()), Contains("default playlist"));
  EXPECT_EQ(RunToEnd(BuiltProgram(), L"/enqueue c.mp3"), 0u);
  PostMessageW(PlayerWindow(), WM_PLAYERCOMMAND, kCommandVolumeDown, 0);
  Quit();
  EXPECT_EQ(preferences_.ReadString("Preferences", "Volume", ""), "85") << "from the volume the last run left";
  EXPECT_EQ(preferences_.ReadString("Preferences", "Shuffle", ""), "1");
  EXPECT_THAT(SavedEntries(), ElementsAre("a.mp3", "b.mp3", "c.mp3")) << "the saved list came back, then grew";
}

// The player is killed while it writes a long "Now playing" at exit: the list it saved before is found whole.
TEST_F(PlayerProcessTest, AKillWhileNowPlayingIsSavedLeavesTheOldListWhole) {
  StartPlayer(L"a.mp3 b.mp3");
  Quit();
  ASSERT_THAT(SavedEntries(), ElementsAre("a.mp3", "b.mp3"));

  StartPlayer();
  // A long list takes long enough to write to be caught at it; it arrives in hand-overs of a size any message
  // passes.
  constexpr int kEntries = 200'000, kPerHandOver = 20'000;
  for (int first = 0; first < kEntries; first += kPerHandOver) {
    std::string some;
    for (int i = first; i < first + kPerHandOver; ++i)
      some += "http://radio.example.com/" + std::to_string(i) + ".mp3\r\n";
    ASSERT_EQ(SendHandOver(kHandOverAppend, some), TRUE);
  }
  const std::wstring temporary = NowPlayingFile() + L".tmp";
  PostMessageW(PlayerWindow(), WM_PLAYERCOMMAND, kCommandClose, 0);
  bool writing = false;
  for (const ULONGLONG deadline = GetTickCount64() + 20000; !writing && GetTickCount64() < deadline;)
    writing = GetFileAttributesW(temporary.c_str()) != INVALID_FILE_ATTRIBUTES;
  TerminateProcess(primary_.Get(), 9);
  WaitForSingleObject(primary_.Get(), 10000);
  while (const ATOM left = GlobalFindAtomW(kInstanceAtomName)) GlobalDeleteAtom(left);
  ASSERT_TRUE(writing) << "the save was not caught under way";

  const std::vector<std::string> saved = SavedEntries();
  if (saved.size() != static_cast<std::size_t>(kEntries) + 2) {
    EXPECT_THAT(saved, ElementsAre("a.mp3", "b.mp3")) << "neither the old list nor the new one whole";
  }
  // The next start finds a list, and keeps it.
  StartPlayer();
  Quit();
  EXPECT_EQ(SavedEntries(), saved);
}

TEST_F(PlayerProcessTest, QuitClosesThePlayerAndRemovesTheAtom) {
  StartPlayer();
  EXPECT_NE(GlobalFindAtomW(kInstanceAtomName), 0);
  EXPECT_EQ(RunToEnd(BuiltProgram(), L"/quit"), 0u);
  ASSERT_EQ(WaitForSingleObject(primary_.Get(), 10000), WAIT_OBJECT_0) << "the player did not close";
  DWORD code = 1;
  GetExitCodeProcess(primary_.Get(), &code);
  EXPECT_EQ(code, 0u);
  EXPECT_THAT(LogLines(), Contains("command\t259"));
  EXPECT_EQ(GlobalFindAtomW(kInstanceAtomName), 0);
  EXPECT_EQ(PlayerWindow(), nullptr);
}

TEST_F(PlayerProcessTest, AStaleAtomCostsAboutASecondThenTheNewProcessBecomesThePlayer) {
  GlobalAddAtomW(kInstanceAtomName);  // as a player that ended without cleaning up would leave it
  const ULONGLONG started = GetTickCount64();
  StartPlayer(L"a.mp3");
  const ULONGLONG elapsed = GetTickCount64() - started;
  EXPECT_GE(elapsed, 950u) << "51 looks for the running player's window, 20 ms apart";
  EXPECT_LT(elapsed, 15000u);
  EXPECT_THAT(LogLines(), Contains("files\tclear\ta.mp3"));

  EXPECT_EQ(RunToEnd(BuiltProgram(), L"/quit"), 0u);
  ASSERT_EQ(WaitForSingleObject(primary_.Get(), 10000), WAIT_OBJECT_0);
  EXPECT_EQ(GlobalFindAtomW(kInstanceAtomName), 0) << "the atom it took over went with it";
}

TEST_F(PlayerProcessTest, ThePlayerStartsFromItsOwnCommandLine) {
  struct Case {
    std::wstring arguments;
    std::vector<std::string> logged;  // up to "ready"
    bool opensDialog = false;         // play with nothing to play asks for files first
  };
  const Case cases[] = {
      {L"", {"default playlist", "show", "show expanded", "ready"}},
      {L"/emptyplaylist", {"show", "show expanded", "ready"}},  // starts with an empty playlist
      {L"a.mp3 b.mp3", {"files\tclear\ta.mp3\tb.mp3", "show", "show expanded", "play", "ready"}},
      {L"/enqueue a.mp3", {"files\tappend\ta.mp3", "show", "show expanded", "play", "ready"}},
      {L"/showminimized", {"default playlist", "show", "ready"}},
      {L"/play", {"default playlist", "show", "show expanded", "command\t46", "ready"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.arguments));
    std::filesystem::remove(log_);
    ForgetWhatPlayersKept();  // nothing saved by the case before
    if (c.opensDialog) {
      primary_ = Start(BuiltProgram(), c.arguments);
      const HWND open = test::WaitForTopWindow(L"#32770", nullptr, GetProcessId(primary_.Get()), kStartTimeoutMs);
      ASSERT_NE(open, nullptr) << "no open dialog: " << Log();
      EXPECT_NE(FindWindowExW(open, nullptr, L"ComboBox", nullptr), nullptr) << "the \"URL:\" choice";
      PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
      ASSERT_TRUE(WaitForLine("ready", kStartTimeoutMs)) << Log();
    } else {
      StartPlayer(c.arguments);
    }
    EXPECT_THAT(Noted(LogLines()), ElementsAreArray(c.logged));
    PostMessageW(PlayerWindow(), WM_PLAYERCOMMAND, kCommandClose, 0);
    ASSERT_EQ(WaitForSingleObject(primary_.Get(), 10000), WAIT_OBJECT_0);
  }
}

TEST_F(PlayerProcessTest, ThePlayerPlaysItsFilesAndFollowsTheTransportCommands) {
  const std::filesystem::path low = scratch_ / L"low.wav", high = scratch_ / L"high.wav";
  test::WriteToneWav(low, {.hz = 440, .durationMs = 3000, .amplitude = 0.5});
  test::WriteToneWav(high, {.hz = 880, .durationMs = 1000, .amplitude = 0.5});
  // Item by item, so that each command is heard on its own: crossfading (5 s, longer than these items), unbroken
  // play and smooth navigation, all on by default, are switched off.
  for (const char* transition : {"Crossfading", "Unbroken play", "Smooth navigation"})
    preferences_.WriteInteger("Preferences", transition, 0);
  test::AudioRecorder recorder("app-player-plays");
  recorder.Start();
  StartPlayer(L"\"" + low.wstring() + L"\" \"" + high.wstring() + L"\"");
  Sleep(1200);
  PostMessageW(PlayerWindow(), WM_PLAYERCOMMAND, kCommandPause, 0);
  Sleep(800);
  PostMessageW(PlayerWindow(), WM_PLAYERCOMMAND, kCommandPlay, 0);
  Sleep(500);
  PostMessageW(PlayerWindow(), WM_PLAYERCOMMAND, kCommandNextTrack, 0);
  Sleep(1800);
  const test::Recording heard = recorder.Stop();

  // The low tone, a pause, the low tone again until "next", then the high tone whole.
  const std::vector<test::Span> sound = test::SoundSpans(heard, -50, 50);
  ASSERT_EQ(sound.size(), 3u) << "the pause and the change of item: " << Log();
  EXPECT_NEAR(test::DominantFrequency(heard, sound[0].startMs, sound[0].endMs), 440, 10);
  EXPECT_NEAR(sound[1].startMs - sound[0].endMs, 800, 250) << "paused";
  EXPECT_NEAR(test::DominantFrequency(heard, sound[1].startMs, sound[1].endMs), 440, 10);
  EXPECT_NEAR(test::DominantFrequency(heard, sound[2].startMs, sound[2].endMs), 880, 10);
  EXPECT_NEAR(sound[2].LengthMs(), 1000, 150);
}

TEST_F(PlayerProcessTest, AnEndedSurrogateIsReplacedAndAServerGoneForGoodLeavesThePlayerRunning) {
  StartPlayer();
  NewLines();
  const std::vector<DWORD> first = test::SurrogateProcesses();
  ASSERT_EQ(first.size(), 1u) << "the player reaches the server through the surrogate";

  // The surrogate ends under the player: at its next renewal (every 10 s) the player connects to a new one.
  test::EndSurrogates();
  const ULONGLONG ended = GetTickCount64();
  ASSERT_TRUE(WaitForLine("tray extension reconnected", 20000)) << Log();
  EXPECT_LT(GetTickCount64() - ended, kShellHookRenewIntervalMs + 3000) << "within one renewal period";
  const std::vector<DWORD> second = test::SurrogateProcesses();
  ASSERT_EQ(second.size(), 1u);
  EXPECT_NE(second.front(), first.front());
  if (test::SeesModulesOf64BitProcesses()) {
    EXPECT_TRUE(test::ProcessHasModule(second.front(), L"Norvale.dll"));
  }
  EXPECT_THAT(NewLines(), ElementsAre("tray extension reconnected")) << "and commands still arrive";

  // Unregistered and ended: no new connection can be made. The player goes on without the extension.
  server_.reset();
  Sleep(kShellHookRenewIntervalMs + 2000);
  EXPECT_EQ(WaitForSingleObject(primary_.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << Log();
  EXPECT_THAT(NewLines(), ::testing::IsEmpty());
  EXPECT_THAT(test::SurrogateProcesses(), ::testing::IsEmpty());
}

TEST_F(PlayerProcessTest, AMediaKeyPressedInAnotherProgramReachesThePlayerOnce) {
  preferences_.WriteInteger("Preferences", "Handle volume keys", 1);  // mute is a volume key
  StartPlayer();
  NewLines();
  // Another program gets keys it does not handle itself; the shell hook brings the player's own to the player.
  const std::wstring peer = test::ShellHelperPath(L"shell-peer.exe");
  for (int command : {APPCOMMAND_MEDIA_NEXTTRACK, APPCOMMAND_BROWSER_BACKWARD, APPCOMMAND_VOLUME_MUTE})
    EXPECT_EQ(RunToEnd(peer, L"appcommand " + std::to_wstring(command)), 0u);
  EXPECT_THAT(NewLines(), ElementsAre("command\t11", "command\t8"));
}

TEST_F(PlayerProcessTest, InstallAndUninstallRegisterTheServerBesideTheProgramAndLeaveNothing) {
  server_.reset();
  // The shipped pair in a folder of its own: the 64-bit server beside the program (of either build).
  const std::filesystem::path folder = scratch_ / L"Installed";
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(BuiltProgram(), folder / L"Norvale.exe");
  std::filesystem::copy_file(test::BuiltServerPath(), folder / L"Norvale.dll");
  const std::wstring program = (folder / L"Norvale.exe").wstring();

  const test::RegistryDump before = test::DumpRegistry(HKEY_CLASSES_ROOT);
  EXPECT_EQ(RunToEnd(program, L"/install"), 0u);
  const test::RegistryDump server =
      test::DumpRegistry(HKEY_CLASSES_ROOT, L"CLSID\\{3350B1B8-0FB3-4C57-AABD-9C0F5C914410}\\InprocServer32");
  EXPECT_EQ(server.count(L"CLSID\\{3350B1B8-0FB3-4C57-AABD-9C0F5C914410}\\InprocServer32\t[]\t1\t" +
                         (folder / L"Norvale.dll").wstring()),
            1u)
      << "registered, and registered before the run ended";
  EXPECT_EQ(RunToEnd(program, L"/uninstall"), 0u);
  const test::RegistryDump after = test::DumpRegistry(HKEY_CLASSES_ROOT);
  EXPECT_THAT(test::Added(before, after), ::testing::IsEmpty());
  EXPECT_THAT(test::Added(after, before), ::testing::IsEmpty());
  EXPECT_EQ(PlayerWindow(), nullptr);
}

// A copy of the program in a folder of its own, with nothing beside it.
class LoneProgramTest : public PlayerProcessTest {
protected:
  void SetUp() override {
    PlayerProcessTest::SetUp();
    folder_ = scratch_ / L"Program";
    std::filesystem::create_directories(folder_);
    std::filesystem::copy_file(BuiltProgram(), folder_ / L"Norvale.exe");
  }
  std::wstring Program() const { return (folder_ / L"Norvale.exe").wstring(); }

  // Cuts the default skin off the copy: what the linker wrote is left.
  void RemoveCarriedSkin() {
    std::string bytes;
    {
      std::ifstream in(folder_ / L"Norvale.exe", std::ios::binary);
      bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    MemoryByteSource program({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    const auto package = FindEmbeddedPackage(program);
    ASSERT_TRUE(package) << "the built program carries no skin";
    std::ofstream(folder_ / L"Norvale.exe", std::ios::binary | std::ios::trunc).write(bytes.data(), package->Offset);
  }

  std::filesystem::path folder_;
};

TEST_F(LoneProgramTest, StartsWithTheSkinItCarries) { StartPlayer(L"", Program()); }

TEST_F(LoneProgramTest, WithoutACarriedSkinTheSkinBesideItServes) {
  RemoveCarriedSkin();
  std::filesystem::copy_file(test::UnixToWindowsPath(test::BinaryDir() + "/bin/Norvale.nvs"), folder_ / L"Norvale.nvs");
  StartPlayer(L"", Program());
}

TEST_F(LoneProgramTest, WithoutItsDefaultSkinThePlayerSaysSoAndEnds) {
  RemoveCarriedSkin();
  const UniqueHandle process = Start(Program(), L"a.mp3");
  const HWND message = test::WaitForTopWindow(L"#32770", L"Norvale", GetProcessId(process.Get()), kStartTimeoutMs);
  ASSERT_NE(message, nullptr) << "no message";
  EXPECT_NE(FindWindowExW(message, nullptr, L"Static", L"Default skin corrupted."), nullptr);
  PostMessageW(message, WM_COMMAND, IDOK, 0);
  ASSERT_EQ(WaitForSingleObject(process.Get(), 10000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process.Get(), &code);
  EXPECT_EQ(code, 0u) << "a clean stop";
  EXPECT_EQ(GlobalFindAtomW(kInstanceAtomName), 0);
  EXPECT_EQ(PlayerWindow(), nullptr);
}

TEST_F(LoneProgramTest, WithoutAServerToReachThePlayerEndsQuietly) {
  std::filesystem::copy_file(test::UnixToWindowsPath(test::BinaryDir() + "/bin/Norvale.nvs"), folder_ / L"Norvale.nvs");
  server_.reset();  // and the install run finds no server beside this copy to register
  const UniqueHandle process = Start(Program(), L"a.mp3");
  ASSERT_EQ(WaitForSingleObject(process.Get(), 60000), WAIT_OBJECT_0) << "it did not end";
  DWORD code = 1;
  GetExitCodeProcess(process.Get(), &code);
  EXPECT_EQ(code, 0u);
  EXPECT_FALSE(std::filesystem::exists(log_)) << "no player window was made: " << Log();
  EXPECT_EQ(GlobalFindAtomW(kInstanceAtomName), 0);
}

TEST_F(LoneProgramTest, TheInstallRunCreatesThePluginFolderAndEnds) {
  EXPECT_EQ(RunToEnd(Program(), L"/install"), 0u);
  EXPECT_TRUE(std::filesystem::is_directory(folder_ / L"WinAmp plugins"));
  EXPECT_EQ(GlobalFindAtomW(kInstanceAtomName), 0);
  EXPECT_EQ(PlayerWindow(), nullptr);
}

TEST(ShippedProfile, StandsBesideTheProgramWithItsSections) {
  const IniDocument profile =
      OpenProductProfile(test::UnixToWindowsPath(test::BinaryDir() + "/bin/" + kProductProfileName));
  EXPECT_TRUE(profile.SectionExists(kStandardGraphRulesSection));
  EXPECT_TRUE(profile.SectionExists(kFriendlyFileTypesSection));
  const auto winampSource = ReadRequiredComponent(profile, "WASource");
  ASSERT_TRUE(winampSource);
  EXPECT_NE(winampSource->message.find("\r\n"), std::string::npos);
}

}  // namespace
}  // namespace nv
