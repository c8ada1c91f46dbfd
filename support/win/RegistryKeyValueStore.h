#pragma once
// The key-value store over one registry root (the current user's, for the preferences). Values are written as
// REG_SZ; REG_EXPAND_SZ values read as their text and REG_DWORD values as decimal text, other types as missing.
#include <windows.h>

#include "support/KeyValueStore.h"

namespace nv {

class RegistryKeyValueStore final : public KeyValueStore {
public:
  explicit RegistryKeyValueStore(HKEY root = HKEY_CURRENT_USER) : root_(root) {}

  std::optional<std::string> ReadValue(std::string_view key, std::string_view name) const override;
  // Raises EWin32Error when the value cannot be written.
  void WriteValue(std::string_view key, std::string_view name, std::string_view value) override;
  void DeleteValue(std::string_view key, std::string_view name) override;
  bool CreateKey(std::string_view key) override;
  bool KeyExists(std::string_view key) const override;
  void DeleteKey(std::string_view key) override;
  std::vector<std::string> ValueNames(std::string_view key) const override;
  std::vector<std::string> SubkeyNames(std::string_view key) const override;

private:
  HKEY root_;
};

}  // namespace nv
