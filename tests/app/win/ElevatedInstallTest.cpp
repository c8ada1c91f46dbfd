// Start-up connects to the tray extension again only after the elevated "/install" it started has ended (or a
// bounded wait has run out): connecting at once would find the server not yet registered.
#include <windows.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "app/win/InstallRun.h"
#include "tests/common/TestPaths.h"
#include "tests/common/win/WineTestEnv.h"

namespace nv {
namespace {

class ElevatedRunTest : public ::testing::Test {
protected:
  ElevatedRunTest() {
    marker_ = std::filesystem::temp_directory_path() / (L"norvale-elevated-" + std::to_wstring(GetCurrentProcessId()));
    std::filesystem::remove(marker_);
  }
  ~ElevatedRunTest() override {
    std::error_code ignored;
    std::filesystem::remove(marker_, ignored);
  }
  std::wstring Arguments(int sleepMs) const { return std::to_wstring(sleepMs) + L" \"" + marker_.wstring() + L"\""; }

  const std::wstring helper_ = test::UnixToWindowsPath(test::BinaryDir() + "/tests/app/slow_exit.exe");
  std::filesystem::path marker_;
};

TEST_F(ElevatedRunTest, WaitsForTheStartedProcessToEnd) {
  const ULONGLONG started = GetTickCount64();
  ASSERT_TRUE(RunElevatedAndWait(helper_, Arguments(1500), 30000));
  EXPECT_GE(GetTickCount64() - started, 1400u);
  EXPECT_TRUE(std::filesystem::exists(marker_)) << "returned before the process had done its work";
}

TEST_F(ElevatedRunTest, GivesUpWaitingAfterTheBound) {
  const ULONGLONG started = GetTickCount64();
  ASSERT_TRUE(RunElevatedAndWait(helper_, Arguments(4000), 300));
  EXPECT_LT(GetTickCount64() - started, 3000u);
  EXPECT_FALSE(std::filesystem::exists(marker_));
  Sleep(4500);  // let the helper finish before the marker is removed
}

TEST_F(ElevatedRunTest, AProgramThatCannotStartIsReported) {
  EXPECT_FALSE(RunElevatedAndWait(helper_ + L".missing", L"", 1000));
}

}  // namespace
}  // namespace nv
