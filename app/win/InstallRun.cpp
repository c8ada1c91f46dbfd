#include "app/win/InstallRun.h"

#include <shellapi.h>

#include "app/AppConstants.h"
#include "app/win/ProgramPaths.h"
#include "support/win/Files.h"
#include "support/win/UniqueHandle.h"

namespace nv {

namespace {

bool IsWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// Starts `program` through the shell with `verb` and waits for it to end, at most `timeoutMs`.
bool ShellRunAndWait(const wchar_t* verb, const std::wstring& program, const std::wstring& parameters,
                     DWORD timeoutMs) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = verb;
  info.lpFile = program.c_str();
  info.lpParameters = parameters.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&info)) return false;
  const UniqueHandle process(info.hProcess);
  if (process) WaitForSingleObject(process.Get(), timeoutMs);
  return true;
}

void RunRegsvr32(const std::wstring& switches) {
  const std::wstring command = Regsvr32Command();
  if (command.size() <= 1) return;
  const std::wstring parameters = switches + L" \"" + ProgramFolder() + L"\\" + kServerFileName + L"\"";
  // Connecting right after an unfinished registration would fail, and the player would end without a word.
  ShellRunAndWait(L"open", command, parameters, kRegistrationWaitMs);
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
  RunRegsvr32(L"/s");
}

void RunUninstall() { RunRegsvr32(L"/u /s"); }

bool RunElevatedAndWait(const std::wstring& program, const std::wstring& parameters, DWORD timeoutMs) {
  // Connecting again before the install has registered the server would only fail again.
  return ShellRunAndWait(L"runas", program, parameters, timeoutMs);
}

}  // namespace nv
