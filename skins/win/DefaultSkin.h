#pragma once
// The default skin travels inside the program file (appended behind the "XCAB" trailer); a program without it takes
// the file beside it that has its name and the extension ".nvs".
#include <string>

namespace nv {

// Run once at start-up: records whether the program carries its package. Raises EWin32Error when the program file
// cannot be opened, ESkinError "Default skin corrupted." when there is neither the package nor the ".nvs" file.
void CheckDefaultSkin();

// The program file itself when it carries the package, else "<program>.nvs".
std::wstring DefaultSkinPackagePath();

}  // namespace nv
