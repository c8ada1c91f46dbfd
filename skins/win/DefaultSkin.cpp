#include "skins/win/DefaultSkin.h"

#include <windows.h>

#include <optional>

#include "skins/EmbeddedPackage.h"
#include "skins/SkinErrors.h"
#include "skins/SkinFileNames.h"
#include "support/FileSource.h"
#include "support/PathNames.h"
#include "support/win/Files.h"
#include "support/win/ModulePath.h"
#include "support/win/WideText.h"
#include "support/win/Win32Error.h"

namespace nv {
namespace {

std::optional<bool> programCarriesPackage;

bool ProbeProgram() {
  const auto program = platform::OpenFileSource(WideToMarked(ModuleFileName()));
  if (!program) RaiseLastWin32Error();
  return FindEmbeddedPackage(*program).has_value();
}

std::wstring SkinBesideProgram() {
  return ToWide(ChangeFileExt(ToUtf16(ModuleFileName()), MarkedToUtf16(kSkinPackageExtension)));
}

}  // namespace

void CheckDefaultSkin() {
  programCarriesPackage = ProbeProgram();
  if (!*programCarriesPackage && !FileExists(SkinBesideProgram())) throw ESkinError(kDefaultSkinCorruptedMessage);
}

std::wstring DefaultSkinPackagePath() {
  if (!programCarriesPackage) programCarriesPackage = ProbeProgram();
  return *programCarriesPackage ? ModuleFileName() : SkinBesideProgram();
}

}  // namespace nv
