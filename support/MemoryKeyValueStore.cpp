#include "support/MemoryKeyValueStore.h"

#include <algorithm>

#include "support/TextCompare.h"

namespace nv {

namespace {

std::string Normalised(std::string_view key) {
  while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
  while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
  return std::string(key);
}

}  // namespace

bool MemoryKeyValueStore::NameLess::operator()(const std::string& a, const std::string& b) const {
  return LocaleCompare(a, b) < 0;
}

std::optional<std::string> MemoryKeyValueStore::ReadValue(std::string_view key, std::string_view name) const {
  const auto found = keys_.find(Normalised(key));
  if (found == keys_.end()) return std::nullopt;
  for (const auto& [n, value] : found->second)
    if (LocaleSameText(n, name)) return value;
  return std::nullopt;
}

void MemoryKeyValueStore::WriteValue(std::string_view key, std::string_view name, std::string_view value) {
  CreateKey(key);
  Values& values = keys_[Normalised(key)];
  for (auto& [n, v] : values) {
    if (LocaleSameText(n, name)) {
      v = value;
      return;
    }
  }
  values.emplace_back(name, value);
}

void MemoryKeyValueStore::DeleteValue(std::string_view key, std::string_view name) {
  const auto found = keys_.find(Normalised(key));
  if (found == keys_.end()) return;
  std::erase_if(found->second, [&](const auto& entry) { return LocaleSameText(entry.first, name); });
}

bool MemoryKeyValueStore::CreateKey(std::string_view key) {
  const std::string path = Normalised(key);
  for (std::size_t end = path.find('\\'); end != std::string::npos; end = path.find('\\', end + 1))
    keys_.try_emplace(path.substr(0, end));
  keys_.try_emplace(path);
  return true;
}

bool MemoryKeyValueStore::KeyExists(std::string_view key) const { return keys_.contains(Normalised(key)); }

void MemoryKeyValueStore::DeleteKey(std::string_view key) {
  const std::string path = Normalised(key);
  if (path.empty()) return;
  const std::string below = path + '\\';
  std::erase_if(keys_, [&](const auto& entry) {
    return LocaleSameText(entry.first, path) || LocaleStartsWith(entry.first, below);
  });
}

std::vector<std::string> MemoryKeyValueStore::ValueNames(std::string_view key) const {
  std::vector<std::string> names;
  const auto found = keys_.find(Normalised(key));
  if (found != keys_.end())
    for (const auto& entry : found->second) names.push_back(entry.first);
  return names;
}

std::vector<std::string> MemoryKeyValueStore::SubkeyNames(std::string_view key) const {
  const std::string path = Normalised(key);
  const std::string below = path.empty() ? std::string() : path + '\\';
  std::vector<std::string> names;
  for (const auto& entry : keys_) {
    if (entry.first.size() <= below.size() || !LocaleStartsWith(entry.first, below)) continue;
    const std::string rest = entry.first.substr(below.size());
    if (rest.find('\\') == std::string::npos) names.push_back(rest);
  }
  return names;
}

}  // namespace nv
