#include "tests/common/win/RegistryDump.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "support/win/RegistryKey.h"

namespace nv::test {

namespace {

// The 64-bit view from either build: it holds the 64-bit server's classes, and the 32-bit view's keys below
// "Wow6432Node".
constexpr REGSAM kDumpAccess = KEY_READ | KEY_WOW64_64KEY;

std::wstring ValueText(DWORD type, const std::vector<BYTE>& data, DWORD size) {
  if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
  }
  std::wstring hex;
  for (DWORD i = 0; i < size; ++i) {
    wchar_t digits[4];
    wsprintfW(digits, L"%02x", data[i]);
    hex += digits;
  }
  return hex;
}

void DumpKey(HKEY key, const std::wstring& name, RegistryDump& dump) {
  dump.insert(name);
  DWORD subkeys = 0, longestSubkey = 0, values = 0, longestName = 0, longestData = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, &longestSubkey, nullptr, &values, &longestName,
                       &longestData, nullptr, nullptr) != ERROR_SUCCESS)
    return;
  std::vector<wchar_t> valueName(longestName + 2);
  std::vector<BYTE> data(longestData + 2);
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = static_cast<DWORD>(valueName.size()), size = static_cast<DWORD>(data.size()), type = 0;
    const LSTATUS status = RegEnumValueW(key, i, valueName.data(), &nameLength, nullptr, &type, data.data(), &size);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) continue;
    dump.insert(name + L"\t[" + std::wstring(valueName.data(), nameLength) + L"]\t" + std::to_wstring(type) + L"\t" +
                ValueText(type, data, size));
  }
  std::vector<wchar_t> subkeyName(longestSubkey + 2);
  std::vector<std::wstring> children;
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(subkeyName.size());
    const LSTATUS status = RegEnumKeyExW(key, i, subkeyName.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status == ERROR_SUCCESS) children.emplace_back(subkeyName.data(), length);
  }
  for (const std::wstring& child : children) {
    RegistryKey opened;
    if (RegOpenKeyExW(key, child.c_str(), 0, kDumpAccess, opened.Receive()) == ERROR_SUCCESS)
      DumpKey(opened.Get(), name.empty() ? child : name + L"\\" + child, dump);
  }
}

}  // namespace

RegistryDump DumpRegistry(HKEY root, const std::wstring& path) {
  RegistryDump dump;
  RegistryKey key;
  if (RegOpenKeyExW(root, path.c_str(), 0, kDumpAccess, key.Receive()) == ERROR_SUCCESS) DumpKey(key.Get(), path, dump);
  return dump;
}

RegistryDump Added(const RegistryDump& before, const RegistryDump& after) {
  RegistryDump added;
  std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                      std::inserter(added, added.begin()));
  return added;
}

}  // namespace nv::test
