#pragma once
// File helpers with the wide-character file functions.
#include <optional>
#include <string>

namespace nv {

// The bytes of a small file, or nothing when it cannot be opened or read. Files above `limit` bytes are refused.
std::optional<std::string> ReadFileContent(const std::wstring& path, std::size_t limit = 16 << 20);

// True for an existing file (not a folder).
bool FileExists(const std::wstring& path);

// Creates a folder with its missing parents; false when it does not exist afterwards.
bool CreateFolders(const std::wstring& folder);

}  // namespace nv
