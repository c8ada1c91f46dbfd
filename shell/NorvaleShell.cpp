// The 64-bit COM in-process server: the tray extension and the Explorer context-menu handler live here.
#include <windows.h>

namespace {
HINSTANCE g_module = nullptr;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
