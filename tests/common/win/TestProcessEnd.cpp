// How a Windows test process ends under Wine.
//
// Wine's PulseAudio driver can fault while the process detaches it on the way out: the driver's thread crashes in
// its own exit while the main thread waits for it in the driver's DLL_PROCESS_DETACH. A test process that opened
// the sound device then dies of SIGSEGV after every test has passed - about one run in ten on a busy machine, in
// tests that share nothing but the sound device. So once the results are written, a test process ends without the
// DLL detach notifications, with the exit status its tests earned. Every Windows test executable is built with
// this file.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// The program's last event comes after every listener has written its results (the summary, an XML report) and
// before anything is torn down.
class EndWithoutDetaching final : public testing::EmptyTestEventListener {
  void OnTestProgramEnd(const testing::UnitTest& tests) override {
    std::fflush(nullptr);
    TerminateProcess(GetCurrentProcess(), tests.Passed() ? 0 : 1);
  }
};

[[maybe_unused]] const bool installed = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new EndWithoutDetaching);
  return true;
}();

}  // namespace
