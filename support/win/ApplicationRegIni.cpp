#include "support/win/ApplicationRegIni.h"

#include <memory>

#include "support/PathNames.h"
#include "support/win/ModulePath.h"
#include "support/win/RegistryKeyValueStore.h"
#include "support/win/WideText.h"

namespace nv {

TXRegIniFile& ApplicationRegIni() {
  static TXRegIniFile store = [] {
    const std::u16string program = ToUtf16(ModuleFileName());
    const std::u16string name = ChangeFileExt(ExtractFileName(program), u"");
    return TXRegIniFile(std::make_unique<RegistryKeyValueStore>(HKEY_CURRENT_USER),
                        "Software\\" + Utf16ToMarked(name));
  }();
  return store;
}

}  // namespace nv
