// A quit that arrives while a worker runs: the waiting loop hands it back to the main loop and gives up the work.
// Its own program, because once the application terminates it stays terminating.
#include <gtest/gtest.h>

#include "engine/win/ExecuteThread.h"
#include "support/Errors.h"
#include "support/ui/win/Application.h"
#include "support/win/UniqueHandle.h"
#include "tests/engine/win/GraphTestPlayer.h"
#include "tests/filters/FilterTestGraph.h"

namespace nv::test {
namespace {

TEST(ExecuteThreadQuit, AQuitIsPostedAgainAndEndsTheWaitAndEveryLaterOne) {
  ComApartment com;
  GraphTestPlayer window;
  const UniqueHandle gate(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  const HANDLE gateHandle = gate.Get();
  window.Post([] { PostQuitMessage(7); });
  EXPECT_THROW(ExecuteInThread([gateHandle] { WaitForSingleObject(gateHandle, 10'000); }), EAbort);
  EXPECT_TRUE(App().Terminated());

  MSG message{};
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the main loop still gets the quit";
  EXPECT_EQ(message.wParam, 7u);

  // The application is going: later work is given up at once.
  const ULONGLONG start = GetTickCount64();
  EXPECT_THROW(ExecuteInThread([gateHandle] { WaitForSingleObject(gateHandle, 10'000); }), EAbort);
  EXPECT_LT(GetTickCount64() - start, 1000u);
  SetEvent(gateHandle);
}

}  // namespace
}  // namespace nv::test
