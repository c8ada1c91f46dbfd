#include "tests/playlist/PlayListFileFakes.h"

#include "support/Errors.h"
#include "support/MarkedText.h"

namespace nv::test {

void MemoryFileStore::Put(const std::string& path, std::string bytes) {
  files_.AddFile(path);
  contents[path] = std::move(bytes);
}

std::string MemoryFileStore::Read(std::string_view path) {
  ++reads;
  const auto found = contents.find(std::string(path));
  if (found == contents.end()) throw EWin32Error(2, "The system cannot find the file specified.");
  return found->second;
}

void MemoryFileStore::Write(std::string_view path, std::string_view bytes) {
  if (failWrites) throw EWin32Error(5, "Access is denied.");
  Put(std::string(path), std::string(bytes));
}

std::vector<std::string> Describe(TXPlayList& list) {
  std::vector<std::string> lines;
  const TXPlayListItem* current = list.GetCurrent();
  for (int i = 0; i < list.Count(); ++i) {
    const TXPlayListItem& item = list.Items(i);
    std::string line = (&item == current ? "* " : "") + MarkedToUtf8(item.FileName());
    const auto text = [&](AttributeName name, const char* before) {
      if (const std::u16string value = item.Value(name).ToUtf16(); !value.empty()) line += before + Utf16ToUtf8(value);
    };
    text(kTitleAttribute, " | ");
    if (const AttributeValue& duration = item.Value(kDurationAttribute); !duration.IsNull())
      line += " | " + Utf16ToUtf8(duration.ToUtf16()) + "ms";
    if (item.IsSubRange()) {
      line += " | " + std::to_string(item.StartTime()) + "-";
      if (const std::optional<std::int64_t> end = item.EndTime()) line += std::to_string(*end);
    }
    text(kAuthorAttribute, " | by ");
    text(kAlbumAttribute, " | on ");
    if (item.ASXRedirected) line += " | redirected";
    lines.push_back(line);
  }
  return lines;
}

}  // namespace nv::test
