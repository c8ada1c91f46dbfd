#include "shell/ServerRegistryTable.h"

#include <algorithm>
#include <string>

namespace nv {

namespace {

std::u16string Decimal(unsigned value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string Hex(unsigned value) {
  static constexpr char16_t kDigits[] = u"0123456789abcdef";
  std::u16string text;
  do {
    text.insert(text.begin(), kDigits[value % 16]);
    value /= 16;
  } while (value != 0);
  return text;
}

// "TypeLib\{libid}\<major>.<minor>" with the version in hexadecimal, as the system names type library keys.
std::u16string TypeLibraryVersionKey(const TypeLibraryVersion& library) {
  return u"TypeLib\\" + RegistryGuid(library.libraryId) + u"\\" + Hex(library.major) + u"." + Hex(library.minor);
}

std::u16string ContextMenuHandlerKey(std::u16string_view type, std::u16string_view description) {
  return std::u16string(type) + u"\\shellex\\ContextMenuHandlers\\" + std::u16string(description);
}

}  // namespace

std::u16string ClassKey(const Guid& classId) { return u"CLSID\\" + RegistryGuid(classId); }

std::optional<std::u16string> ThreadingModelWord(ThreadingModel model) {
  switch (model) {
    case ThreadingModel::Apartment: return u"Apartment";
    case ThreadingModel::Free: return u"Free";
    case ThreadingModel::Both: return u"Both";
    case ThreadingModel::Single: break;
  }
  return std::nullopt;
}

std::u16string RegistryGuid(const Guid& guid) {
  const std::string text = FormatGuid(guid);
  return std::u16string(text.begin(), text.end());
}

std::vector<std::u16string> SplitFileTypes(std::u16string_view list) {
  std::vector<std::u16string> types;
  while (!list.empty()) {
    const std::size_t end = list.find(u';');
    const std::u16string_view item = list.substr(0, end);
    if (!item.empty()) types.emplace_back(item);
    if (end == std::u16string_view::npos) break;
    list.remove_prefix(end + 1);
  }
  return types;
}

std::vector<RegistryValue> RegistrationValues(const ServerClassEntry& entry, std::u16string_view modulePath) {
  std::vector<RegistryValue> values;
  if (entry.internal) return values;
  const std::u16string classKey = ClassKey(entry.classId);
  const std::u16string classId = RegistryGuid(entry.classId);

  values.push_back({classKey, u"", entry.description});
  values.push_back({classKey + u"\\InprocServer32", u"", std::u16string(modulePath)});
  if (const auto word = ThreadingModelWord(entry.threadingModel))
    values.push_back({classKey + u"\\InprocServer32", u"ThreadingModel", *word});
  if (entry.typeLibrary) {
    values.push_back({classKey + u"\\Version", u"",
                      Decimal(entry.typeLibrary->major) + u"." + Decimal(entry.typeLibrary->minor)});
    values.push_back({classKey + u"\\TypeLib", u"", RegistryGuid(entry.typeLibrary->libraryId)});
  }
  if (entry.runsInSurrogate) {
    values.push_back({classKey, u"AppID", classId});
    values.push_back({u"AppID\\" + classId, u"", entry.description});
    // Empty: the system's default surrogate.
    values.push_back({u"AppID\\" + classId, u"DllSurrogate", u""});
  }
  const std::vector<std::u16string> types = SplitFileTypes(entry.shellFileTypes);
  for (const std::u16string& type : types)
    values.push_back({ContextMenuHandlerKey(type, entry.description), u"", classId});
  if (!types.empty()) values.push_back({classKey + u"\\shellex\\MayChangeDefaultMenu", u"", u""});
  return values;
}

std::vector<KeyRemoval> UnregistrationKeys(const ServerClassEntry& entry) {
  std::vector<KeyRemoval> keys;
  if (entry.internal) return keys;
  const std::u16string classKey = ClassKey(entry.classId);
  const std::vector<std::u16string> types = SplitFileTypes(entry.shellFileTypes);

  if (entry.typeLibrary) {
    keys.push_back({classKey + u"\\TypeLib"});
    keys.push_back({classKey + u"\\Version"});
  }
  keys.push_back({classKey + u"\\InprocServer32"});
  if (!types.empty()) {
    keys.push_back({classKey + u"\\shellex\\MayChangeDefaultMenu"});
    keys.push_back({classKey + u"\\shellex"});
  }
  keys.push_back({classKey});
  if (entry.runsInSurrogate) keys.push_back({u"AppID\\" + RegistryGuid(entry.classId)});
  for (const std::u16string& type : types) keys.push_back({ContextMenuHandlerKey(type, entry.description)});
  return keys;
}

std::vector<std::u16string> KeysToRecord(const ServerClassEntry& entry, const std::vector<std::u16string>& recorded,
                                         const std::vector<std::u16string>& created) {
  const std::vector<KeyRemoval> named = UnregistrationKeys(entry);
  std::vector<std::u16string> keys = recorded;
  for (const std::u16string& key : created) {
    const bool deletedByName =
        std::any_of(named.begin(), named.end(), [&](const KeyRemoval& removal) { return removal.key == key; });
    if (!deletedByName && std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
  }
  return keys;
}

std::vector<KeyRemoval> RecordedKeyRemovals(std::vector<std::u16string> recorded) {
  const auto depth = [](const std::u16string& key) { return std::count(key.begin(), key.end(), u'\\'); };
  std::stable_sort(recorded.begin(), recorded.end(),
                   [&](const std::u16string& a, const std::u16string& b) { return depth(a) > depth(b); });
  std::vector<KeyRemoval> removals;
  for (std::u16string& key : recorded) removals.push_back({std::move(key), true});
  return removals;
}

namespace {

// "<locale>\<platform>" below the version key of every entry that ExtraTypeLibraryValues adds, in writing order.
std::vector<std::u16string> ExtraTypeLibraryEntries(const TypeLibraryVersion& library, std::u16string_view platform) {
  std::vector<std::u16string> entries{u"0\\" + std::u16string(platform)};
  if (platform == u"win64") {
    entries.push_back(u"0\\win32");
    if (library.locale != 0) entries.push_back(Hex(library.locale) + u"\\win32");
  }
  return entries;
}

}  // namespace

std::vector<RegistryValue> ExtraTypeLibraryValues(const TypeLibraryVersion& library, std::u16string_view platform,
                                                  std::u16string_view modulePath) {
  std::vector<RegistryValue> values;
  for (const std::u16string& entry : ExtraTypeLibraryEntries(library, platform))
    values.push_back({TypeLibraryVersionKey(library) + u"\\" + entry, u"", std::u16string(modulePath)});
  return values;
}

std::vector<KeyRemoval> ExtraTypeLibraryKeys(const TypeLibraryVersion& library, std::u16string_view platform) {
  std::vector<std::u16string> entries = ExtraTypeLibraryEntries(library, platform);
  std::reverse(entries.begin(), entries.end());
  std::vector<KeyRemoval> keys;
  for (const std::u16string& entry : entries) keys.push_back({TypeLibraryVersionKey(library) + u"\\" + entry});
  // The library's own locale key goes with the system's unregistration.
  keys.push_back({TypeLibraryVersionKey(library) + u"\\0", true});
  return keys;
}

}  // namespace nv
