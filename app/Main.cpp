// Program entry of the player: everything it does is in the start-up sequence.
#include <windows.h>

#include "app/win/WindowsStartupHost.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return nv::RunPlayerProgram(); }
