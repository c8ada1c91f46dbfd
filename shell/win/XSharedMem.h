#pragma once
// The settings of the shell hook, shared by every process the hook runs in: a small named block of memory. The
// tray extension's object writes it (in the COM surrogate); the hook procedure reads it wherever the system calls
// it. Only the current user may open the block, and processes that only read it map it read-only, so no other
// program can aim the hook at a window of its choosing.
#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace nv {

inline constexpr wchar_t kShellHookBlockName[] = L"{43AF50B2-1F44-470d-B176-63ABDC3310C0}";

// The block's layout, the same in every 64-bit process. Each field is one machine word, written one at a time;
// a reader may see a stale value for one notification.
struct ShellHookBlock {
  std::uint64_t hook;          // the installed shell hook, 0 when none
  std::uint64_t target;        // the window shell events go to, 0 when none
  std::uint32_t messageBase;   // the events arrive as this plus the hook code
  std::uint32_t reserved;
};
static_assert(sizeof(ShellHookBlock) == 24);
static_assert(offsetof(ShellHookBlock, hook) == 0);
static_assert(offsetof(ShellHookBlock, target) == 8);
static_assert(offsetof(ShellHookBlock, messageBase) == 16);
static_assert(offsetof(ShellHookBlock, reserved) == 20);

// The block to write, created when it does not exist yet; null when it cannot be had.
ShellHookBlock* WritableShellHookBlock();
// The block to read, opened read-only; null while no process has created it.
const ShellHookBlock* ReadableShellHookBlock();
// Unmaps and closes what this process holds (the module is being unloaded).
void CloseShellHookBlock();

std::uint64_t ReadField(const std::uint64_t& field);
std::uint32_t ReadField(const std::uint32_t& field);
void WriteField(std::uint64_t& field, std::uint64_t value);
void WriteField(std::uint32_t& field, std::uint32_t value);

}  // namespace nv
