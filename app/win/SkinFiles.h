#pragma once
// The file operations of the command-line skin install, with the wide-character file functions.
#include "app/CommandLineSkin.h"

namespace nv {

class WindowsSkinFiles final : public SkinFileSystem {
public:
  std::u16string FullPath(std::u16string_view path) override;
  bool FileExists(std::u16string_view path) override;
  void ClearReadOnly(std::u16string_view path) override;
  void CreateFolder(std::u16string_view path) override;
  void Copy(std::u16string_view source, std::u16string_view target) override;
};

}  // namespace nv
