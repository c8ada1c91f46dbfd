#pragma once
// The store the portable store tests run against: memory natively, the user's registry under Wine. Each test
// process works under its own key, so that runs in parallel do not meet.
#include <memory>
#include <string>

#include "support/KeyValueStore.h"

namespace nv::test {

std::unique_ptr<KeyValueStore> OpenTestKeyValueStore();
// "Software\NorvaleTest-<process id>": a key of this process alone.
std::string TestApplicationKey();

}  // namespace nv::test
