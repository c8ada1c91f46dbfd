#pragma once
// The generated test media (tests/metadata/fixtures/make_fixtures.py, run at build time), by file name, as a path
// the program can open on this platform.
#include <string>
#include <string_view>

#ifdef _WIN32
#include "tests/common/win/WineTestEnv.h"
#endif

namespace nv::test {

inline std::string FixturePath(std::string_view name) {
  const std::string unixPath = std::string(NV_METADATA_FIXTURES) + "/" + std::string(name);
#ifdef _WIN32
  return UnixToWindowsPathA(unixPath);
#else
  return unixPath;
#endif
}

}  // namespace nv::test
