#include "app/DataPaths.h"

#include "support/MarkedText.h"
#include "support/PathNames.h"
#include "support/TextCompare.h"

namespace nv {

std::string MakeDataPathAbsolute(std::string_view path, std::string_view dataFolder) {
  const std::u16string wide = MarkedToUtf16(path);
  if (!ExtractFileDrive(wide).empty()) return std::string(path);
  if (wide.empty()) return std::string(dataFolder);
  return Utf16ToMarked(JoinPath(MarkedToUtf16(dataFolder), wide));
}

std::string MakeDataPathRelative(std::string_view path, std::string_view dataFolder) {
  const std::u16string wide = MarkedToUtf16(path);
  const std::u16string folder = IncludeTrailingPathDelimiter(ExcludeTrailingPathDelimiter(MarkedToUtf16(dataFolder)));
  if (LocaleCompare(ExcludeTrailingPathDelimiter(wide), ExcludeTrailingPathDelimiter(folder)) == 0) return {};
  if (wide.size() < folder.size() || LocaleComparePrefix(folder, wide) != 0) return std::string(path);
  return Utf16ToMarked(ExcludeTrailingPathDelimiter(std::u16string_view(wide).substr(folder.size())));
}

std::string AutorunCommand(std::string_view programPath) {
  return '"' + std::string(programPath) + "\" /showminimized";
}

}  // namespace nv
