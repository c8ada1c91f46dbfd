#pragma once
// The product profile as it is on disk now: read afresh for each use, empty when missing or unreadable.
#include <string>

#include "support/IniDocument.h"

namespace nv {

IniDocument OpenProductProfile(const std::wstring& path);

}  // namespace nv
