#include "support/win/RegistryKeyValueStore.h"

#include "support/win/RegistryKey.h"
#include "support/win/WideText.h"
#include "support/win/Win32Error.h"

namespace nv {

namespace {

RegistryKey OpenKey(HKEY root, std::string_view key, REGSAM access) {
  RegistryKey opened;
  if (RegOpenKeyExW(root, MarkedToWide(key).c_str(), 0, access, opened.Receive()) != ERROR_SUCCESS) return {};
  return opened;
}

[[noreturn]] void RaiseWin32Error(LSTATUS status) { throw EWin32Error(status, SystemErrorMessage(status)); }

}  // namespace

std::optional<std::string> RegistryKeyValueStore::ReadValue(std::string_view key, std::string_view name) const {
  const RegistryKey opened = OpenKey(root_, key, KEY_QUERY_VALUE);
  if (!opened) return std::nullopt;
  const std::wstring valueName = MarkedToWide(name);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(opened.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  if (type == REG_DWORD) {
    DWORD number = 0;
    size = sizeof number;
    if (RegQueryValueExW(opened.Get(), valueName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&number),
                         &size) != ERROR_SUCCESS)
      return std::nullopt;
    return std::to_string(static_cast<std::int32_t>(number));
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  // The value may change between the two calls; try again while it grows.
  std::wstring text;
  LSTATUS status;
  do {
    text.resize(size / sizeof(wchar_t) + 1);
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    status = RegQueryValueExW(opened.Get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                              &size);
  } while (status == ERROR_MORE_DATA);
  if (status != ERROR_SUCCESS) return std::nullopt;
  text.resize(size / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return WideToMarked(text);
}

void RegistryKeyValueStore::WriteValue(std::string_view key, std::string_view name, std::string_view value) {
  RegistryKey opened;
  LSTATUS status = RegCreateKeyExW(root_, MarkedToWide(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                   opened.Receive(), nullptr);
  if (status != ERROR_SUCCESS) RaiseWin32Error(status);
  const std::wstring text = MarkedToWide(value);
  status = RegSetValueExW(opened.Get(), MarkedToWide(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  if (status != ERROR_SUCCESS) RaiseWin32Error(status);
}

void RegistryKeyValueStore::DeleteValue(std::string_view key, std::string_view name) {
  const RegistryKey opened = OpenKey(root_, key, KEY_SET_VALUE);
  if (opened) RegDeleteValueW(opened.Get(), MarkedToWide(name).c_str());
}

bool RegistryKeyValueStore::CreateKey(std::string_view key) {
  RegistryKey created;
  return RegCreateKeyExW(root_, MarkedToWide(key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, created.Receive(),
                         nullptr) == ERROR_SUCCESS;
}

bool RegistryKeyValueStore::KeyExists(std::string_view key) const {
  return static_cast<bool>(OpenKey(root_, key, KEY_READ));
}

void RegistryKeyValueStore::DeleteKey(std::string_view key) {
  const std::wstring path = MarkedToWide(key);
  // Never the root itself: an empty path would name it.
  if (path.find_first_not_of(L'\\') == std::wstring::npos) return;
  RegDeleteTreeW(root_, path.c_str());
}

std::vector<std::string> RegistryKeyValueStore::ValueNames(std::string_view key) const {
  std::vector<std::string> names;
  const RegistryKey opened = OpenKey(root_, key, KEY_QUERY_VALUE);
  if (!opened) return names;
  DWORD longest = 0;
  if (RegQueryInfoKeyW(opened.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest, nullptr,
                       nullptr, nullptr) != ERROR_SUCCESS)
    return names;
  std::wstring name(longest + 1, L'\0');
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(name.size());
    if (RegEnumValueW(opened.Get(), i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    names.push_back(WideToMarked(std::wstring_view(name.data(), length)));
  }
  return names;
}

std::vector<std::string> RegistryKeyValueStore::SubkeyNames(std::string_view key) const {
  std::vector<std::string> names;
  const RegistryKey opened = OpenKey(root_, key, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE);
  if (!opened) return names;
  wchar_t name[256];  // the longest a key name can be, with its terminator
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(std::size(name));
    if (RegEnumKeyExW(opened.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.push_back(WideToMarked(std::wstring_view(name, length)));
  }
  return names;
}

}  // namespace nv
