#pragma once
// Windows path names taken apart and put together, as text (nothing here touches the file system). Both "\" and
// "/" separate folders; ":" ends a drive.
#include <string>
#include <string_view>

namespace nv {

bool IsPathDelimiter(char16_t c);

// "C:" or "\\server\share" at the front of a path; empty when there is neither.
std::u16string_view ExtractFileDrive(std::u16string_view path);
// The part after the last delimiter or drive colon.
std::u16string_view ExtractFileName(std::u16string_view path);
// The folder part without a trailing delimiter ("C:\a\b.txt" gives "C:\a").
std::u16string_view ExtractFileDir(std::u16string_view path);
// The extension of the file name with its dot (".nvs"); empty when it has none.
std::u16string_view ExtractFileExt(std::u16string_view path);
std::u16string ChangeFileExt(std::u16string_view path, std::u16string_view extension);

std::u16string IncludeTrailingPathDelimiter(std::u16string_view path);
std::u16string_view ExcludeTrailingPathDelimiter(std::u16string_view path);
// folder + "\" + name, with exactly one delimiter between them.
std::u16string JoinPath(std::u16string_view folder, std::u16string_view name);

}  // namespace nv
