#pragma once
// A skin image as the system draws it: a 32-bit top-down DIB section holding the decoded pixels (premultiplied when
// the image blends), selected into a memory device context of its own. Each image gets one on first draw, shared
// by every element that shows it, and gives it up when the image itself is gone. User-interface thread only.
#include <windows.h>

#include <memory>

#include "skins/SkinBitmap.h"
#include "support/ui/win/GdiObjects.h"

namespace nv {

class GdiSkinBitmap {
public:
  explicit GdiSkinBitmap(const SkinBitmap& image);
  ~GdiSkinBitmap();
  GdiSkinBitmap(const GdiSkinBitmap&) = delete;
  GdiSkinBitmap& operator=(const GdiSkinBitmap&) = delete;

  HDC Dc() const { return dc_.Get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Alpha() const { return alpha_; }

private:
  int width_, height_;
  bool alpha_;
  UniqueMemoryDC dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
};

// The drawable form of an image; null for an empty one.
const GdiSkinBitmap* GdiBitmapOf(const std::shared_ptr<const SkinBitmap>& image);

// A 32-bit top-down surface to draw into and read back (a mask stretched to a window's size).
class PixelSurface {
public:
  PixelSurface(int width, int height);
  HDC Dc() const { return dc_.Get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // 0xAARRGGBB per pixel, top-down; GdiFlush first.
  const std::uint32_t* Pixels() const;

private:
  int width_, height_;
  std::uint32_t* bits_ = nullptr;
  UniqueMemoryDC dc_;
  UniqueBitmap bitmap_;
  std::unique_ptr<SelectedObject> selected_;
};

}  // namespace nv
