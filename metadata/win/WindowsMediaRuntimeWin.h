#pragma once
// What the Windows layer sees of the Windows Media Format runtime binding.
#include <windows.h>
#include <wmsdk.h>

namespace nv {

// True when "WMVCORE.DLL" loaded with every entry point the program looks for.
bool WindowsMediaRuntimeAvailable();
// WMCreateEditor through the binding; fails with ERROR_MOD_NOT_FOUND when the runtime is absent.
HRESULT CreateMetadataEditor(IWMMetadataEditor** editor);

}  // namespace nv
