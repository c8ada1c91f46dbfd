#include "app/win/DefaultSkinStandIn.h"

#include "app/AppConstants.h"
#include "app/win/ProgramPaths.h"
#include "support/PathNames.h"
#include "support/win/Files.h"
#include "support/win/WideText.h"

namespace nv {

bool DefaultSkinExists() {
  return FileExists(ToWide(ChangeFileExt(ToUtf16(ProgramPath()), MarkedToUtf16(kSkinPackageExtension))));
}

}  // namespace nv
