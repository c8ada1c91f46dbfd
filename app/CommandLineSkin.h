#pragma once
// Installing a skin package named on the command line: it is copied into the skin folder and becomes the current
// skin. This runs before the single-instance test, so that a running player only has to reload its skin.
#include <string>
#include <string_view>

#include "app/CommandLine.h"
#include "support/RegIniFile.h"

namespace nv {

// The file operations the install needs. Failures are not reported: the result is checked by looking.
class SkinFileSystem {
public:
  virtual ~SkinFileSystem() = default;
  virtual std::u16string FullPath(std::u16string_view path) = 0;
  virtual bool FileExists(std::u16string_view path) = 0;
  virtual void ClearReadOnly(std::u16string_view path) = 0;
  virtual void CreateFolder(std::u16string_view path) = 0;  // with its missing parents
  virtual void Copy(std::u16string_view source, std::u16string_view target) = 0;  // overwriting
};

// Where a package is installed: the file name with the extension ".nvs" in the skin folder (the "Skin path"
// preference, relative to the data folder unless it has a drive).
std::u16string SkinInstallTarget(std::string_view skinPath, std::string_view dataFolder, std::u16string_view package);

// Copies the first ".nvs" parameter into the skin folder (unless it is there already) and makes it the current
// skin. A copy that leaves no file makes the default skin current. True when the current skin changed.
bool InstallCommandLineSkin(const CommandLine& commandLine, TXRegIniFile& store, std::string_view dataFolder,
                            SkinFileSystem& files);

}  // namespace nv
