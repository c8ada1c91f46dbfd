#include "support/ui/win/Resources.h"

#include "support/win/Win32Error.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace nv {

HMODULE ResourceModule() { return reinterpret_cast<HMODULE>(&__ImageBase); }

std::wstring ResourceString(UINT id) { return ResourceString(ResourceModule(), id); }

std::wstring ResourceString(HMODULE module, UINT id) {
  // With a length of 0 the system gives the string in place (not terminated) and returns its length.
  const wchar_t* text = nullptr;
  const int length = LoadStringW(module, id, reinterpret_cast<wchar_t*>(&text), 0);
  return length > 0 && text ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

UniqueBitmap LoadBitmapResource(const wchar_t* name) {
  UniqueBitmap bitmap(static_cast<HBITMAP>(
      LoadImageW(ResourceModule(), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  Win32Check(static_cast<bool>(bitmap));
  return bitmap;
}

UniqueIcon LoadIconResource(const wchar_t* name, int size) {
  UniqueIcon icon(static_cast<HICON>(LoadImageW(ResourceModule(), name, IMAGE_ICON, size, size, 0)));
  Win32Check(static_cast<bool>(icon));
  return icon;
}

}  // namespace nv
