#include "support/win/SystemInfo.h"

#include <windows.h>

#include "support/SystemDescription.h"
#include "support/win/UniqueHandle.h"
#include "support/win/WideText.h"

namespace nv {

namespace {

void* NtdllFunction(const char* name) {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll ? reinterpret_cast<void*>(GetProcAddress(ntdll, name)) : nullptr;
}

template <class Info>
bool QueryToken(TOKEN_INFORMATION_CLASS kind, Info& info) {
  UniqueHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive())) return false;
  DWORD size = 0;
  return GetTokenInformation(token.Get(), kind, &info, sizeof info, &size) != FALSE;
}

}  // namespace

WindowsVersion CurrentWindowsVersion() {
  // GetVersionEx answers what the program's manifest allows it to see; RtlGetVersion tells the truth.
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(NtdllFunction("RtlGetVersion"));
  if (rtlGetVersion == nullptr || rtlGetVersion(&info) != 0) return {};
  return {info.dwMajorVersion, info.dwMinorVersion};
}

std::string SystemDescriptionText() {
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof info;
  const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(NtdllFunction("RtlGetVersion"));
  SystemVersionFacts facts;
  if (rtlGetVersion && rtlGetVersion(&info) == 0) {
    facts.major = info.dwMajorVersion;
    facts.minor = info.dwMinorVersion;
    facts.productType = info.wProductType == VER_NT_WORKSTATION ? SystemProductType::Workstation
                                                                : SystemProductType::Server;
    facts.build = std::to_string(info.dwBuildNumber);
    facts.servicePack = WideToMarked(info.szCSDVersion);
  }
  BOOL wow64 = FALSE;
  facts.wow64 = IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
  return SystemDescription(facts);
}

bool IsWineHost() { return NtdllFunction("wine_get_version") != nullptr; }

bool IsProcessElevated() {
  TOKEN_ELEVATION elevation{};
  return QueryToken(TokenElevation, elevation) && elevation.TokenIsElevated != 0;
}

bool IsProcessFullyElevated() {
  TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
  return QueryToken(TokenElevationType, type) && type == TokenElevationTypeFull;
}

}  // namespace nv
