#pragma once
// The tray extension's server as the tests install it: Norvale.dll of this build, registered with the system's
// registration tool, and its surrogate processes. A shipped registration names the default surrogate (an empty
// DllSurrogate), which Wine does not start; the tests name the 64-bit dllhost.exe by its full path, which COM then
// starts for every out-of-process client.
#include <windows.h>

#include <string>
#include <vector>

namespace nv::test {

// Norvale.dll of this build (of the 64-bit build, for the 32-bit tests).
std::wstring BuiltServerPath();
// One of the shell tests' 64-bit helper programs ("fake-taskbar.exe", "shell-peer.exe"), of the 64-bit build.
std::wstring ShellHelperPath(const std::wstring& name);
// The 64-bit COM surrogate of this system, seen from this process.
std::wstring Surrogate64Path();

// regsvr32 with `switches` ("/s", "/u /s") on `module`; its exit code.
DWORD RunRegsvr32(const std::wstring& switches, const std::wstring& module = BuiltServerPath());
void SetSurrogate(const std::wstring& path);

// Registers the built server and names the 64-bit surrogate; unregisters it when the scope ends. Surrogates still
// running are ended both times, so that each test starts its own.
class RegisteredTrayServer {
public:
  RegisteredTrayServer();
  ~RegisteredTrayServer();
  RegisteredTrayServer(const RegisteredTrayServer&) = delete;
  RegisteredTrayServer& operator=(const RegisteredTrayServer&) = delete;
};

// The running dllhost.exe processes.
std::vector<DWORD> SurrogateProcesses();
// Ends them (every one was started by COM for these tests) and waits until they are gone.
void EndSurrogates();
// True when the process has this module loaded. A 32-bit process cannot list a 64-bit one's modules: ask
// SeesModulesOf64BitProcesses first.
bool ProcessHasModule(DWORD processId, const std::wstring& moduleName);
bool SeesModulesOf64BitProcesses();

}  // namespace nv::test
