#pragma once
// The system's cabinet library, "cabinet.dll", bound at run time on first use and kept until the program ends. Of
// its entry points only FDICreate, FDICopy and FDIDestroy are called; the others are looked up so that a library
// that lacks any of them is refused as a whole.
#include <windows.h>

#include <fdi.h>  // needs windows.h first

namespace nv {

struct CabinetLibrary {
  decltype(&FDICreate) Create;
  decltype(&FDICopy) Copy;
  decltype(&FDIDestroy) Destroy;
};

// Raises EWin32Error when the library or one of its entry points is missing.
const CabinetLibrary& Cabinet();

}  // namespace nv
