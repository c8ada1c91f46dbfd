#pragma once
// The full path of a loaded module: the running program by default.
#include <windows.h>

#include <string>

namespace nv {

std::wstring ModuleFileName(HMODULE module = nullptr);

}  // namespace nv
