// The numbers that cross between the player and the taskbar: docking modes and window handles on the wire.
#include <cstdint>

#include <gtest/gtest.h>

#include "shell/DockingMode.h"
#include "shell/WireWindow.h"

namespace nv {
namespace {

TEST(DockingMode, EveryKindIsPlacedReparentedOrRefusedAsTheTaskbarAnswers) {
  struct Case {
    unsigned kind;
    DockAnswer answer;
  };
  const Case cases[] = {
      {0, DockAnswer::Accepted},   {1, DockAnswer::Reparented}, {2, DockAnswer::Refused},
      {3, DockAnswer::Reparented}, {4, DockAnswer::Refused},    {5, DockAnswer::Reparented},
      {6, DockAnswer::Accepted},   {7, DockAnswer::Accepted},   {15, DockAnswer::Accepted},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    EXPECT_EQ(DockAnswerForKind(c.kind), c.answer);
    // The alignment bits never change the kind read back.
    for (DockAlignment alignment : {DockAlignment::Centre, DockAlignment::Start, DockAlignment::End})
      EXPECT_EQ(DockingKind(MakeDockingMode(c.kind, alignment)), c.kind);
  }
}

TEST(DockingMode, AlignmentLivesInBitsSixAndSeven) {
  struct Case {
    std::uint32_t mode;
    unsigned kind;
    DockAlignment alignment;
  };
  const Case cases[] = {
      {0x03, 3, DockAlignment::Centre},
      {0x43, 3, DockAlignment::Start},
      {0x85, 5, DockAlignment::End},
      {0xC6, 6, DockAlignment::Centre},  // both bits: neither end
      {0x31, 1, DockAlignment::Centre},  // bits 4-5 are not alignment
      {0xFFFFFF46, 6, DockAlignment::Start},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    EXPECT_EQ(DockingKind(c.mode), c.kind);
    EXPECT_EQ(DockingAlignment(c.mode), c.alignment);
  }
  EXPECT_EQ(MakeDockingMode(kDockEndOfTaskBand, DockAlignment::End), 0x83u);
}

TEST(DockingMode, ThePlayerDocksByItsTrayPosition) {
  EXPECT_EQ(DockingModeForTrayPosition(0), 6u);  // right of the Start button
  EXPECT_EQ(DockingModeForTrayPosition(1), 3u);  // left of the notification area
  EXPECT_EQ(DockingModeForTrayPosition(2), 5u);  // right of the notification area
}

TEST(WireWindow, A64BitHandleIsSignExtendedFromItsThirtyTwoBits) {
  struct Case {
    std::uint32_t wire;
    std::uint64_t handle;
  };
  const Case cases[] = {
      {0x00000000, 0x0000000000000000},
      {0x00010234, 0x0000000000010234},
      {0x7FFFFFFF, 0x000000007FFFFFFF},
      {0x80000000, 0xFFFFFFFF80000000},
      {0xFFFF1234, 0xFFFFFFFFFFFF1234},  // not 0x00000000FFFF1234: that is another window
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.wire);
    if constexpr (sizeof(std::uintptr_t) == 8) {
      EXPECT_EQ(WindowFromWire(c.wire), c.handle);
    } else {
      EXPECT_EQ(WindowFromWire(c.wire), c.wire);
    }
    EXPECT_EQ(WindowToWire(WindowFromWire(c.wire)), c.wire);
  }
}

}  // namespace
}  // namespace nv
