#include "support/win/Win32Error.h"

#include "support/MarkedText.h"
#include "support/win/WideText.h"

namespace nv {

std::string SystemErrorMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer ? buffer : L"", length);
  if (buffer) LocalFree(buffer);
  return TrimRightText(WideToMarked(text));
}

void RaiseLastWin32Error() {
  const DWORD code = GetLastError();
  throw EWin32Error(code, code ? SystemErrorMessage(code) : std::string());
}

}  // namespace nv
