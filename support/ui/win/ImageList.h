#pragma once
// A list of same-sized 32-bit images (menu images, tool buttons), drawn by index.
#include <windows.h>
#include <commctrl.h>

namespace nv {

class ImageList {
public:
  ImageList(int width, int height);
  ~ImageList();
  ImageList(const ImageList&) = delete;
  ImageList& operator=(const ImageList&) = delete;

  HIMAGELIST Handle() const { return list_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const;

  // Adds the images of a strip as wide as a number of images; pixels of `transparent` (CLR_NONE: none) are left
  // out. Returns the index of the first image added; raises EWin32Error when the bitmap does not fit.
  int AddBitmap(HBITMAP strip, COLORREF transparent = CLR_NONE);
  int AddIcon(HICON icon);
  // Draws one image with its top-left corner at (x, y); a disabled image is drawn faded.
  void Draw(HDC dc, int index, int x, int y, bool enabled = true) const;

private:
  HIMAGELIST list_;
  int width_, height_;
};

}  // namespace nv
