#pragma once
// Reading and writing single preferences: values under the section "Preferences", or under one of its subsections
// ("Preferences\CDAudio"). Each preference is described once, with its key, default and range, and read with
// clamping, so that a value edited by hand can never leave its range.
#include <cstdint>
#include <string>
#include <string_view>

#include "support/RegIniFile.h"

namespace nv {

inline constexpr char kPreferencesSection[] = "Preferences";
// As min or max: no bound on that side.
inline constexpr std::int32_t kNoBound = 2147483647;

// "Preferences", or "Preferences\" + subsection.
std::string PreferenceSection(std::string_view subsection = {});

// The integer read with clamping: the stored value is raised to min and lowered to max.
std::int32_t ReadPreference(const TXRegIniFile& store, std::string_view ident, std::int32_t def, std::int32_t min,
                            std::int32_t max, std::string_view subsection = {});
// The integer read with bounds 0..1.
bool ReadPreferenceBool(const TXRegIniFile& store, std::string_view ident, bool def, std::string_view subsection = {});
void WritePreference(TXRegIniFile& store, std::string_view ident, std::int32_t value, std::string_view subsection = {});

// A preference described once: where it lives, its default and its range.
struct IntPreference {
  std::string_view subsection;
  std::string_view ident;
  std::int32_t def;
  std::int32_t min = kNoBound;
  std::int32_t max = kNoBound;
};
struct BoolPreference {
  std::string_view subsection;
  std::string_view ident;
  bool def;
};
// Stored as 0 or 1, where only 1 switches it on (anything else reads as off).
struct SwitchPreference {
  std::string_view subsection;
  std::string_view ident;
};
struct StringPreference {
  std::string_view subsection;
  std::string_view ident;
  std::string_view def;
};

std::int32_t Read(const TXRegIniFile& store, const IntPreference& p);
std::int32_t Read(const TXRegIniFile& store, const IntPreference& p, std::int32_t def);  // a default known at run time
bool Read(const TXRegIniFile& store, const BoolPreference& p);
bool Read(const TXRegIniFile& store, const SwitchPreference& p);
std::string Read(const TXRegIniFile& store, const StringPreference& p);
std::string Read(const TXRegIniFile& store, const StringPreference& p, std::string_view def);

void Write(TXRegIniFile& store, const IntPreference& p, std::int32_t value);
void Write(TXRegIniFile& store, const BoolPreference& p, bool value);
void Write(TXRegIniFile& store, const SwitchPreference& p, bool value);
void Write(TXRegIniFile& store, const StringPreference& p, std::string_view value);

}  // namespace nv
