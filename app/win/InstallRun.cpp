#include "app/win/InstallRun.h"

#include <shellapi.h>

#include "app/win/ProgramPaths.h"
#include "support/win/Files.h"
#include "support/win/UniqueHandle.h"

namespace nv {

namespace {

bool IsWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

}  // namespace

std::wstring Regsvr32Command() {
  const wchar_t* command =
      IsWow64() ? L"%windir%\\Sysnative\\regsvr32.exe" : L"%windir%\\System32\\regsvr32.exe";
  wchar_t expanded[MAX_PATH] = {};
  const DWORD length = ExpandEnvironmentStringsW(command, expanded, MAX_PATH);
  return length > 0 && length <= MAX_PATH ? std::wstring(expanded) : std::wstring();
}

void RunInstall() {
  CreateFolders(WinampPluginsFolder());
  const std::wstring command = Regsvr32Command();
  if (command.size() > 1) {
    const std::wstring parameters = L"/s \"" + ProgramFolder() + L"\\Norvale.dll\"";
    ShellExecuteW(nullptr, L"open", command.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
  }
}

bool RunElevatedAndWait(const std::wstring& program, const std::wstring& parameters, DWORD timeoutMs) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"runas";
  info.lpFile = program.c_str();
  info.lpParameters = parameters.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&info)) return false;
  // Connecting again before the install has registered the server would only fail again.
  const UniqueHandle process(info.hProcess);
  if (process) WaitForSingleObject(process.Get(), timeoutMs);
  return true;
}

}  // namespace nv
