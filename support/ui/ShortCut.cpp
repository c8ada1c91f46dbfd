#include "support/ui/ShortCut.h"

namespace nv {

namespace {

struct NamedKey {
  std::uint16_t key;
  const char16_t* name;
};

// Keys whose names are words, and the numeric keypad (virtual-key codes of the system).
constexpr NamedKey kNamedKeys[] = {
    {0x08, u"BkSp"},   {0x09, u"Tab"},    {0x0D, u"Enter"},  {0x1B, u"Esc"},    {0x20, u"Space"},
    {0x21, u"PgUp"},   {0x22, u"PgDn"},   {0x23, u"End"},    {0x24, u"Home"},   {0x25, u"Left"},
    {0x26, u"Up"},     {0x27, u"Right"},  {0x28, u"Down"},   {0x2D, u"Ins"},    {0x2E, u"Del"},
    {0x6A, u"Num *"},  {0x6B, u"Num +"},  {0x6D, u"Num -"},  {0x6E, u"Num Del"}, {0x6F, u"Num /"},
    {0xBA, u";"},      {0xBB, u"="},      {0xBC, u","},      {0xBD, u"-"},      {0xBE, u"."},
    {0xBF, u"/"},      {0xC0, u"`"},      {0xDB, u"["},      {0xDC, u"\\"},     {0xDD, u"]"},
    {0xDE, u"'"},
};

std::u16string Decimal(int number) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), char16_t(u'0' + number % 10));
    number /= 10;
  } while (number > 0);
  return digits;
}

std::u16string Joined(ShortCut shortCut, std::initializer_list<std::pair<std::uint8_t, const char16_t*>> order) {
  const std::u16string key = KeyName(shortCut.key);
  if (key.empty()) return {};
  std::u16string text;
  for (const auto& [bit, prefix] : order)
    if (shortCut.modifiers & bit) text += prefix;
  return text + key;
}

}  // namespace

std::u16string KeyName(std::uint16_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::u16string(1, char16_t(key));
  if (key >= 0x60 && key <= 0x69) return u"Num " + std::u16string(1, char16_t(u'0' + key - 0x60));
  if (key >= 0x70 && key <= 0x87) return u"F" + Decimal(key - 0x70 + 1);  // F1..F24
  for (const NamedKey& named : kNamedKeys)
    if (named.key == key) return named.name;
  return {};
}

std::u16string ShortCutText(ShortCut shortCut) {
  return Joined(shortCut, {{kModShift, u"Shift+"}, {kModCtrl, u"Ctrl+"}, {kModAlt, u"Alt+"}, {kModWin, u"Win+"}});
}

std::u16string HotKeyText(ShortCut hotKey) {
  return Joined(hotKey, {{kModShift, u"Shift + "}, {kModWin, u"Win + "}, {kModAlt, u"Alt + "}, {kModCtrl, u"Ctrl + "}});
}

}  // namespace nv
