#pragma once
// Where the tests find the source tree (for committed data) and the build tree (for generated media).
#include <string>

namespace nv::test {

inline std::string SourceDir() { return NV_SOURCE_DIR; }
inline std::string BinaryDir() { return NV_BINARY_DIR; }
inline std::string TestDataDir() { return SourceDir() + "/tests/data"; }

}  // namespace nv::test
