#pragma once
// Files as byte sources. A file is opened for reading while others may go on reading and writing it: the player
// never locks what it lists or plays.
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "support/ByteSource.h"

namespace nv::platform {

// `path` is held text (ANSI or marked). Null when the file cannot be opened.
std::unique_ptr<ByteSource> OpenFileSource(std::string_view path);

// The size of a file without reading it; nothing when there is no such file.
std::optional<std::uint64_t> FileSizeOf(std::string_view path);

}  // namespace nv::platform
