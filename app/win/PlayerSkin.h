#pragma once
// The player's skin: the one TSkin that every player window's elements point at, declared with the items of a
// complete skin and loaded from the "Current skin" preference on first use. The reload command (257, posted by a
// second instance that installed a skin from its command line) sets the path again, which re-skins every open
// skinned window at once.
#include "skins/Skin.h"
#include "support/RegIniFile.h"
#include "support/win/ApplicationRegIni.h"

namespace nv {

TSkin& PlayerSkin();
// Makes the "Current skin" preference the skin's path (the default skin when it is empty or names nothing).
void ReloadPlayerSkin(const TXRegIniFile& preferences = ApplicationRegIni());

}  // namespace nv
