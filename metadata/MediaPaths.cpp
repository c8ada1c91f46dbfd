#include "metadata/MediaPaths.h"

namespace nv {

namespace {
std::size_t NameStart(std::u16string_view path) {
  const std::size_t separator = path.find_last_of(u"\\/:");
  return separator == std::u16string_view::npos ? 0 : separator + 1;
}
}  // namespace

bool HasUrlScheme(std::string_view entry) {
  const std::size_t scheme = entry.find("://");
  return scheme != std::string_view::npos && scheme > 0;
}

std::u16string_view ExtensionOf(std::u16string_view path) {
  const std::size_t dot = path.rfind(u'.');
  return dot == std::u16string_view::npos || dot < NameStart(path) ? std::u16string_view() : path.substr(dot);
}

std::u16string_view FileTitleOf(std::u16string_view path) {
  const std::u16string_view name = path.substr(NameStart(path));
  return name.substr(0, name.size() - ExtensionOf(name).size());
}

}  // namespace nv
