#include "app/PreferenceAccess.h"

namespace nv {

std::string PreferenceSection(std::string_view subsection) {
  std::string section = kPreferencesSection;
  if (!subsection.empty()) section.append("\\").append(subsection);
  return section;
}

std::int32_t ReadPreference(const TXRegIniFile& store, std::string_view ident, std::int32_t def, std::int32_t min,
                            std::int32_t max, std::string_view subsection) {
  std::int32_t value = store.ReadInteger(PreferenceSection(subsection), ident, def);
  if (min != kNoBound && value < min) value = min;
  if (max != kNoBound && value > max) value = max;
  return value;
}

bool ReadPreferenceBool(const TXRegIniFile& store, std::string_view ident, bool def, std::string_view subsection) {
  return ReadPreference(store, ident, def ? 1 : 0, 0, 1, subsection) != 0;
}

void WritePreference(TXRegIniFile& store, std::string_view ident, std::int32_t value, std::string_view subsection) {
  store.WriteInteger(PreferenceSection(subsection), ident, value);
}

std::int32_t Read(const TXRegIniFile& store, const IntPreference& p) { return Read(store, p, p.def); }

std::int32_t Read(const TXRegIniFile& store, const IntPreference& p, std::int32_t def) {
  return ReadPreference(store, p.ident, def, p.min, p.max, p.subsection);
}

bool Read(const TXRegIniFile& store, const BoolPreference& p) {
  return ReadPreferenceBool(store, p.ident, p.def, p.subsection);
}

bool Read(const TXRegIniFile& store, const SwitchPreference& p) {
  return store.ReadInteger(PreferenceSection(p.subsection), p.ident, 0) == 1;
}

std::string Read(const TXRegIniFile& store, const StringPreference& p) { return Read(store, p, p.def); }

std::string Read(const TXRegIniFile& store, const StringPreference& p, std::string_view def) {
  return store.ReadString(PreferenceSection(p.subsection), p.ident, def);
}

void Write(TXRegIniFile& store, const IntPreference& p, std::int32_t value) {
  WritePreference(store, p.ident, value, p.subsection);
}

void Write(TXRegIniFile& store, const BoolPreference& p, bool value) {
  WritePreference(store, p.ident, value ? 1 : 0, p.subsection);
}

void Write(TXRegIniFile& store, const SwitchPreference& p, bool value) {
  WritePreference(store, p.ident, value ? 1 : 0, p.subsection);
}

void Write(TXRegIniFile& store, const StringPreference& p, std::string_view value) {
  store.WriteString(PreferenceSection(p.subsection), p.ident, value);
}

}  // namespace nv
