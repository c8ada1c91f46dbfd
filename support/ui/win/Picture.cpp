#include "support/ui/win/Picture.h"

namespace nv {

Picture::Picture(WinControl& parent, UniqueBitmap bitmap) : Control(&parent), bitmap_(std::move(bitmap)) {
  BITMAP info{};
  if (bitmap_ && GetObjectW(bitmap_.Get(), sizeof info, &info)) size_ = {info.bmWidth, info.bmHeight};
  SetBounds(0, 0, size_.width, size_.height);
}

void Picture::AdjustBounds(Rect& bounds) { bounds = Rect::FromSize(bounds.left, bounds.top, size_.width, size_.height); }

void Picture::Paint(HDC dc) {
  if (!bitmap_) return;
  const UniqueMemoryDC source(CreateCompatibleDC(dc));
  const SelectedObject selected(source.Get(), bitmap_.Get());
  BitBlt(dc, 0, 0, size_.width, size_.height, source.Get(), 0, 0, SRCCOPY);
}

}  // namespace nv
