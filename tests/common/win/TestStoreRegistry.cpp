#include <windows.h>

#include "support/win/RegistryKeyValueStore.h"
#include "tests/common/TestStore.h"

namespace nv::test {

std::unique_ptr<KeyValueStore> OpenTestKeyValueStore() {
  return std::make_unique<RegistryKeyValueStore>(HKEY_CURRENT_USER);
}
std::string TestApplicationKey() { return "Software\\NorvaleTest-" + std::to_string(GetCurrentProcessId()); }

}  // namespace nv::test
