#pragma once
// A tree of keys holding named text values, addressed by key paths with "\" between the names
// ("Software\Norvale\Preferences"). The current user's registry is one; MemoryKeyValueStore is another. Names and
// values are held text (ANSI or marked); names compare ignoring case.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nv {

class KeyValueStore {
public:
  virtual ~KeyValueStore() = default;

  // Nothing when the key or the value is missing. The empty name is the key's default value.
  virtual std::optional<std::string> ReadValue(std::string_view key, std::string_view name) const = 0;
  // Creates the key (and its parents) when missing.
  virtual void WriteValue(std::string_view key, std::string_view name, std::string_view value) = 0;
  virtual void DeleteValue(std::string_view key, std::string_view name) = 0;

  // False when the key could not be created.
  virtual bool CreateKey(std::string_view key) = 0;
  virtual bool KeyExists(std::string_view key) const = 0;
  // Deletes the key with everything below it; a missing key is fine.
  virtual void DeleteKey(std::string_view key) = 0;

  virtual std::vector<std::string> ValueNames(std::string_view key) const = 0;
  virtual std::vector<std::string> SubkeyNames(std::string_view key) const = 0;
};

}  // namespace nv
