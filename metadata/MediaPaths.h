#pragma once
// The parts of a media entry's path that the metadata subsystem looks at. An entry is a local path ("C:\Music\a.mp3",
// "\\server\share\a.ogg", also with "/") or a URL ("http://host/stream"). Names and extensions are taken from the
// UTF-16 form: in a double-byte code page the second byte of a character can look like a "\".
#include <string_view>

namespace nv {

// A URL: at least one character, then "://".
bool HasUrlScheme(std::string_view entry);

// The extension with its ".": the text from the last "." after the last "\", "/" or ":"; empty when there is none.
std::u16string_view ExtensionOf(std::u16string_view path);

// The file name without folder and extension.
std::u16string_view FileTitleOf(std::u16string_view path);

}  // namespace nv
