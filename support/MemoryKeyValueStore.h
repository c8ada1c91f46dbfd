#pragma once
// A key-value store in memory: the store of native builds and of tests. Behaves as the registry does: keys are
// created with their parents, names compare ignoring case, values keep the order they were first written in and
// subkeys are listed in name order.
#include <map>
#include <utility>

#include "support/KeyValueStore.h"

namespace nv {

class MemoryKeyValueStore final : public KeyValueStore {
public:
  std::optional<std::string> ReadValue(std::string_view key, std::string_view name) const override;
  void WriteValue(std::string_view key, std::string_view name, std::string_view value) override;
  void DeleteValue(std::string_view key, std::string_view name) override;
  bool CreateKey(std::string_view key) override;
  bool KeyExists(std::string_view key) const override;
  void DeleteKey(std::string_view key) override;
  std::vector<std::string> ValueNames(std::string_view key) const override;
  std::vector<std::string> SubkeyNames(std::string_view key) const override;

private:
  struct NameLess {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  using Values = std::vector<std::pair<std::string, std::string>>;

  std::map<std::string, Values, NameLess> keys_;  // by full path without leading or trailing "\"
};

}  // namespace nv
