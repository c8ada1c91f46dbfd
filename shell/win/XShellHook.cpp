#include "shell/win/XShellHook.h"

#include <mutex>

#include "app/AppConstants.h"
#include "shell/TrayExtProtocol.h"
#include "shell/win/XComModule.h"
#include "shell/win/XSharedMem.h"

namespace nv {

namespace {

// The player's window answers within this time, or the command goes on to the next hook.
constexpr UINT kForwardTimeoutMs = 20;
constexpr DWORD kHookThreadWaitMs = 5000;

// A hook belongs to the thread that installed it, and on Windows dies with it; the COM calls that install it run
// on the surrogate's call threads, which come and go. So the hook lives on a thread of its own that pumps messages
// while it is installed, and holds the module in the process until it has removed the hook.
struct HookThread {
  HANDLE handle = nullptr;
  DWORD id = 0;
};
std::mutex hookLock;
HookThread hookThread;

struct HookStart {
  HANDLE ready;
  HHOOK hook = nullptr;
};

DWORD WINAPI HookThreadMain(void* parameter) {
  auto& start = *static_cast<HookStart*>(parameter);
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, before anyone posts to it
  const HHOOK hook = SetWindowsHookExW(WH_SHELL, ShellHookProc, ComModule(), 0);
  start.hook = hook;
  SetEvent(start.ready);
  if (hook) {
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    UnhookWindowsHookEx(hook);
  }
  FreeLibraryAndExitThread(ComModule(), 0);
}

bool IsPlayerWindow(HWND window) {
  wchar_t name[64] = {};
  return window != nullptr && IsWindow(window) && GetClassNameW(window, name, 64) > 0 &&
         lstrcmpW(name, kPlayerWindowClass) == 0;
}

void ClearBlock(ShellHookBlock& block) {
  // The target goes first: a reader never pairs it with a cleared base.
  WriteField(block.target, 0);
  WriteField(block.messageBase, 0);
  WriteField(block.hook, 0);
}

void StopHookThread() {
  if (!hookThread.handle) return;
  PostThreadMessageW(hookThread.id, WM_QUIT, 0, 0);
  WaitForSingleObject(hookThread.handle, kHookThreadWaitMs);
  CloseHandle(hookThread.handle);
  hookThread = {};
}

}  // namespace

bool InstallShellHook(HWND target, UINT messageBase) {
  std::lock_guard lock(hookLock);
  StopHookThread();
  ShellHookBlock* block = WritableShellHookBlock();
  if (!block) return false;
  ClearBlock(*block);
  if (messageBase != kShellHookMessageBase) return false;
  // The base first, then the target: a reader that sees the target sees its base.
  WriteField(block->messageBase, messageBase);
  WriteField(block->target, reinterpret_cast<std::uintptr_t>(target));

  HookStart start{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  HMODULE held = nullptr;
  // The thread's own reference on the module, let go of as the thread ends.
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&HookThreadMain), &held);
  HANDLE thread = start.ready ? CreateThread(nullptr, 0, HookThreadMain, &start, 0, &hookThread.id) : nullptr;
  if (thread) {
    WaitForSingleObject(start.ready, INFINITE);
    hookThread.handle = thread;
  } else if (held) {
    FreeLibrary(held);
  }
  if (start.ready) CloseHandle(start.ready);
  if (!start.hook) {
    StopHookThread();
    ClearBlock(*block);
    return false;
  }
  WriteField(block->hook, reinterpret_cast<std::uintptr_t>(start.hook));
  return true;
}

void RemoveShellHook() {
  std::lock_guard lock(hookLock);
  if (ShellHookBlock* block = WritableShellHookBlock()) {
    WriteField(block->target, 0);
    WriteField(block->messageBase, 0);
  }
  StopHookThread();
  if (ShellHookBlock* block = WritableShellHookBlock()) WriteField(block->hook, 0);
}

LRESULT CALLBACK ShellHookProc(int code, WPARAM wParam, LPARAM lParam) {
  const ShellHookBlock* block = ReadableShellHookBlock();
  if (!block) return CallNextHookEx(nullptr, code, wParam, lParam);
  const HHOOK hook = reinterpret_cast<HHOOK>(static_cast<std::uintptr_t>(ReadField(block->hook)));
  if (code == HSHELL_APPCOMMAND) {
    const HWND target = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(ReadField(block->target)));
    const UINT base = ReadField(block->messageBase);
    // Only the player's own window, at the player's own base: whatever else the block might say is not obeyed.
    DWORD_PTR answer = 0;
    if (base == kShellHookMessageBase && IsPlayerWindow(target) &&
        SendMessageTimeoutW(target, base + HSHELL_APPCOMMAND, wParam, lParam, SMTO_BLOCK, kForwardTimeoutMs,
                            &answer) &&
        answer == 1)
      return 1;
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace nv
