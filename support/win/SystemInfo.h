#pragma once
// What the program needs to know about the system it runs on.
#include <string>

#include "support/WindowsVersion.h"

namespace nv {

// The real version, whatever compatibility settings the program runs with.
WindowsVersion CurrentWindowsVersion();

// The system as the program names it to the user (support/SystemDescription.h).
std::string SystemDescriptionText();

// True under Wine (its ntdll exports wine_get_version). Wine reports every token as fully elevated, so elevation
// tests have to know.
bool IsWineHost();

// The process token's elevation (Windows Vista and later): elevated at all, and elevated through a split token
// ("full" elevation type, the administrator's half started with "Run as administrator").
bool IsProcessElevated();
bool IsProcessFullyElevated();

}  // namespace nv
