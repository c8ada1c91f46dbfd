#pragma once
// The Windows Media Format runtime: the attributes of a file's header, read through its metadata editor. Where
// there is no runtime (natively, or when "WMVCORE.DLL" is missing or cannot read the file) nothing is read.
#include <string_view>
#include <vector>

#include "metadata/WindowsMediaAttributes.h"

namespace nv::platform {

// The attributes of stream 0 of the file at `path` (held text). False, with `attributes` empty, on any failure.
bool ReadWindowsMediaFile(std::string_view path, std::vector<WMAttribute>& attributes);

}  // namespace nv::platform
