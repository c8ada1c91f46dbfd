// A helper for the tests: sleeps for the milliseconds given, then creates the file given, then ends.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  Sleep(static_cast<DWORD>(std::wcstoul(argv[1], nullptr, 10)));
  const HANDLE file = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(file);
  return 0;
}
