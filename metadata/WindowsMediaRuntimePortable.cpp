// Natively there is no Windows Media Format runtime.
#include "metadata/WindowsMediaRuntime.h"

namespace nv::platform {

bool ReadWindowsMediaFile(std::string_view, std::vector<WMAttribute>& attributes) {
  attributes.clear();
  return false;
}

}  // namespace nv::platform
