#include "shell/win/ServerRegistration.h"

#include <oleauto.h>

#include "shell/win/XComModule.h"
#include "shell/win/XComObjectFactory.h"
#include "support/win/RegistryKey.h"
#include "support/win/WideText.h"
#include "support/win/WinGuid.h"

namespace nv {

namespace {

// The platform word of the type library's registration for this build of the module.
constexpr std::u16string_view kPlatform = sizeof(void*) == 8 ? u"win64" : u"win32";

bool KeyIsEmpty(HKEY parent, const std::wstring& path) {
  RegistryKey key;
  if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return false;
  DWORD subkeys = 0, values = 0;
  if (RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                       nullptr, nullptr) != ERROR_SUCCESS)
    return false;
  return subkeys == 0 && values == 0;
}

// Opens `path` below HKEY_CLASSES_ROOT for setting values, creating it one level at a time so that every key that
// had to be made is known.
LSTATUS CreateClassesRootKey(const std::u16string& path, RegistryKey& key, std::vector<std::u16string>* created) {
  HKEY parent = HKEY_CLASSES_ROOT;
  RegistryKey level;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = path.find(u'\\', start);
    const std::wstring name = ToWide(std::u16string_view(path).substr(start, end - start));
    RegistryKey child;
    DWORD disposition = 0;
    const LSTATUS status = RegCreateKeyExW(parent, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_SET_VALUE | KEY_CREATE_SUB_KEY, nullptr, child.Receive(), &disposition);
    if (status != ERROR_SUCCESS) return status;
    if (disposition == REG_CREATED_NEW_KEY && created) created->push_back(path.substr(0, end));
    level = std::move(child);
    parent = level.Get();
    if (end == std::u16string::npos) break;
    start = end + 1;
  }
  key = std::move(level);
  return ERROR_SUCCESS;
}

LSTATUS SetText(HKEY key, const std::wstring& name, DWORD type, const std::wstring& data) {
  return RegSetValueExW(key, name.empty() ? nullptr : name.c_str(), 0, type,
                        reinterpret_cast<const BYTE*>(data.c_str()),
                        static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

std::vector<std::u16string> ReadCreatedKeys(const Guid& classId) {
  const std::wstring key = ToWide(ClassKey(classId)), name = ToWide(kCreatedKeysValue);
  DWORD size = 0;
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name.c_str(), RRF_RT_REG_MULTI_SZ, nullptr, nullptr, &size) !=
      ERROR_SUCCESS)
    return {};
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name.c_str(), RRF_RT_REG_MULTI_SZ, nullptr, text.data(), &size) !=
      ERROR_SUCCESS)
    return {};
  std::vector<std::u16string> keys;
  for (const wchar_t* item = text.c_str(); *item != L'\0'; item += wcslen(item) + 1) keys.push_back(ToUtf16(item));
  return keys;
}

HRESULT WriteCreatedKeys(const Guid& classId, const std::vector<std::u16string>& keys) {
  RegistryKey classKey;
  LSTATUS status = CreateClassesRootKey(ClassKey(classId), classKey, nullptr);
  if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
  std::wstring list;
  for (const std::u16string& key : keys) list += ToWide(key) + L'\0';
  status = SetText(classKey.Get(), ToWide(kCreatedKeysValue), REG_MULTI_SZ, list);
  return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

}  // namespace

HRESULT WriteClassesRootValues(const std::vector<RegistryValue>& values, std::vector<std::u16string>* created) {
  HRESULT first = S_OK;
  for (const RegistryValue& value : values) {
    RegistryKey key;
    LSTATUS status = CreateClassesRootKey(value.key, key, created);
    if (status == ERROR_SUCCESS) status = SetText(key.Get(), ToWide(value.name), REG_SZ, ToWide(value.data));
    if (status != ERROR_SUCCESS && SUCCEEDED(first)) first = HRESULT_FROM_WIN32(status);
  }
  return first;
}

HRESULT RegisterServerClass(const ServerClassEntry& entry, std::u16string_view modulePath) {
  std::vector<std::u16string> created;
  const HRESULT written = WriteClassesRootValues(RegistrationValues(entry, modulePath), &created);
  const std::vector<std::u16string> record = KeysToRecord(entry, ReadCreatedKeys(entry.classId), created);
  const HRESULT recorded = record.empty() ? S_OK : WriteCreatedKeys(entry.classId, record);
  return FAILED(written) ? written : recorded;
}

void UnregisterServerClass(const ServerClassEntry& entry) {
  const std::vector<std::u16string> record = ReadCreatedKeys(entry.classId);
  RemoveClassesRootKeys(UnregistrationKeys(entry));
  RemoveClassesRootKeys(RecordedKeyRemovals(record));
}

void RemoveClassesRootKeys(const std::vector<KeyRemoval>& keys) {
  for (const KeyRemoval& removal : keys) {
    const std::wstring path = ToWide(removal.key);
    if (removal.onlyWhenEmpty && !KeyIsEmpty(HKEY_CLASSES_ROOT, path)) continue;
    RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
  }
}

HRESULT RegisterModuleTypeLibrary() {
  try {
    std::wstring path = ComModuleFileName();
    OleCheck(RegisterTypeLib(&ComModuleTypeLibrary(), path.data(), nullptr));
    return WriteClassesRootValues(ExtraTypeLibraryValues(ModuleTypeLibraryVersion(), kPlatform, ToUtf16(path)));
  } catch (...) {
    return HResultFromCurrentException();
  }
}

HRESULT UnregisterModuleTypeLibrary() {
  try {
    const TypeLibraryVersion version = ModuleTypeLibraryVersion();
    RemoveClassesRootKeys(ExtraTypeLibraryKeys(version, kPlatform));

    using UnRegisterTypeLibFunction = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);
    const HMODULE automation = GetModuleHandleW(L"OLEAUT32.DLL");
    const auto unregister = automation ? reinterpret_cast<UnRegisterTypeLibFunction>(
                                             reinterpret_cast<void*>(GetProcAddress(automation, "UnRegisterTypeLib")))
                                       : nullptr;
    if (unregister == nullptr) return S_OK;

    ITypeLib& library = ComModuleTypeLibrary();
    TLIBATTR* attributes = nullptr;
    OleCheck(library.GetLibAttr(&attributes));
    const TLIBATTR held = *attributes;
    library.ReleaseTLibAttr(attributes);
    RegistryKey registered;  // unregistering an unregistered library is no failure
    const std::wstring libraryKey = L"TypeLib\\" + ToWide(RegistryGuid(version.libraryId));
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, libraryKey.c_str(), 0, KEY_READ, registered.Receive()) != ERROR_SUCCESS)
      return S_OK;
    return unregister(held.guid, held.wMajorVerNum, held.wMinorVerNum, held.lcid, held.syskind);
  } catch (...) {
    return HResultFromCurrentException();
  }
}

}  // namespace nv
