#include "engine/win/FriendlyFilterName.h"

#include <objbase.h>

#include <algorithm>

#include "engine/EngineConstants.h"
#include "support/win/RegistryKey.h"
#include "support/win/WinGuid.h"

namespace nv {

namespace {

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

// A string value of a key below HKEY_CLASSES_ROOT; empty when the key or the value is missing or not text.
std::wstring ClassesRootText(const std::wstring& keyPath, const wchar_t* valueName) {
  RegistryKey key;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS) return {};
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key.Get(), valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ) || size < sizeof(wchar_t))
    return {};
  std::wstring text(size / sizeof(wchar_t), L'\0');
  if (RegQueryValueExW(key.Get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
      ERROR_SUCCESS)
    return {};
  text.resize(std::min<std::size_t>(text.size(), size / sizeof(wchar_t)));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

}  // namespace

std::wstring FriendlyFilterName(const CLSID& clsid) {
  if (clsid == CLSID_NULL) return {};
  const std::wstring clsidText = GuidText(clsid);
  std::wstring name = ClassesRootText(L"CLSID\\" + GuidText(ToWinGuid(kLegacyFilterCategory)) + L"\\Instance\\" +
                                          clsidText,
                                      L"FriendlyName");
  if (name.empty()) name = ClassesRootText(L"CLSID\\" + clsidText, nullptr);
  return name.empty() ? clsidText : name;
}

}  // namespace nv
