#pragma once
// Whole files read and written in one go: playlists and the other files the user keeps. Writing never leaves a
// half-written file under the real name: the bytes go to a temporary file beside it ("<name>.tmp"), which is
// flushed to the disk and then renamed over the old file, so that a crash or a kill at any moment leaves either
// the old content or the new one. Paths are held text (ANSI or marked).
#include <functional>
#include <string>
#include <string_view>

namespace nv::platform {

// The bytes of the file. Raises EWin32Error with the system's error when it cannot be opened or read (natively the
// errno and its text).
std::string ReadFileBytes(std::string_view path);

// Replaces the file's content with `bytes` through the temporary file; `written` (when given) is called once the
// temporary file is complete and flushed, just before it replaces the old one. Raises EWin32Error as above; the
// temporary file is removed when writing it fails.
void WriteFileReplacing(std::string_view path, std::string_view bytes, const std::function<void()>& written = {});

}  // namespace nv::platform

namespace nv {

// The temporary file that WriteFileReplacing writes before it takes the place of `path`.
inline std::string ReplacementFileName(std::string_view path) { return std::string(path) + ".tmp"; }

}  // namespace nv
