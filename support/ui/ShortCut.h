#pragma once
// Keys with modifiers: the short-cuts of actions ("Ctrl+A", "Alt+Enter") and the global hot keys ("Win + Space"),
// and the texts that menus show for them. Keys are the system's virtual-key codes; the modifier bits are the
// system's hot-key bits.
#include <cstdint>
#include <string>

namespace nv {

inline constexpr std::uint8_t kModAlt = 1;
inline constexpr std::uint8_t kModCtrl = 2;
inline constexpr std::uint8_t kModShift = 4;
inline constexpr std::uint8_t kModWin = 8;

struct ShortCut {
  std::uint16_t key = 0;  // 0: none
  std::uint8_t modifiers = 0;

  constexpr bool IsNone() const { return key == 0; }
  friend bool operator==(const ShortCut&, const ShortCut&) = default;
};

// The name of a key as menus show it ("Space", "Esc", "Up", "Num +", "A", "F5"); empty for a key without one.
std::u16string KeyName(std::uint16_t key);

// An action's short-cut as a menu's short-cut column shows it: "Shift+", "Ctrl+", "Alt+" in this order, then the
// key ("Ctrl+A", "Shift+Enter"); empty for none or a key without a name.
std::u16string ShortCutText(ShortCut shortCut);

// A global hot key as the player's menus show it: "Shift + ", "Win + ", "Alt + ", "Ctrl + " in this order for the
// modifiers present, then the key ("Win + Space"); empty for a key without a name.
std::u16string HotKeyText(ShortCut hotKey);

}  // namespace nv
