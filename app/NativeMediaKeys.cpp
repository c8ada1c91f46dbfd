#include "app/NativeMediaKeys.h"

#include "app/AppConstants.h"

namespace nv {

void UpdateNativeMediaKeysRegistration(TXRegIniFile& store, bool handlePlaybackKeys, std::string_view programPath) {
  if (handlePlaybackKeys) {
    store.WriteString(kNativeMediaPlayerSection, "ExePath", programPath);
    store.WriteString(kNativeMediaPlayerSection, "AppName", kApplicationTitle);
  } else {
    store.EraseSection(kNativeMediaPlayerSection);
  }
}

}  // namespace nv
