#include "app/SavePlaylistName.h"

#include "support/MarkedText.h"
#include "support/PathNames.h"

namespace nv {

std::string ProposedPlaylistName(std::string_view fileName, std::string_view commonTitle,
                                 std::string_view initialFolder) {
  const std::string_view name = fileName.empty() ? commonTitle : fileName;
  if (name.empty() || initialFolder.empty()) return std::string(name);
  const std::u16string wide = MarkedToUtf16(name);
  if (!ExtractFileDir(wide).empty() || !ExtractFileDrive(wide).empty()) return std::string(name);
  return Utf16ToMarked(JoinPath(MarkedToUtf16(initialFolder), wide));
}

}  // namespace nv
