#pragma once
// The base of the tests that reach the tray extension as the player does: the built server registered for the
// suite and served by the COM surrogate; every connection the test made is closed after it.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "app/win/TrayExtClient.h"
#include "tests/common/win/TrayServer.h"

namespace nv::test {

class TrayServerSuite : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    SetEnvironmentVariableW(kTrayExtOutOfProcessVariable, L"1");
    server_ = new RegisteredTrayServer;
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
    CoUninitialize();
  }
  void TearDown() override {
    while (TrayExtConnectionCount() > 0) ConnectTrayExt(false);
  }

private:
  static inline RegisteredTrayServer* server_ = nullptr;
};

}  // namespace nv::test
