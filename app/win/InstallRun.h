#pragma once
// The "/install" and "/uninstall" maintenance runs, and the elevated start of "/install".
#include <windows.h>

#include <string>

namespace nv {

// Creates the Winamp plug-in folder and registers the tray extension's server ("Norvale.dll" in the program
// folder) with regsvr32, silently, waiting for the registration to finish (start-up connects right after it).
// The registration of the application and its file types joins this run with the file-type module.
void RunInstall();
// Unregisters the server the same way.
void RunUninstall();

// The regsvr32 command for the server: System32, or Sysnative for a 32-bit process on 64-bit Windows.
std::wstring Regsvr32Command();

// Starts `program` with `parameters` through the "runas" verb and waits for it to end, at most `timeoutMs`.
// False when it could not be started (the user declined elevation, say).
bool RunElevatedAndWait(const std::wstring& program, const std::wstring& parameters, DWORD timeoutMs);

}  // namespace nv
