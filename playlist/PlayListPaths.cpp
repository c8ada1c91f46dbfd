#include "playlist/PlayListPaths.h"

#include <vector>

#include "metadata/CDTrackInfo.h"
#include "support/PathNames.h"
#include "support/TextCompare.h"

namespace nv {

bool IsUrl(std::u16string_view entry) {
  const std::size_t scheme = entry.find(u"://");
  return scheme != std::u16string_view::npos && scheme > 0;
}

std::u16string NormalisePath(std::u16string_view path) {
  std::u16string drive(ExtractFileDrive(path));
  for (char16_t& c : drive)
    if (c == u'/') c = u'\\';
  std::u16string_view rest = path.substr(drive.size());
  const bool rooted = !rest.empty() && IsPathDelimiter(rest.front());
  const bool trailing = !rest.empty() && IsPathDelimiter(rest.back());
  std::vector<std::u16string_view> parts;
  while (!rest.empty()) {
    std::size_t end = 0;
    while (end < rest.size() && !IsPathDelimiter(rest[end])) ++end;
    const std::u16string_view part = rest.substr(0, end);
    rest.remove_prefix(end < rest.size() ? end + 1 : end);
    if (part.empty() || part == u".") continue;
    if (part == u"..") {
      if (!parts.empty() && parts.back() != u"..")
        parts.pop_back();
      else if (!rooted && drive.empty())
        parts.push_back(part);  // a relative path may start above its folder
      continue;
    }
    parts.push_back(part);
  }
  std::u16string result = drive;
  if (rooted) result.push_back(u'\\');
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) result.push_back(u'\\');
    result.append(parts[i]);
  }
  if (trailing && !parts.empty()) result.push_back(u'\\');
  return result;
}

TPlayListFolder PlayListFolderOf(std::u16string_view playListFile) {
  const std::u16string file = NormalisePath(playListFile);
  TPlayListFolder result;
  result.Drive = std::u16string(ExtractFileDrive(file));
  const std::u16string_view folder = ExtractFileDir(file);
  if (!folder.empty()) result.Folder = IncludeTrailingPathDelimiter(folder);
  return result;
}

std::u16string ResolveEntryPath(const TPlayListFolder& playList, std::u16string_view entry) {
  if (!ExtractFileDrive(entry).empty() || IsUrl(entry)) return std::u16string(entry);
  if (!entry.empty() && IsPathDelimiter(entry.front())) return playList.Drive + std::u16string(entry);
  return playList.Folder + std::u16string(entry);
}

std::u16string RelativeEntryPath(const TPlayListFolder& playList, std::u16string_view path) {
  if (IsUrl(path) || IsCDTrackPath(path)) return std::u16string(path);
  std::u16string absolute = NormalisePath(path);
  const std::u16string_view folder = playList.Folder;
  if (!folder.empty() && absolute.size() > folder.size() && LocaleComparePrefix(folder, absolute) == 0)
    return absolute.substr(folder.size());
  const std::u16string_view drive = ExtractFileDrive(absolute);
  if (!drive.empty() && LocaleCompare(drive, std::u16string_view(playList.Drive)) == 0)
    return absolute.substr(drive.size());
  return absolute;
}

}  // namespace nv
