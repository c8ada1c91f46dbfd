#pragma once
// Reading the attributes of a Windows Media header (IWMHeaderInfo), for a file's metadata editor and for a graph's
// Windows Media source alike.
#include <windows.h>
#include <wmsdk.h>

#include <vector>

#include "metadata/WindowsMediaAttributes.h"

namespace nv {

// Every attribute of stream 0, by index. False, with `attributes` empty, when a call fails.
bool ReadHeaderInfo(IWMHeaderInfo* header, std::vector<WMAttribute>& attributes);

}  // namespace nv
