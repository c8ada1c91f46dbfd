#pragma once
// An open registry key, closed when it goes out of scope.
#include <windows.h>

#include "support/win/UniqueResource.h"

namespace nv {

struct RegistryKeyTraits {
  using Handle = HKEY;
  static HKEY None() { return nullptr; }
  static bool IsValid(HKEY key) { return key != nullptr; }
  static void Close(HKEY key) { RegCloseKey(key); }
};
using RegistryKey = UniqueResource<RegistryKeyTraits>;

}  // namespace nv
