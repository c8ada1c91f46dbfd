#include "support/win/ProductProfileFile.h"

#include "support/win/Files.h"

namespace nv {

IniDocument OpenProductProfile(const std::wstring& path) {
  const auto content = ReadFileContent(path);
  return content ? IniDocument::Parse(*content) : IniDocument();
}

}  // namespace nv
