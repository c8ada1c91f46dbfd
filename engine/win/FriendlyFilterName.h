#pragma once
// The name a filter is shown and added under: its friendly name from the registry's filter category, else the
// name of its class, else its CLSID in braced form. The null CLSID has no name.
#include <windows.h>

#include <string>

namespace nv {

std::wstring FriendlyFilterName(const CLSID& clsid);

}  // namespace nv
