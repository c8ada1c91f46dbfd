#pragma once
// A registry subtree as text, one line per key and per value ("key" / "key\t[name]\ttype\tdata"), sorted, so that
// two moments can be compared and their difference read.
#include <windows.h>

#include <set>
#include <string>

namespace nv::test {

using RegistryDump = std::set<std::wstring>;

// Everything below `path` of `root` (the key itself included) in the registry's 64-bit view, also from a 32-bit
// process; empty when the key does not exist.
RegistryDump DumpRegistry(HKEY root, const std::wstring& path = L"");

// Lines of `after` that `before` lacks.
RegistryDump Added(const RegistryDump& before, const RegistryDump& after);

}  // namespace nv::test
