#include "support/PathNames.h"

namespace nv {

bool IsPathDelimiter(char16_t c) { return c == u'\\' || c == u'/'; }

namespace {
// Position just after the last delimiter or drive colon: where the file name starts.
std::size_t NameStart(std::u16string_view path) {
  const std::size_t last = path.find_last_of(u"\\/:");
  return last == std::u16string_view::npos ? 0 : last + 1;
}
}  // namespace

std::u16string_view ExtractFileDrive(std::u16string_view path) {
  if (path.size() >= 2 && path[1] == u':') return path.substr(0, 2);
  if (path.size() >= 2 && IsPathDelimiter(path[0]) && IsPathDelimiter(path[1])) {
    // "\\server\share": up to the delimiter after the share name.
    std::size_t i = 2;
    int parts = 0;
    while (i < path.size()) {
      if (IsPathDelimiter(path[i]) && ++parts == 2) break;
      ++i;
    }
    return path.substr(0, i);
  }
  return {};
}

std::u16string_view ExtractFileName(std::u16string_view path) { return path.substr(NameStart(path)); }

std::u16string_view ExtractFileDir(std::u16string_view path) {
  std::size_t end = NameStart(path);
  // Keep the delimiter of a root ("C:\") and the colon of a drive.
  if (end > 0 && IsPathDelimiter(path[end - 1]) && end - 1 > ExtractFileDrive(path).size()) --end;
  return path.substr(0, end);
}

std::u16string_view ExtractFileExt(std::u16string_view path) {
  const std::size_t start = NameStart(path);
  const std::size_t dot = path.rfind(u'.');
  return dot == std::u16string_view::npos || dot < start ? std::u16string_view() : path.substr(dot);
}

std::u16string ChangeFileExt(std::u16string_view path, std::u16string_view extension) {
  const std::u16string_view current = ExtractFileExt(path);
  std::u16string result(path.substr(0, path.size() - current.size()));
  return result.append(extension);
}

std::u16string IncludeTrailingPathDelimiter(std::u16string_view path) {
  std::u16string result(path);
  if (result.empty() || !IsPathDelimiter(result.back())) result.push_back(u'\\');
  return result;
}

std::u16string_view ExcludeTrailingPathDelimiter(std::u16string_view path) {
  while (!path.empty() && IsPathDelimiter(path.back())) path.remove_suffix(1);
  return path;
}

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name) {
  if (folder.empty()) return std::u16string(name);
  while (!name.empty() && IsPathDelimiter(name.front())) name.remove_prefix(1);
  return IncludeTrailingPathDelimiter(ExcludeTrailingPathDelimiter(folder)).append(name);
}

}  // namespace nv
