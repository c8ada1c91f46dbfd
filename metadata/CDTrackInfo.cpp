#include "metadata/CDTrackInfo.h"

#include <atomic>

#include "metadata/MediaPaths.h"
#include "support/MarkedText.h"
#include "support/TextCompare.h"

namespace nv {

namespace {
std::atomic<TCDTrackInfoLoader*> gLoader{nullptr};
}  // namespace

void SetCDTrackInfoLoader(TCDTrackInfoLoader* loader) { gLoader.store(loader); }
TCDTrackInfoLoader* CDTrackInfoLoader() { return gLoader.load(); }

bool IsCDTrackPath(std::string_view path) { return IsCDTrackPath(MarkedToUtf16(path)); }

bool IsCDTrackPath(std::u16string_view path) {
  const std::u16string_view extension = ExtensionOf(path);
  return LocaleCompare(extension, u".cda") == 0 || LocaleCompare(extension, u".<cda>") == 0;
}

}  // namespace nv
