#include "app/win/PlayerSkin.h"

#include "app/PlayerPreferences.h"
#include "skins/win/SkinPackageReader.h"

namespace nv {

TSkin& PlayerSkin() {
  static TSkin skin(SystemSkinEnvironment());
  static const bool declared = (DeclareStripSkin(skin), true);
  if (declared && !skin.Active()) {
    skin.SetPath(ReadCurrentSkin(ApplicationRegIni()));
    skin.SetActive(true);
  }
  return skin;
}

void ReloadPlayerSkin(const TXRegIniFile& preferences) { PlayerSkin().SetPath(ReadCurrentSkin(preferences)); }

}  // namespace nv
