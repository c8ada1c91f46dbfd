#include "app/CommandLineSkin.h"

#include "app/AppConstants.h"
#include "app/DataPaths.h"
#include "app/PlayerPreferences.h"
#include "support/MarkedText.h"
#include "support/PathNames.h"
#include "support/TextCompare.h"

namespace nv {

std::u16string SkinInstallTarget(std::string_view skinPath, std::string_view dataFolder, std::u16string_view package) {
  const std::u16string folder = MarkedToUtf16(MakeDataPathAbsolute(skinPath, dataFolder));
  const std::u16string name = ChangeFileExt(ExtractFileName(package), MarkedToUtf16(kSkinPackageExtension));
  return JoinPath(ExcludeTrailingPathDelimiter(folder), name);
}

bool InstallCommandLineSkin(const CommandLine& commandLine, TXRegIniFile& store, std::string_view dataFolder,
                            SkinFileSystem& files) {
  const auto param = commandLine.SkinPackageParam();
  if (!param) return false;
  const std::u16string source = files.FullPath(MarkedToUtf16(commandLine.Param(*param)));
  std::u16string target = SkinInstallTarget(Read(store, kSkinPathPreference), dataFolder, source);

  if (LocaleCompare(target, source) != 0) {
    if (files.FileExists(target)) files.ClearReadOnly(target);
    files.CreateFolder(ExtractFileDir(target));
    files.Copy(source, target);
    if (!files.FileExists(target)) target.clear();
  }

  const std::string held = Utf16ToMarked(target);
  if (LocaleSameText(held, ReadCurrentSkin(store))) return false;
  Write(store, kCurrentSkinPreference, held);
  return true;
}

}  // namespace nv
