#pragma once
// Raising EWin32Error from the calling thread's last error.
#include <windows.h>

#include <string>

#include "support/Errors.h"

namespace nv {

// The system's text for an error code, as held text without the trailing line break.
std::string SystemErrorMessage(DWORD code);

[[noreturn]] void RaiseLastWin32Error();

// Raises EWin32Error with the last error when the call failed.
inline void Win32Check(bool succeeded) {
  if (!succeeded) RaiseLastWin32Error();
}

}  // namespace nv
