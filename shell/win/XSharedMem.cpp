#include "shell/win/XSharedMem.h"

#include <sddl.h>

#include <memory>
#include <mutex>
#include <string>

namespace nv {

namespace {

std::mutex blockLock;
HANDLE writableMapping = nullptr;
ShellHookBlock* writable = nullptr;
HANDLE readableMapping = nullptr;
const ShellHookBlock* readable = nullptr;

// "D:P(A;;GA;;;<the current user>)": full access for the user this process runs as, nothing for anyone else.
std::wstring CurrentUserOnlySddl() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  std::wstring sddl;
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  auto buffer = std::make_unique<BYTE[]>(size ? size : 1);
  LPWSTR sid = nullptr;
  if (size && GetTokenInformation(token, TokenUser, buffer.get(), size, &size) &&
      ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.get())->User.Sid, &sid)) {
    sddl = std::wstring(L"D:P(A;;GA;;;") + sid + L")";
    LocalFree(sid);
  }
  CloseHandle(token);
  return sddl;
}

}  // namespace

ShellHookBlock* WritableShellHookBlock() {
  std::lock_guard lock(blockLock);
  if (writable) return writable;
  const std::wstring sddl = CurrentUserOnlySddl();
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (sddl.empty() ||
      !ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
    return nullptr;
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  writableMapping = CreateFileMappingW(INVALID_HANDLE_VALUE, &attributes, PAGE_READWRITE, 0,
                                       sizeof(ShellHookBlock), kShellHookBlockName);
  LocalFree(descriptor);
  if (!writableMapping) return nullptr;
  writable = static_cast<ShellHookBlock*>(
      MapViewOfFile(writableMapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(ShellHookBlock)));
  if (!writable) {
    CloseHandle(writableMapping);
    writableMapping = nullptr;
  }
  return writable;
}

const ShellHookBlock* ReadableShellHookBlock() {
  std::lock_guard lock(blockLock);
  if (writable) return writable;
  if (readable) return readable;
  readableMapping = OpenFileMappingW(FILE_MAP_READ, FALSE, kShellHookBlockName);
  if (!readableMapping) return nullptr;
  readable = static_cast<const ShellHookBlock*>(MapViewOfFile(readableMapping, FILE_MAP_READ, 0, 0, sizeof(ShellHookBlock)));
  if (!readable) {
    CloseHandle(readableMapping);
    readableMapping = nullptr;
  }
  return readable;
}

void CloseShellHookBlock() {
  std::lock_guard lock(blockLock);
  if (writable) UnmapViewOfFile(writable);
  if (readable) UnmapViewOfFile(readable);
  if (writableMapping) CloseHandle(writableMapping);
  if (readableMapping) CloseHandle(readableMapping);
  writable = nullptr;
  readable = nullptr;
  writableMapping = readableMapping = nullptr;
}

std::uint64_t ReadField(const std::uint64_t& field) { return *static_cast<const volatile std::uint64_t*>(&field); }
std::uint32_t ReadField(const std::uint32_t& field) { return *static_cast<const volatile std::uint32_t*>(&field); }
void WriteField(std::uint64_t& field, std::uint64_t value) {
  InterlockedExchange64(reinterpret_cast<volatile LONG64*>(&field), static_cast<LONG64>(value));
}
void WriteField(std::uint32_t& field, std::uint32_t value) {
  InterlockedExchange(reinterpret_cast<volatile LONG*>(&field), static_cast<LONG>(value));
}

}  // namespace nv
