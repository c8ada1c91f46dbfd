#include "support/ui/win/ImageList.h"

#include "support/win/Win32Error.h"

namespace nv {

ImageList::ImageList(int width, int height)
    : list_(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4)), width_(width), height_(height) {
  Win32Check(list_ != nullptr);
}

ImageList::~ImageList() { ImageList_Destroy(list_); }

int ImageList::Count() const { return ImageList_GetImageCount(list_); }

int ImageList::AddBitmap(HBITMAP strip, COLORREF transparent) {
  const int first = transparent == CLR_NONE ? ImageList_Add(list_, strip, nullptr)
                                            : ImageList_AddMasked(list_, strip, transparent);
  Win32Check(first >= 0);
  return first;
}

int ImageList::AddIcon(HICON icon) {
  const int index = ImageList_AddIcon(list_, icon);
  Win32Check(index >= 0);
  return index;
}

void ImageList::Draw(HDC dc, int index, int x, int y, bool enabled) const {
  if (index < 0 || index >= Count()) return;
  ImageList_Draw(list_, index, dc, x, y, enabled ? ILD_TRANSPARENT : ILD_TRANSPARENT | ILD_BLEND50);
}

}  // namespace nv
