#pragma once
// The program's preferences store: HKEY_CURRENT_USER\Software\ followed by the program file's name without its
// extension ("Software\Norvale"). One per process, opened on first use and closed at exit.
#include "support/RegIniFile.h"

namespace nv {

TXRegIniFile& ApplicationRegIni();

}  // namespace nv
