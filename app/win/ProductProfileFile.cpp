#include "app/win/ProductProfileFile.h"

#include "app/win/ProgramPaths.h"
#include "support/win/Files.h"

namespace nv {

IniDocument OpenProductProfile() { return OpenProductProfile(ProductProfilePath()); }

IniDocument OpenProductProfile(const std::wstring& path) {
  const auto content = ReadFileContent(path);
  return content ? IniDocument::Parse(*content) : IniDocument();
}

}  // namespace nv
