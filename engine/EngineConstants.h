#pragma once
// The playback engine's fixed numbers and names.
#include "support/Guid.h"

namespace nv {

// The source filter that hosts Winamp input plug-ins. A rule that names it is only worth having when plug-ins are
// installed.
inline constexpr Guid kWinampSourceClsid = "{65C0706F-7892-4980-84E7-706FB23F3DD4}"_guid;

}  // namespace nv
