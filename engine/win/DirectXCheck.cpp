#include "engine/win/DirectXCheck.h"

#include "support/MarkedText.h"
#include "support/win/DirectShow.h"
#include "support/win/WideText.h"
#include "support/win/Win32Error.h"

namespace nv {

std::string DirectXErrorText(HRESULT code) {
  wchar_t text[kDirectXTextLength] = {};
  if (AMGetErrorTextW(code, text, kDirectXTextLength) > 0 && text[0] != L'\0') return WideToMarked(text);
  return SystemErrorMessage(static_cast<DWORD>(code));
}

void RaiseDirectX(HRESULT code) { throw EDirectX(code, DirectXErrorText(code)); }

}  // namespace nv
