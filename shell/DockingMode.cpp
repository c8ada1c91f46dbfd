#include "shell/DockingMode.h"

namespace nv {

namespace {
constexpr std::uint32_t kKindBits = 0x0F;
constexpr std::uint32_t kAlignmentBits = 0xC0;
}  // namespace

std::uint32_t MakeDockingMode(unsigned kind, DockAlignment alignment) {
  return (kind & kKindBits) | static_cast<std::uint32_t>(alignment);
}

unsigned DockingKind(std::uint32_t mode) { return mode & kKindBits; }

DockAlignment DockingAlignment(std::uint32_t mode) {
  switch (mode & kAlignmentBits) {
    case static_cast<std::uint32_t>(DockAlignment::Start): return DockAlignment::Start;
    case static_cast<std::uint32_t>(DockAlignment::End): return DockAlignment::End;
    default: return DockAlignment::Centre;
  }
}

DockAnswer DockAnswerForKind(unsigned kind) {
  switch (kind) {
    case 2:
    case 4: return DockAnswer::Refused;
    case kDockStartOfTaskBand:
    case kDockEndOfTaskBand:
    case kDockRightOfNotificationArea: return DockAnswer::Reparented;
    default: return DockAnswer::Accepted;
  }
}

std::uint32_t DockingModeForTrayPosition(int trayPosition) {
  switch (trayPosition) {
    case 1: return MakeDockingMode(kDockEndOfTaskBand);
    case 2: return MakeDockingMode(kDockRightOfNotificationArea);
    default: return MakeDockingMode(kDockUnderStartButton);
  }
}

}  // namespace nv
