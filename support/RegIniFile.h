#pragma once
// TXRegIniFile: an ini-style store of sections and values over a key-value store (the user's registry on Windows).
//
// A section is a key path below the application key ("Preferences\Equalizer"); the empty section is the application
// key itself, and a section that begins with "\" is a path from the root of the store (the registry's
// HKEY_CURRENT_USER). An ident is a value name; the empty ident is the key's default value. Every value is held as
// text (ValueText.h): integers in decimal, booleans "0"/"1", dates "d.mm.yyyy", floats with a point. A missing value,
// or one that does not parse, reads as the caller's default; a date that does not parse reads as kNoDate.
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/KeyValueStore.h"

namespace nv {

class TXRegIniFile {
public:
  // Opens (creating when missing) `applicationKey`, a path from the store's root such as "Software\Norvale".
  TXRegIniFile(std::unique_ptr<KeyValueStore> store, std::string applicationKey);
  TXRegIniFile(const TXRegIniFile&) = delete;
  TXRegIniFile& operator=(const TXRegIniFile&) = delete;

  const std::string& ApplicationKey() const { return applicationKey_; }

  std::string ReadString(std::string_view section, std::string_view ident, std::string_view def) const;
  void WriteString(std::string_view section, std::string_view ident, std::string_view value);

  std::int32_t ReadInteger(std::string_view section, std::string_view ident, std::int32_t def) const;
  void WriteInteger(std::string_view section, std::string_view ident, std::int32_t value);

  // Any integer other than 0 reads as true.
  bool ReadBool(std::string_view section, std::string_view ident, bool def) const;
  void WriteBool(std::string_view section, std::string_view ident, bool value);

  std::chrono::sys_days ReadDate(std::string_view section, std::string_view ident, std::chrono::sys_days def) const;
  void WriteDate(std::string_view section, std::string_view ident, std::chrono::sys_days value);

  double ReadFloat(std::string_view section, std::string_view ident, double def) const;
  void WriteFloat(std::string_view section, std::string_view ident, double value);

  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view ident) const;
  // The value names of a section, and the names of its subsections.
  std::vector<std::string> ReadSection(std::string_view section) const;
  std::vector<std::string> ReadSubsections(std::string_view section) const;
  // Every value of a section as {name, text}.
  std::vector<std::pair<std::string, std::string>> ReadSectionValues(std::string_view section) const;

  // Deletes the section with all its subsections.
  void EraseSection(std::string_view section);
  void DeleteValue(std::string_view section, std::string_view ident);

  // The store path of a section.
  std::string KeyOf(std::string_view section) const;

private:
  std::unique_ptr<KeyValueStore> store_;
  std::string applicationKey_;
};

}  // namespace nv
