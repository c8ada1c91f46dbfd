#pragma once
// What the player and the tray extension agree on across processes: the classes and interface of the COM server,
// the dispatch ids of the interface, the names the docking messages are registered under and the message base of
// the forwarded shell events. Other programs depend on none of it, but both sides must never drift apart.
#include <cstdint>

#include "support/Guid.h"

namespace nv {

inline constexpr Guid kTrayExtClassId = "{3350B1B8-0FB3-4C57-AABD-9C0F5C914410}"_guid;
inline constexpr Guid kTrayExtInterfaceId = "{07AD0995-CA55-48F8-9FE3-4E1F10BB8CFC}"_guid;
inline constexpr Guid kContextMenuClassId = "{11CD2A0E-1225-193C-1989-000000000000}"_guid;
inline constexpr Guid kTrayExtLibraryId = "{717943C4-AD3E-4242-B20C-25D41B5D0910}"_guid;

// Dispatch ids of the tray extension's interface, in its vtable order.
inline constexpr std::int32_t kDispidGetMessages = 1;
inline constexpr std::int32_t kDispidRegisterShellHook = 2;
inline constexpr std::int32_t kDispidDeregisterShellHook = 3;

// RegisterWindowMessage names of the two docking requests the player sends to the taskbar window.
inline constexpr wchar_t kInsertMessageName[] = L"{6F1D3DD1-68C9-43E4-A0D8-70446504397B}";
inline constexpr wchar_t kRemoveMessageName[] = L"{6F1D3DD2-68C9-43E4-A0D8-70446504397B}";

// Shell events reach the player's window as this base plus the hook code (WM_USER + 120; + 12 is an application
// command, + 4 a window activation).
inline constexpr std::uint32_t kShellHookMessageBase = 0x0400 + 120;

}  // namespace nv
