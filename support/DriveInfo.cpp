#include "support/DriveInfo.h"

#include "support/MarkedText.h"

namespace nv {

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The root of a path in single-byte text or UTF-8: separators and colons are the plain bytes in both.
std::string RootOf(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':') {
    const char letter = static_cast<char>(path[0] | 0x20);
    if (letter >= 'a' && letter <= 'z') return std::string(path.substr(0, 2)) + '\\';
  }
  // "\\server\share": the text up to the separator that ends the share name.
  if (path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    std::size_t separators = 0, i = 2;
    for (; i < path.size(); ++i)
      if (IsSeparator(path[i]) && ++separators == 2) break;
    if (separators >= 1) return std::string(path.substr(0, i)) + '\\';
  }
  return {};
}

}  // namespace

std::string DriveRootOf(std::string_view path) {
  return IsMarked(path) ? Utf8ToMarked(RootOf(path.substr(1))) : RootOf(path);
}

DriveType CachingDriveQuery::TypeOf(std::string_view root) {
  for (const auto& [known, type] : types_)
    if (known == root) return type;
  const DriveType type = drives_.TypeOf(root);
  types_.emplace_back(root, type);
  return type;
}

DriveQuery& SystemDrives() {
  class System final : public DriveQuery {
  public:
    DriveType TypeOf(std::string_view root) override { return platform::DriveTypeOf(root); }
    std::optional<std::uint32_t> VolumeSerialNumberOf(std::string_view root) override {
      return platform::VolumeSerialNumberOf(root);
    }
  };
  static System drives;
  return drives;
}

}  // namespace nv
