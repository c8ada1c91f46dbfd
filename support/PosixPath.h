#pragma once
// The native form of a held path: UTF-8, with "\" taken as a folder separator, so that the core's Windows-style
// paths name the same files on a real tree here. Only the native seams include this.
#include <algorithm>
#include <string>
#include <string_view>

#include "support/MarkedText.h"

namespace nv::platform {

inline std::string PosixPath(std::string_view path) {
  std::string native = MarkedToUtf8(path);
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

}  // namespace nv::platform
