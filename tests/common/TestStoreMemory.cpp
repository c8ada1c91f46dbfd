#include <unistd.h>

#include "support/MemoryKeyValueStore.h"
#include "tests/common/TestStore.h"

namespace nv::test {

std::unique_ptr<KeyValueStore> OpenTestKeyValueStore() { return std::make_unique<MemoryKeyValueStore>(); }
std::string TestApplicationKey() { return "Software\\NorvaleTest-" + std::to_string(getpid()); }

}  // namespace nv::test
