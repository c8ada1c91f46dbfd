// Blocking work on a worker thread while the calling thread goes on handling its window messages: what the caller
// gets back, and what an abandoned worker keeps and lets go of.
#include <gtest/gtest.h>

#include <memory>

#include "engine/DirectXError.h"
#include "engine/win/ExecuteThread.h"
#include "support/Errors.h"
#include "support/win/UniqueHandle.h"
#include "tests/engine/win/GraphTestPlayer.h"
#include "tests/filters/FilterTestGraph.h"

namespace nv::test {
namespace {

class ExecuteThread : public ::testing::Test {
protected:
  ComApartment com_;
  GraphTestPlayer window_;  // its window runs posted calls
  UniqueHandle gate_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

TEST_F(ExecuteThread, TheCallersMessagesAreHandledWhileTheWorkRuns) {
  DWORD workThread = 0;
  bool handled = false;
  // The work waits for a message that only the waiting caller can handle.
  window_.Post([&] {
    handled = true;
    SetEvent(gate_.Get());
  });
  const HANDLE gate = gate_.Get();
  {
    const Watchdog watchdog("work that waits for a message", 10'000);
    ExecuteInThread([gate, &workThread] {
      workThread = GetCurrentThreadId();
      WaitForSingleObject(gate, 10'000);
    });
  }
  EXPECT_TRUE(handled);
  EXPECT_NE(workThread, GetCurrentThreadId());
}

TEST_F(ExecuteThread, TheWorksFailureIsRaisedInTheCaller) {
  try {
    ExecuteInThread([] { throw EDirectX(static_cast<std::int32_t>(0x80040216), "Not found."); });
    FAIL() << "nothing raised";
  } catch (const EDirectX& error) {
    EXPECT_EQ(error.Code(), static_cast<std::int32_t>(0x80040216));
    EXPECT_STREQ(error.what(), "Not found.Code: 80040216h.");
  }
}

TEST_F(ExecuteThread, AnAbandonedWorkerKeepsWhatItOwnsUntilItEnds) {
  bool abort = false;
  window_.Post([&] { abort = true; });
  auto owned = std::make_shared<int>(7);
  const std::weak_ptr<int> watch = owned;
  const HANDLE gate = gate_.Get();
  EXPECT_THROW(ExecuteInThread(
                   [gate, owned = std::move(owned)] {
                     WaitForSingleObject(gate, 10'000);
                     EXPECT_EQ(*owned, 7);
                   },
                   [&] { return abort; }),
               EAbort);
  EXPECT_FALSE(watch.expired()) << "the worker still waits and holds its share";
  SetEvent(gate_.Get());
  EXPECT_TRUE(PumpUntil([&] { return watch.expired(); }, 5000)) << "the ended worker let go";
}

TEST_F(ExecuteThread, AnAbortCheckThatAnswersAtOnceNeverWaits) {
  const HANDLE gate = gate_.Get();
  EXPECT_THROW(ExecuteInThread([gate] { WaitForSingleObject(gate, 10'000); }, [] { return true; }), EAbort);
  SetEvent(gate_.Get());
}

}  // namespace
}  // namespace nv::test
