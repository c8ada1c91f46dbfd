#pragma once
// The program's resources: strings by identifier (resources/StringIds.h), bitmaps and icons by name. Each binary
// reads its own resources (the module this code is linked into), so the player and the COM server share the code.
#include <windows.h>

#include <string>

#include "support/ui/win/GdiObjects.h"

namespace nv {

// The module whose resources this code reads: the binary it is linked into.
HMODULE ResourceModule();

// A resource string; empty when the binary has no string of that identifier.
std::wstring ResourceString(UINT id);
std::wstring ResourceString(HMODULE module, UINT id);

// A bitmap or icon resource of the binary; raises EWin32Error when there is none.
UniqueBitmap LoadBitmapResource(const wchar_t* name);
UniqueIcon LoadIconResource(const wchar_t* name, int size);

}  // namespace nv
