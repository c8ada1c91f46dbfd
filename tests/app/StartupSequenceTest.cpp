// The program's entry sequence, followed step by step through a host that records what it is asked to do.
#include <functional>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/AppConstants.h"
#include "app/PlayerStartup.h"
#include "skins/SkinErrors.h"
#include "support/Errors.h"

namespace nv {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

std::string Join(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : "|") + item;
  return text;
}

// Answers as a clean Windows 10 with a running taskbar would, unless a test says otherwise; every call that does
// something is recorded.
class RecordingHost : public StartupHost {
public:
  std::vector<std::string> calls;
  bool elevated = false, taskbar = true, defaultSkin = true, skinChanged = false, atom = false;
  int playerWindowAfter = -1;  // the player window appears at this search (0 = at once, -1 = never)
  std::vector<bool> connects = {true};
  bool needsElevation = false;
  std::size_t playlistCount = 0;
  std::function<void()> onCreateWindow;

  void RunInstall() override { calls.push_back("install"); }
  void RunUninstall() override { calls.push_back("uninstall"); }
  void RegisterFileTypes() override { calls.push_back("register file types"); }
  bool IsElevatedStart() override { return elevated; }
  bool FindTaskbar() override { return taskbar; }
  void CheckDefaultSkin() override {
    if (!defaultSkin) throw ESkinError(kDefaultSkinCorruptedMessage);
  }
  void AdviseTaskbarAlwaysOnTop() override { calls.push_back("advise on top"); }
  bool InstallCommandLineSkin(const CommandLine&) override { return skinChanged; }
  bool InstanceAtomExists() override { return atom; }
  void AddInstanceAtom() override { calls.push_back("add atom"); }
  void DeleteInstanceAtom() override { calls.push_back("delete atom"); }
  WindowId FindPlayerWindow() override {
    ++searches;
    return playerWindowAfter >= 0 && searches > playerWindowAfter ? 77 : 0;
  }
  void Sleep(unsigned ms) override { sleptMs += ms; }
  void PostPlayerCommand(WindowId w, unsigned code) override {
    calls.push_back("post " + std::to_string(code) + " to " + std::to_string(w));
  }
  void SendFiles(WindowId w, const std::vector<std::string>& files, bool append) override {
    calls.push_back(std::string(append ? "append " : "replace ") + Join(files) + " to " + std::to_string(w));
  }
  void InitialiseApplication() override { calls.push_back("initialise"); }
  bool ConnectTrayExtension() override {
    const bool ok = connectAttempt < connects.size() && connects[connectAttempt];
    ++connectAttempt;
    calls.push_back(ok ? "connect" : "connect failed");
    return ok;
  }
  void DisconnectTrayExtension() override { calls.push_back("disconnect"); }
  bool NeedsElevation() override { return needsElevation; }
  void StartElevatedInstall() override { calls.push_back("elevated install"); }
  void CreatePlayerWindow(const PlayerStart& s) override {
    calls.push_back("create " + std::string(s.clear ? "replace " : "append ") + Join(s.files) +
                    (s.loadDefaultPlaylist ? " default" : ""));
    if (onCreateWindow) onCreateWindow();
  }
  void CheckFileTypesOnStart() override { calls.push_back("check types"); }
  void ShowPlayerWindow() override { calls.push_back("show"); }
  void ShowExpandedPlayer() override { calls.push_back("show expanded"); }
  void SendPlayerCommand(unsigned code) override { calls.push_back("send " + std::to_string(code)); }
  std::size_t PlaylistCount() override { return playlistCount; }
  void Play() override { calls.push_back("play"); }
  void TrimWorkingSet() override { calls.push_back("trim"); }
  void RunMessageLoop() override { calls.push_back("loop"); }
  void DestroyPlayerWindow() override { calls.push_back("destroy"); }
  void ShowError(const std::string& message) override { calls.push_back("error: " + message); }

  int searches = 0;
  unsigned sleptMs = 0;
  std::size_t connectAttempt = 0;
};

std::vector<std::string> RunStartup(RecordingHost& host, std::vector<std::string> params) {
  params.insert(params.begin(), "C:\\Norvale\\Norvale.exe");
  EXPECT_EQ(RunPlayerProgram(CommandLine(params), host), 0);
  return host.calls;
}

TEST(StartupSequence, APrimaryInstanceStartsRunsAndShutsDownInOrder) {
  RecordingHost host;
  host.playlistCount = 2;
  EXPECT_THAT(RunStartup(host, {"a.mp3", "b.mp3"}),
              ElementsAre("advise on top", "add atom", "initialise", "connect", "create replace a.mp3|b.mp3",
                          "check types", "show", "show expanded", "play", "trim", "loop", "disconnect", "destroy",
                          "delete atom"));
}

TEST(StartupSequence, TheFirstParameterShapesThePrimaryStart) {
  struct Case {
    std::vector<std::string> params;
    std::size_t playlistCount;
    std::vector<std::string> expected;  // the calls between "create" and "loop"
  };
  const Case cases[] = {
      {{}, 0, {"create replace  default", "check types", "show", "show expanded", "trim"}},
      {{"/emptyplaylist"}, 0, {"create replace ", "check types", "show", "show expanded", "trim"}},
      {{"/enqueue", "a.mp3"}, 1, {"create append a.mp3", "check types", "show", "show expanded", "play", "trim"}},
      {{"a.mp3"}, 0, {"create replace a.mp3", "check types", "show", "show expanded", "trim"}},  // nothing playable
      {{"/showminimized"}, 0, {"create replace  default", "check types", "show", "trim"}},
      {{"/preferences"}, 0, {"create replace  default", "check types", "show", "send 258", "trim"}},
      {{"/play", "a.mp3"}, 0, {"create replace  default", "check types", "show", "show expanded", "send 46", "trim"}},
      {{"x.nvs", "a.mp3"}, 0, {"create replace  default", "check types", "show", "show expanded", "trim"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.params));
    RecordingHost host;
    host.playlistCount = c.playlistCount;
    const std::vector<std::string> calls = RunStartup(host, c.params);
    const auto create = std::find_if(calls.begin(), calls.end(), [](auto& s) { return s.rfind("create", 0) == 0; });
    const auto loop = std::find(calls.begin(), calls.end(), "loop");
    ASSERT_TRUE(create != calls.end() && loop != calls.end()) << Join(calls);
    EXPECT_EQ(std::vector<std::string>(create, loop), c.expected);
  }
}

TEST(StartupSequence, MaintenanceRunsAndElevatedStartsEndEarly) {
  RecordingHost install;
  EXPECT_THAT(RunStartup(install, {"/Install"}), ElementsAre("install"));
  RecordingHost uninstall;
  EXPECT_THAT(RunStartup(uninstall, {"/uninstall", "a.mp3"}), ElementsAre("uninstall"));
  RecordingHost types;
  EXPECT_THAT(RunStartup(types, {"/registerfiletypes"}), ElementsAre("register file types"));
  RecordingHost elevated;
  elevated.elevated = true;
  EXPECT_THAT(RunStartup(elevated, {"a.mp3"}), ::testing::IsEmpty());
  RecordingHost elevatedInstall;
  elevatedInstall.elevated = true;
  EXPECT_THAT(RunStartup(elevatedInstall, {"/install"}), ElementsAre("install")) << "the one reason to run elevated";
}

TEST(StartupSequence, MissingTaskbarOrDefaultSkinEndsWithItsMessage) {
  RecordingHost noTaskbar;
  noTaskbar.taskbar = false;
  EXPECT_THAT(RunStartup(noTaskbar, {}), ElementsAre("error: Taskbar window is not found."));
  RecordingHost noSkin;
  noSkin.defaultSkin = false;
  EXPECT_THAT(RunStartup(noSkin, {}), ElementsAre("error: Default skin corrupted."));
}

TEST(StartupSequence, ASecondInstanceHandsOverAndLeavesTheAtomAlone) {
  struct Case {
    std::vector<std::string> params;
    bool skinChanged;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {{"/enqueue", "a.mp3", "b.mp3"}, false, {"advise on top", "append a.mp3|b.mp3 to 77"}},
      {{"a.mp3", "b.mp3"}, false, {"advise on top", "replace a.mp3|b.mp3 to 77"}},
      {{"/play", "a.mp3"}, false, {"advise on top", "post 46 to 77"}},
      {{"/emptyplaylist"}, false, {"advise on top", "post 260 to 77"}},
      {{"/quit"}, false, {"advise on top", "post 259 to 77"}},
      {{"x.nvs", "a.mp3"}, true, {"advise on top", "post 257 to 77"}},
      {{"x.nvs", "a.mp3"}, false, {"advise on top"}},  // already the current skin: nothing to tell
      {{}, false, {"advise on top"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.params));
    RecordingHost host;
    host.atom = true;
    host.playerWindowAfter = 0;
    host.skinChanged = c.skinChanged;
    EXPECT_EQ(RunStartup(host, c.params), c.expected);
  }
}

TEST(StartupSequence, ARunningPlayerStillCreatingItsWindowIsWaitedFor) {
  RecordingHost host;
  host.atom = true;
  host.playerWindowAfter = 30;
  EXPECT_THAT(RunStartup(host, {"a.mp3"}), ElementsAre("advise on top", "replace a.mp3 to 77"));
  EXPECT_EQ(host.searches, 31);
  EXPECT_EQ(host.sleptMs, 30u * kPlayerWindowSearchIntervalMs);
}

TEST(StartupSequence, AStaleAtomCostsFiftyOneSearchesThenThisProcessBecomesThePlayer) {
  RecordingHost host;
  host.atom = true;
  const std::vector<std::string> calls = RunStartup(host, {"a.mp3"});
  EXPECT_EQ(host.searches, kPlayerWindowSearchTries);
  EXPECT_EQ(host.sleptMs, 50u * kPlayerWindowSearchIntervalMs);
  EXPECT_THAT(calls, Not(Contains("add atom"))) << "the atom exists already";
  EXPECT_THAT(calls, Contains("create replace a.mp3"));
  EXPECT_EQ(calls.back(), "delete atom") << "and goes when this player ends";
}

TEST(StartupSequence, AFailedConnectionInstallsTheServerAndTriesOnceMore) {
  RecordingHost elevation;
  elevation.connects = {false, true};
  elevation.needsElevation = true;
  EXPECT_THAT(RunStartup(elevation, {}), ElementsAre("advise on top", "add atom", "initialise", "connect failed",
                                              "elevated install", "connect", "create replace  default", "check types",
                                              "show", "show expanded", "trim", "loop", "disconnect", "destroy",
                                              "delete atom"));

  RecordingHost inProcess;
  inProcess.connects = {false, false};
  EXPECT_THAT(RunStartup(inProcess, {}), ElementsAre("advise on top", "add atom", "initialise", "connect failed", "install",
                                              "connect failed", "delete atom"))
      << "ends silently, without a window";
}

TEST(StartupSequence, AFailureAfterConnectingDisconnectsAndFreesTheWindowBeforeItIsShown) {
  RecordingHost host;
  host.onCreateWindow = [] { throw Exception("the skin is broken"); };
  EXPECT_THAT(RunStartup(host, {}), ElementsAre("advise on top", "add atom", "initialise", "connect", "create replace  default",
                                         "disconnect", "destroy", "error: the skin is broken", "delete atom"));

  RecordingHost aborted;
  aborted.onCreateWindow = [] { throw EAbort(); };
  EXPECT_THAT(RunStartup(aborted, {}), Not(Contains(::testing::StartsWith("error"))));
}

}  // namespace
}  // namespace nv
