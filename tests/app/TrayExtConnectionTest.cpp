// The player's connection to the tray extension, over a server whose calls succeed or fail as each test scripts:
// counted connects, the message numbers, and the shell hook registration that reconnects once and then gives up.
#include <deque>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/TrayExtConnection.h"

namespace nv {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// Each object the server creates answers calls until it is "killed"; every call is recorded.
class ScriptedServer : public TrayExtServer {
public:
  std::deque<bool> creates;          // answers to Create, in turn; true when the script runs out
  std::deque<bool> messageCalls;     // whether GetMessages succeeds, in turn; true when the script runs out
  std::deque<bool> registerCalls;    // whether RegisterShellHook succeeds, in turn; true when the script runs out
  bool hookInstalls = false;         // the answer of a successful RegisterShellHook
  std::vector<std::string> calls;
  int objects = 0;                   // created and not yet released

  bool Create() override {
    const bool ok = Next(creates);
    calls.push_back(ok ? "create" : "create failed");
    if (ok) ++objects, held_ = true;
    return ok;
  }
  void Release() override {
    if (!held_) return;
    calls.push_back("release");
    --objects, held_ = false;
  }
  bool HasObject() const override { return held_; }
  bool GetMessages(std::uint32_t& insert, std::uint32_t& remove) override {
    const bool ok = Next(messageCalls);
    calls.push_back(ok ? "messages" : "messages failed");
    if (ok) insert = 0xC101, remove = 0xC102;
    return ok;
  }
  bool RegisterShellHook(std::uint32_t window, std::uint32_t base, bool& registered) override {
    const bool ok = Next(registerCalls);
    calls.push_back((ok ? "register " : "register failed ") + std::to_string(window) + " " + std::to_string(base));
    if (ok) registered = hookInstalls;
    return ok;
  }
  bool DeregisterShellHook() override {
    calls.push_back("deregister");
    return false;  // ignored by the client
  }

private:
  static bool Next(std::deque<bool>& script) {
    if (script.empty()) return true;
    const bool answer = script.front();
    script.pop_front();
    return answer;
  }
  bool held_ = false;
};

TEST(TrayExtConnection, TheObjectLivesFromTheFirstConnectToTheLastDisconnect) {
  ScriptedServer server;
  TrayExtConnection connection(server);
  EXPECT_TRUE(connection.Connect());
  EXPECT_TRUE(connection.Connect());
  EXPECT_EQ(connection.InsertMessage(), 0xC101u);
  EXPECT_EQ(connection.RemoveMessage(), 0xC102u);
  connection.Disconnect();
  EXPECT_EQ(server.objects, 1) << "two connects and one disconnect keep the object";
  connection.Disconnect();
  EXPECT_EQ(server.objects, 0);
  connection.Disconnect();  // one too many
  EXPECT_EQ(connection.Count(), 0) << "the count never goes below zero";
  EXPECT_TRUE(connection.Connect());
  EXPECT_EQ(connection.Count(), 1) << "so the next connect creates the object again";
  EXPECT_THAT(server.calls, ElementsAre("create", "messages", "release", "create", "messages"));
}

TEST(TrayExtConnection, FailuresWhileConnecting) {
  ScriptedServer unreachable;
  unreachable.creates = {false};
  TrayExtConnection refused(unreachable);
  EXPECT_FALSE(refused.Connect());
  EXPECT_EQ(refused.Count(), 0);

  // Created, but the message numbers cannot be fetched: the connect reports success, holds nothing, and the
  // disconnect at exit leaves the count at 0.
  ScriptedServer mute;
  mute.messageCalls = {false};
  TrayExtConnection numberless(mute);
  EXPECT_TRUE(numberless.Connect());
  EXPECT_EQ(numberless.Count(), 0);
  EXPECT_EQ(numberless.InsertMessage(), 0u) << "docking requests then go nowhere";
  EXPECT_EQ(mute.objects, 0);
  numberless.Disconnect();
  EXPECT_EQ(numberless.Count(), 0);
  EXPECT_THAT(mute.calls, ElementsAre("create", "messages failed", "release"));
}

TEST(TrayExtConnection, AShellHookRegistrationReconnectsOnceWhenTheServerHasGone) {
  struct Case {
    const char* name;
    std::deque<bool> creates, messageCalls, registerCalls;  // scripts after the first connect
    bool hookInstalls;
    ShellHookRegistration outcome;
    int count, reconnections;
    std::vector<std::string> calls;  // after the first connect
  };
  const std::string call = "register 4660 1144", failed = "register failed 4660 1144";
  const Case cases[] = {
      {"the server answers", {}, {}, {true}, true, ShellHookRegistration::Registered, 2, 0, {call}},
      {"the server cannot hook", {}, {}, {true}, false, ShellHookRegistration::NotRegistered, 2, 0, {call}},
      {"the surrogate was ended: a new one serves",
       {true}, {true}, {false, true}, true, ShellHookRegistration::Registered, 2, 1,
       {failed, "release", "create", "messages", call}},
      {"the server cannot be reached again: no registration, no connection",
       {false}, {}, {false}, true, ShellHookRegistration::NotRegistered, 0, 0,
       {failed, "release", "create failed"}},
      {"the new object fails the call too: gone for good",
       {true}, {true}, {false, false}, true, ShellHookRegistration::ServerLost, 2, 1,
       {failed, "release", "create", "messages", failed}},
      {"the new object cannot even give its numbers",
       {true}, {false}, {false}, true, ShellHookRegistration::ServerLost, 0, 0,
       {failed, "release", "create", "messages failed", "release"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedServer server;
    TrayExtConnection connection(server);
    ASSERT_TRUE(connection.Connect());
    ASSERT_TRUE(connection.Connect());
    server.calls.clear();
    server.creates = c.creates;
    server.messageCalls = c.messageCalls;
    server.registerCalls = c.registerCalls;
    server.hookInstalls = c.hookInstalls;

    EXPECT_EQ(connection.RegisterShellHook(0x1234, 1144), c.outcome);
    EXPECT_EQ(connection.Count(), c.count) << "the player's own connections are kept across a reconnect";
    EXPECT_EQ(connection.Reconnections(), c.reconnections);
    EXPECT_THAT(server.calls, ElementsAreArray(c.calls));
    EXPECT_EQ(server.objects, connection.Count() > 0 ? 1 : 0);
  }
}

TEST(TrayExtConnection, WithoutAnObjectARegistrationConnectsFirst) {
  ScriptedServer server;
  server.messageCalls = {false};
  TrayExtConnection connection(server);
  ASSERT_TRUE(connection.Connect());  // holds nothing: the numbers could not be fetched
  server.calls.clear();
  server.hookInstalls = true;
  EXPECT_EQ(connection.RegisterShellHook(7, 1144), ShellHookRegistration::Registered);
  EXPECT_EQ(connection.Count(), 1) << "the object it now holds is counted, so the disconnect at exit releases it";
  EXPECT_THAT(server.calls, ElementsAre("create", "messages", "register 7 1144"));
  connection.Disconnect();
  EXPECT_EQ(server.objects, 0);
}

TEST(TrayExtConnection, DeregisteringIgnoresErrorsAndNeedsNoObject) {
  ScriptedServer server;
  TrayExtConnection connection(server);
  connection.DeregisterShellHook();
  EXPECT_TRUE(server.calls.empty());
  ASSERT_TRUE(connection.Connect());
  connection.DeregisterShellHook();
  EXPECT_EQ(server.calls.back(), "deregister");
}

}  // namespace
}  // namespace nv
