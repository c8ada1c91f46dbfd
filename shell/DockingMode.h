#pragma once
// The docking mode: the wParam of the insert request the player sends to the taskbar. Bits 0-3 say where the
// window goes, bits 6-7 how it is aligned across the taskbar. The player composes it from its tray position; the
// taskbar's side reads it back.
#include <cstdint>

namespace nv {

// Placement kinds the taskbar knows (bits 0-3). Any other value is taken as it is and not placed, except the two
// the taskbar refuses.
inline constexpr unsigned kDockStartOfTaskBand = 1;         // after the Start button
inline constexpr unsigned kDockEndOfTaskBand = 3;           // before (above) the notification area
inline constexpr unsigned kDockRightOfNotificationArea = 5;  // the notification area moves aside
inline constexpr unsigned kDockUnderStartButton = 6;        // under the Start button when there is room, else as 1

enum class DockAlignment : std::uint32_t {
  Centre = 0x00,
  Start = 0x40,  // top of a horizontal taskbar, left of a vertical one
  End = 0x80,    // bottom, or right
};

// What the taskbar does with a window inserted with a kind.
enum class DockAnswer {
  Refused,     // 2 and 4
  Reparented,  // 1, 3 and 5: the taskbar becomes the window's parent
  Accepted,    // all others: the parent stays as it is
};

std::uint32_t MakeDockingMode(unsigned kind, DockAlignment alignment = DockAlignment::Centre);
unsigned DockingKind(std::uint32_t mode);
// Both alignment bits set reads as centred.
DockAlignment DockingAlignment(std::uint32_t mode);
DockAnswer DockAnswerForKind(unsigned kind);

// The mode the player docks with for its "Tray position" preference: 0 right of the Start button, 1 left of the
// notification area, 2 right of it. Out-of-range positions dock as 0 does.
std::uint32_t DockingModeForTrayPosition(int trayPosition);

}  // namespace nv
