#pragma once
// Applies the server's registry rows (shell/ServerRegistryTable.h) under HKEY_CLASSES_ROOT, and registers its type
// library with the system.
#include <windows.h>

#include <string>
#include <vector>

#include "shell/ServerRegistryTable.h"

namespace nv {

// Writes every value, creating keys as needed; `created` (when given) receives the keys that did not exist, in
// the order they were made. The first failure's HRESULT after trying them all, else S_OK.
HRESULT WriteClassesRootValues(const std::vector<RegistryValue>& values,
                               std::vector<std::u16string>* created = nullptr);
// Deletes the keys in order. A key that cannot be deleted (absent, still holding subkeys) stays, silently.
void RemoveClassesRootKeys(const std::vector<KeyRemoval>& keys);

// One class's rows, with the record of the keys they made (kCreatedKeysValue), and their removal.
HRESULT RegisterServerClass(const ServerClassEntry& entry, std::u16string_view modulePath);
void UnregisterServerClass(const ServerClassEntry& entry);

// The module's type library, registered from the module's file, and found under the neutral locale too.
HRESULT RegisterModuleTypeLibrary();
// Undoes RegisterModuleTypeLibrary. UnRegisterTypeLib is looked up in OLEAUT32.DLL and skipped when absent or
// when the library is not registered.
HRESULT UnregisterModuleTypeLibrary();

}  // namespace nv
