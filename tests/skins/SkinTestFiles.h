#pragma once
// Files the skin tests are given by the build, as paths this platform opens: the program files of the trailer
// tests (make_program_files.py) and the skins the default-skin generator draws (tools/skin).
#include <string>
#include <string_view>

#ifdef _WIN32
#include "tests/common/win/WineTestEnv.h"
#endif

namespace nv::test {

inline std::string PlatformPath(const std::string& unixPath) {
#ifdef _WIN32
  return UnixToWindowsPathA(unixPath);
#else
  return unixPath;
#endif
}

inline std::string ProgramFilePath(std::string_view name) {
  return PlatformPath(std::string(NV_SKIN_PROGRAM_FILES) + "/" + std::string(name));
}

// The default skin's folder of images, drawn at build time.
inline std::string DefaultSkinDir() { return PlatformPath(NV_DEFAULT_SKIN_DIR); }
inline std::string DefaultSkinPath(std::string_view name) {
  return PlatformPath(std::string(NV_DEFAULT_SKIN_DIR) + "/" + std::string(name));
}

}  // namespace nv::test
