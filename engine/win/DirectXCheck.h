#pragma once
// Raising EDirectX for a failed HRESULT, with DirectShow's text for the code (or the system's).
#include <windows.h>

#include <string>

#include "engine/DirectXError.h"

namespace nv {

// DirectShow's text for the code, else the system's; empty when neither knows it.
std::string DirectXErrorText(HRESULT code);

[[noreturn]] void RaiseDirectX(HRESULT code);

// Success codes, S_FALSE among them, pass.
inline void DXCheck(HRESULT code) {
  if (FAILED(code)) RaiseDirectX(code);
}

}  // namespace nv
