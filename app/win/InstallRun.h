#pragma once
// The "/install" maintenance run and its elevated start.
#include <windows.h>

#include <string>

namespace nv {

// Creates the Winamp plug-in folder and registers the tray extension's server ("Norvale.dll" in the program
// folder) with regsvr32, silently and without waiting. The registration of the application and its file types
// joins this run with the file-type module.
void RunInstall();

// The regsvr32 command for the server: System32, or Sysnative for a 32-bit process on 64-bit Windows.
std::wstring Regsvr32Command();

// Starts `program` with `parameters` through the "runas" verb and waits for it to end, at most `timeoutMs`.
// False when it could not be started (the user declined elevation, say).
bool RunElevatedAndWait(const std::wstring& program, const std::wstring& parameters, DWORD timeoutMs);

}  // namespace nv
