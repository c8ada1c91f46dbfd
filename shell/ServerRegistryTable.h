#pragma once
// The registry entries of the COM server, as data: what registering one creatable class writes under
// HKEY_CLASSES_ROOT, in the order it is written, and the keys unregistering it deletes, in the order they are
// deleted. The Windows layer applies them (shell/win/ServerRegistration.h).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/Guid.h"

namespace nv {

enum class ThreadingModel { Single, Apartment, Free, Both };

// The word written as "ThreadingModel"; none for the single-threaded model, which writes no value.
std::optional<std::u16string> ThreadingModelWord(ThreadingModel model);

struct TypeLibraryVersion {
  Guid libraryId;
  unsigned major = 1, minor = 0;
  unsigned locale = 0;  // the library's own, under which the system's registration writes it
};

// One creatable class of the server as its factory registers it.
struct ServerClassEntry {
  Guid classId;
  std::u16string description;
  ThreadingModel threadingModel = ThreadingModel::Single;
  bool internal = false;                          // not registered at all
  std::optional<TypeLibraryVersion> typeLibrary;  // classes described by the type library
  bool runsInSurrogate = false;                   // an AppID of the same id names the system's COM surrogate
  std::u16string shellFileTypes;                  // a context-menu handler's types, ";"-separated
};

// A REG_SZ value; an empty name is the key's default value.
struct RegistryValue {
  std::u16string key;
  std::u16string name;
  std::u16string data;
  bool operator==(const RegistryValue&) const = default;
};

struct KeyRemoval {
  std::u16string key;
  bool onlyWhenEmpty = false;  // a key others may share: deleted only when nothing is left in it
  bool operator==(const KeyRemoval&) const = default;
};

// Registration records, in this REG_MULTI_SZ value of the class key, the keys it had to create that unregistering
// does not delete by name (a "Directory\shellex\ContextMenuHandlers" the system did not have yet, say), so that
// unregistering leaves the registry as registration found it.
inline constexpr char16_t kCreatedKeysValue[] = u"CreatedKeys";

// The braced registry form of a GUID.
std::u16string RegistryGuid(const Guid& guid);

// The file-type list split at ";"; empty entries are skipped.
std::vector<std::u16string> SplitFileTypes(std::u16string_view list);

std::vector<RegistryValue> RegistrationValues(const ServerClassEntry& entry, std::u16string_view modulePath);
std::vector<KeyRemoval> UnregistrationKeys(const ServerClassEntry& entry);

// The class key, where the record of created keys is kept.
std::u16string ClassKey(const Guid& classId);
// What to record after a registration created `created`: the earlier record and the new keys that unregistering
// does not delete by name, each once.
std::vector<std::u16string> KeysToRecord(const ServerClassEntry& entry, const std::vector<std::u16string>& recorded,
                                         const std::vector<std::u16string>& created);
// The recorded keys to remove after the class's own, deepest first, each only when nothing is left in it.
std::vector<KeyRemoval> RecordedKeyRemovals(std::vector<std::u16string> recorded);

// The type library's entries besides the one the system's registration writes (the library's own locale, the
// module's platform): the path under the neutral locale (0), the only one the type-library marshaller of Wine looks
// at, and — for a 64-bit module — "win32" entries under both locales, since a 32-bit client's marshaller looks only
// for those and the shipping player, which reaches the server through the surrogate, is 32-bit. Removed again
// before the library itself is unregistered.
std::vector<RegistryValue> ExtraTypeLibraryValues(const TypeLibraryVersion& library, std::u16string_view platform,
                                                  std::u16string_view modulePath);
std::vector<KeyRemoval> ExtraTypeLibraryKeys(const TypeLibraryVersion& library, std::u16string_view platform);

}  // namespace nv
