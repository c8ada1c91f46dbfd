#pragma once
// Window handles cross the tray extension's interface as unsigned 32-bit values (the interface is shared by 32-bit
// and 64-bit programs). A handle is a sign-extended 32-bit value on 64-bit Windows, so the 64-bit side must extend
// the sign again: 0xFFFF1234 is the handle 0xFFFFFFFFFFFF1234, not 0x00000000FFFF1234.
#include <cstdint>

namespace nv {

constexpr std::uint32_t WindowToWire(std::uintptr_t window) { return static_cast<std::uint32_t>(window); }

constexpr std::uintptr_t WindowFromWire(std::uint32_t value) {
  return static_cast<std::uintptr_t>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}

}  // namespace nv
