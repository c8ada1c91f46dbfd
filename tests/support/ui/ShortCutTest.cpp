// The texts menus show for short-cuts and hot keys.
#include <gtest/gtest.h>

#include "support/ui/ShortCut.h"

namespace nv {
namespace {

struct KeyCase {
  ShortCut keys;
  const char16_t* shortCut;  // as an action's short-cut
  const char16_t* hotKey;    // as a global hot key
};

TEST(ShortCut, TextsOfTheKeysThePlayerUses) {
  const KeyCase cases[] = {
      {{0x20, kModWin}, u"Win+Space", u"Win + Space"},
      {{0x1B, kModWin}, u"Win+Esc", u"Win + Esc"},
      {{0x26, kModWin}, u"Win+Up", u"Win + Up"},
      {{0x6B, kModWin}, u"Win+Num +", u"Win + Num +"},
      {{0x6D, kModWin}, u"Win+Num -", u"Win + Num -"},
      {{0x6A, kModWin}, u"Win+Num *", u"Win + Num *"},
      {{0x2D, kModWin}, u"Win+Ins", u"Win + Ins"},
      {{'A', kModCtrl}, u"Ctrl+A", u"Ctrl + A"},
      {{0x0D, kModAlt}, u"Alt+Enter", u"Alt + Enter"},
      {{0x0D, 0}, u"Enter", u"Enter"},
      {{0x2E, 0}, u"Del", u"Del"},
      {{0x74, 0}, u"F5", u"F5"},
      {{0x7B, kModShift}, u"Shift+F12", u"Shift + F12"},
      {{'7', kModCtrl | kModShift}, u"Shift+Ctrl+7", u"Shift + Ctrl + 7"},
      // The hot-key order is Shift, Win, Alt, Ctrl; the short-cut order Shift, Ctrl, Alt, Win.
      {{0x63, kModCtrl | kModAlt | kModShift | kModWin}, u"Shift+Ctrl+Alt+Win+Num 3", u"Shift + Win + Alt + Ctrl + Num 3"},
      {{0, kModWin}, u"", u""},
      {{0xE5, kModCtrl}, u"", u""},  // a key without a name: no text at all
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << c.keys.key << " modifiers " << int(c.keys.modifiers));
    EXPECT_EQ(ShortCutText(c.keys), c.shortCut);
    EXPECT_EQ(HotKeyText(c.keys), c.hotKey);
  }
}

}  // namespace
}  // namespace nv
