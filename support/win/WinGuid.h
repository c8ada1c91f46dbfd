#pragma once
// The core's Guid and the system's GUID are the same 16 bytes.
#include <windows.h>

#include <cstring>

#include "support/Guid.h"

namespace nv {

static_assert(sizeof(GUID) == sizeof(Guid::bytes));

inline GUID ToWinGuid(const Guid& guid) {
  GUID result;
  std::memcpy(&result, guid.bytes.data(), sizeof result);
  return result;
}

inline Guid FromWinGuid(const GUID& guid) {
  Guid result;
  std::memcpy(result.bytes.data(), &guid, sizeof guid);
  return result;
}

}  // namespace nv
