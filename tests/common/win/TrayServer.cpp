#include "tests/common/win/TrayServer.h"

#include <tlhelp32.h>

#include <stdexcept>

#include "support/win/RegistryKey.h"
#include "support/win/UniqueHandle.h"
#include "tests/common/win/WineTestEnv.h"

namespace nv::test {

namespace {

constexpr wchar_t kTrayAppIdKey[] = L"AppID\\{3350B1B8-0FB3-4C57-AABD-9C0F5C914410}";

bool IsWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::wstring WindowsFolder() {
  wchar_t folder[MAX_PATH] = {};
  GetWindowsDirectoryW(folder, MAX_PATH);
  return folder;
}

}  // namespace

std::wstring BuiltServerPath() { return UnixToWindowsPath(NV_TRAY_SERVER); }

std::wstring ShellHelperPath(const std::wstring& name) { return UnixToWindowsPath(NV_SHELL_HELPERS) + L"\\" + name; }

std::wstring Surrogate64Path() {
  // A 32-bit process reaches the 64-bit system folder only as "Sysnative".
  return WindowsFolder() + (IsWow64() ? L"\\Sysnative\\dllhost.exe" : L"\\System32\\dllhost.exe");
}

DWORD RunRegsvr32(const std::wstring& switches, const std::wstring& module) {
  const std::wstring program = WindowsFolder() + (IsWow64() ? L"\\Sysnative\\regsvr32.exe" : L"\\System32\\regsvr32.exe");
  std::wstring line = L"\"" + program + L"\" " + switches + L" \"" + module + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
    throw std::runtime_error("regsvr32 did not start");
  CloseHandle(started.hThread);
  const UniqueHandle process(started.hProcess);
  if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0) throw std::runtime_error("regsvr32 did not end");
  DWORD code = 1;
  GetExitCodeProcess(process.Get(), &code);
  return code;
}

void SetSurrogate(const std::wstring& path) {
  RegistryKey key;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, kTrayAppIdKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Receive(),
                      nullptr) != ERROR_SUCCESS ||
      RegSetValueExW(key.Get(), L"DllSurrogate", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                     static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
    throw std::runtime_error("cannot name the surrogate");
}

RegisteredTrayServer::RegisteredTrayServer() {
  EndSurrogates();
  if (RunRegsvr32(L"/s") != 0) throw std::runtime_error("the server did not register");
  SetSurrogate(Surrogate64Path());
}

RegisteredTrayServer::~RegisteredTrayServer() {
  EndSurrogates();
  RunRegsvr32(L"/u /s");
}

std::vector<DWORD> SurrogateProcesses() {
  std::vector<DWORD> found;
  const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry))
    if (lstrcmpiW(entry.szExeFile, L"dllhost.exe") == 0) found.push_back(entry.th32ProcessID);
  return found;
}

void EndSurrogates() {
  for (DWORD id : SurrogateProcesses()) {
    const UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    if (!process) continue;
    TerminateProcess(process.Get(), 1);
    WaitForSingleObject(process.Get(), 10000);
  }
}

bool SeesModulesOf64BitProcesses() { return sizeof(void*) == 8; }

bool ProcessHasModule(DWORD processId, const std::wstring& moduleName) {
  const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, processId));
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32FirstW(snapshot.Get(), &entry); more; more = Module32NextW(snapshot.Get(), &entry))
    if (lstrcmpiW(entry.szModule, moduleName.c_str()) == 0) return true;
  return false;
}

}  // namespace nv::test
