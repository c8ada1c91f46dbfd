#pragma once
// A kernel handle (process, thread, token, file), closed when it goes out of scope. Both null and
// INVALID_HANDLE_VALUE mean "none".
#include <windows.h>

#include "support/win/UniqueResource.h"

namespace nv {

struct KernelHandleTraits {
  using Handle = HANDLE;
  static HANDLE None() { return nullptr; }
  static bool IsValid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) { CloseHandle(handle); }
};
using UniqueHandle = UniqueResource<KernelHandleTraits>;

}  // namespace nv
