#pragma once
// Owners of GDI handles: objects that are deleted, memory device contexts, window device contexts that are
// released, and objects selected into a device context that must be put back.
#include <windows.h>

#include "support/win/UniqueResource.h"

namespace nv {

template <class T>
struct GdiObjectTraits {
  using Handle = T;
  static T None() { return nullptr; }
  static bool IsValid(T object) { return object != nullptr; }
  static void Close(T object) { DeleteObject(object); }
};
using UniqueFont = UniqueResource<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueResource<GdiObjectTraits<HBITMAP>>;
using UniqueBrush = UniqueResource<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueResource<GdiObjectTraits<HPEN>>;
using UniqueRegion = UniqueResource<GdiObjectTraits<HRGN>>;

struct IconTraits {
  using Handle = HICON;
  static HICON None() { return nullptr; }
  static bool IsValid(HICON icon) { return icon != nullptr; }
  static void Close(HICON icon) { DestroyIcon(icon); }
};
using UniqueIcon = UniqueResource<IconTraits>;

struct MemoryDCTraits {
  using Handle = HDC;
  static HDC None() { return nullptr; }
  static bool IsValid(HDC dc) { return dc != nullptr; }
  static void Close(HDC dc) { DeleteDC(dc); }
};
using UniqueMemoryDC = UniqueResource<MemoryDCTraits>;

// GetDC / ReleaseDC.
class WindowDC {
public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const { return dc_; }

private:
  HWND window_;
  HDC dc_;
};

// SelectObject, and the previous object selected again at the end.
class SelectedObject {
public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() { SelectObject(dc_, previous_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

private:
  HDC dc_;
  HGDIOBJ previous_;
};

// SaveDC / RestoreDC: clipping, origin and selections made inside are undone at the end.
class SavedDC {
public:
  explicit SavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~SavedDC() { RestoreDC(dc_, saved_); }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

private:
  HDC dc_;
  int saved_;
};

// An off-screen surface of a given size to paint into and copy out in one go.
class OffscreenSurface {
public:
  OffscreenSurface(HDC compatibleWith, int width, int height)
      : dc_(CreateCompatibleDC(compatibleWith)),
        bitmap_(CreateCompatibleBitmap(compatibleWith, width > 0 ? width : 1, height > 0 ? height : 1)),
        selected_(dc_.Get(), bitmap_.Get()) {}
  HDC Get() const { return dc_.Get(); }

private:
  UniqueMemoryDC dc_;
  UniqueBitmap bitmap_;
  SelectedObject selected_;
};

}  // namespace nv
